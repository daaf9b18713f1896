#include "PictureFormat.h"

#include "BitmapInfo.h"
#include "EmfRenderer.h"
#include "HeifDecoder.h"
#include "WmfRenderer.h"
#include "io/LittleEndian.h"

namespace
{

using LittleEndian::u32be;
using PictureFormat::Kind;
constexpr auto byteAt = LittleEndian::u8;
constexpr auto u16le = LittleEndian::u16;
constexpr auto u32le = LittleEndian::u32;

bool pngComplete(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    qsizetype pos = 8;
    bool header = false;
    bool data = false;
    while (n - pos >= 12) {
        const quint32 length = u32be(bytes, pos);
        if (length > quint64(n - pos - 12))
            return false;
        const QByteArray type = bytes.mid(pos + 4, 4);
        if (type == "IEND")
            return header && data;
        header = header || type == "IHDR";
        data = data || type == "IDAT";
        pos += 12 + qsizetype(length);
    }
    return false;
}

bool skipSubBlocks(const QByteArray &bytes, qsizetype &pos)
{
    for (;;) {
        if (pos >= bytes.size())
            return false;
        const quint8 length = byteAt(bytes, pos++);
        if (length == 0)
            return true;
        pos += length;
    }
}

// Qt's GIF reader shows a cut-off first image as far as it got. Only the first image is
// shown, so its data has to be complete; what follows it does not matter.
bool gifComplete(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    if (n < 13)
        return false;
    const quint8 screenFlags = byteAt(bytes, 10);
    qsizetype pos = 13;
    if (screenFlags & 0x80)
        pos += qsizetype(3) << ((screenFlags & 7) + 1);
    for (;;) {
        if (pos >= n)
            return false;
        const quint8 introducer = byteAt(bytes, pos++);
        if (introducer == 0x21) {
            ++pos;
            if (!skipSubBlocks(bytes, pos))
                return false;
        } else if (introducer == 0x2C) {
            if (n - pos < 9)
                return false;
            const quint8 imageFlags = byteAt(bytes, pos + 8);
            pos += 9;
            if (imageFlags & 0x80)
                pos += qsizetype(3) << ((imageFlags & 7) + 1);
            ++pos;
            return skipSubBlocks(bytes, pos);
        } else {
            return false;
        }
    }
}

// Run-length encoded pixels must reach their end-of-bitmap code inside the file.
bool rleComplete(const QByteArray &bytes, qsizetype pos, bool fourBit)
{
    const qsizetype n = bytes.size();
    while (n - pos >= 2) {
        const quint8 count = byteAt(bytes, pos);
        const quint8 code = byteAt(bytes, pos + 1);
        pos += 2;
        if (count != 0)
            continue;
        if (code == 1)
            return true;
        if (code == 2) {
            pos += 2;
        } else if (code > 2) {
            const qsizetype literal = fourBit ? (code + 1) / 2 : code;
            pos += literal + (literal & 1);
        }
    }
    return false;
}

// Qt's BMP reader accepts a file whose pixels stop early, so the pixel array the header
// describes must fit in the file. infoOffset is 14 for a .bmp, 0 for a bare DIB.
bool bitmapComplete(const QByteArray &bytes, qsizetype infoOffset)
{
    const qsizetype n = bytes.size();
    const std::optional<BitmapInfo> info = BitmapInfo::read(bytes, infoOffset, n - infoOffset);
    if (!info)
        return false;
    const qint64 pixels = infoOffset > 0 ? qint64(u32le(bytes, 10)) : info->pixelOffset();
    if (pixels > n)
        return false;
    switch (info->compression) {
    case BitmapInfo::Rgb:
    case BitmapInfo::BitFields:
    case BitmapInfo::AlphaBitFields:
        return info->height <= (n - pixels) / info->stride();
    case BitmapInfo::Rle8:
    case BitmapInfo::Rle4:
        return rleComplete(bytes, pixels, info->compression == BitmapInfo::Rle4);
    default:
        return false;
    }
}

bool iconComplete(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    const quint16 count = u16le(bytes, 4);
    const qsizetype directoryEnd = 6 + qsizetype(count) * 16;
    if (directoryEnd > n)
        return false;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype entry = 6 + qsizetype(i) * 16;
        const quint32 size = u32le(bytes, entry + 8);
        const quint32 offset = u32le(bytes, entry + 12);
        if (size == 0 || offset < directoryEnd || quint64(offset) + size > quint64(n))
            return false;
    }
    return true;
}

// The RIFF container must hold all the chunks it announces, and they must fill it.
bool webpComplete(const QByteArray &bytes)
{
    const quint64 riffEnd = quint64(u32le(bytes, 4)) + 8;
    if (riffEnd > quint64(bytes.size()) || riffEnd < 20)
        return false;
    qsizetype pos = 12;
    while (quint64(pos) < riffEnd) {
        if (riffEnd - quint64(pos) < 8)
            return false;
        const quint64 chunkEnd = quint64(pos) + 8 + u32le(bytes, pos + 4) + (u32le(bytes, pos + 4) & 1);
        if (chunkEnd > riffEnd)
            return false;
        pos = qsizetype(chunkEnd);
    }
    return true;
}

// libtiff refuses strips that lie beyond the file, so only the first directory has to be
// inside it.
bool tiffComplete(const QByteArray &bytes)
{
    const bool little = bytes.startsWith("II");
    const quint32 directory = little ? u32le(bytes, 4) : u32be(bytes, 4);
    if (directory < 8 || quint64(directory) + 2 > quint64(bytes.size()))
        return false;
    const quint16 entries = little ? u16le(bytes, directory) : LittleEndian::u16be(bytes, directory);
    return entries > 0 && quint64(directory) + 2 + 12 * quint64(entries) + 4 <= quint64(bytes.size());
}

bool looksLikeIcon(const QByteArray &bytes)
{
    return bytes.size() >= 22 && u16le(bytes, 0) == 0 && (u16le(bytes, 2) == 1 || u16le(bytes, 2) == 2) &&
           u16le(bytes, 4) > 0 && byteAt(bytes, 9) == 0;
}

Kind sniffRaster(const QByteArray &bytes)
{
    if (bytes.size() >= 3 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8 && byteAt(bytes, 2) == 0xFF)
        return Kind::Jpeg;
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return Kind::Png;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return Kind::Gif;
    if (bytes.startsWith("BM") && BitmapInfo::plausibleAt(bytes, 14))
        return Kind::Bmp;
    if (bytes.size() >= 16 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return Kind::Webp;
    if (bytes.size() >= 8 && (bytes.startsWith(QByteArrayLiteral("II*\0")) || bytes.startsWith("MM\0*")))
        return Kind::Tiff;
    if (HeifDecoder::recognises(bytes))
        return Kind::Heif;
    if (looksLikeIcon(bytes))
        return Kind::Ico;
    return Kind::Unknown;
}

} // namespace

namespace PictureFormat
{

Kind sniff(const QByteArray &bytes)
{
    const Kind raster = sniffRaster(bytes);
    if (raster != Kind::Unknown)
        return raster;
    if (EmfRenderer::recognises(bytes))
        return Kind::Emf;
    if (WmfRenderer::recognises(bytes))
        return Kind::Wmf;
    if (BitmapInfo::plausibleAt(bytes, 0))
        return Kind::Dib;
    return Kind::Unknown;
}

bool complete(Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Kind::Png:
        return pngComplete(bytes);
    case Kind::Gif:
        return gifComplete(bytes);
    case Kind::Bmp:
        return bitmapComplete(bytes, 14);
    case Kind::Dib:
        return bitmapComplete(bytes, 0);
    case Kind::Ico:
        return iconComplete(bytes);
    case Kind::Webp:
        return webpComplete(bytes);
    case Kind::Tiff:
        return tiffComplete(bytes);
    case Kind::Heif:
        return HeifDecoder::complete(bytes);
    default:
        return false;
    }
}

const char *qtFormat(Kind kind)
{
    switch (kind) {
    case Kind::Jpeg:
        return "jpeg";
    case Kind::Png:
        return "png";
    case Kind::Gif:
        return "gif";
    case Kind::Bmp:
        return "bmp";
    case Kind::Dib:
        return "dib";
    case Kind::Ico:
        return "ico";
    case Kind::Webp:
        return "webp";
    case Kind::Tiff:
        return "tiff";
    default:
        return "";
    }
}

bool isMetafile(Kind kind)
{
    return kind == Kind::Wmf || kind == Kind::Emf;
}

} // namespace PictureFormat
