#include "PictureLoader.h"

#include "io/LittleEndian.h"

#include "EmfRenderer.h"
#include "WmfRenderer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

enum class Kind { Unknown, Jpeg, Png, Gif, Bmp, Dib, Ico, Wmf, Emf };

constexpr qint64 byteLimit = qint64(PictureLoader::allocationLimitMB) * 1024 * 1024;
// Every signature below lies within the first bytes of a file.
constexpr qsizetype signatureBytes = 64;

using LittleEndian::u16be;
constexpr auto byteAt = LittleEndian::u8;
constexpr auto u16le = LittleEndian::u16;
constexpr auto u32le = LittleEndian::u32;
constexpr auto s32le = LittleEndian::s32;

quint32 u32be(const QByteArray &bytes, qsizetype offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

bool validBitCount(quint16 bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A bitmap information header (the start of a DIB) at offset.
bool dibHeaderAt(const QByteArray &bytes, qsizetype offset)
{
    if (bytes.size() < offset + 16)
        return false;
    const quint32 size = u32le(bytes, offset);
    if (size == 12)
        return u16le(bytes, offset + 8) == 1 && validBitCount(u16le(bytes, offset + 10));
    if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124)
        return u16le(bytes, offset + 12) == 1 && validBitCount(u16le(bytes, offset + 14));
    return false;
}

Kind sniff(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    if (n >= 3 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8 && byteAt(bytes, 2) == 0xFF)
        return Kind::Jpeg;
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return Kind::Png;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return Kind::Gif;
    if (bytes.startsWith("BM") && dibHeaderAt(bytes, 14))
        return Kind::Bmp;
    if (n >= 22 && u16le(bytes, 0) == 0 && (u16le(bytes, 2) == 1 || u16le(bytes, 2) == 2) &&
        u16le(bytes, 4) > 0 && byteAt(bytes, 9) == 0)
        return Kind::Ico;
    if (EmfRenderer::recognises(bytes))
        return Kind::Emf;
    if (WmfRenderer::recognises(bytes))
        return Kind::Wmf;
    if (dibHeaderAt(bytes, 0))
        return Kind::Dib;
    return Kind::Unknown;
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
    default:
        return "";
    }
}

// Qt's JPEG reader fills a cut-off file with grey and calls it a success, so the marker
// segments are walked up to the end-of-image marker first.
bool jpegComplete(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    const char *data = bytes.constData();
    qsizetype pos = 2;
    bool frame = false;
    bool scan = false;
    for (;;) {
        if (pos >= n || byteAt(bytes, pos) != 0xFF)
            return false;
        while (pos < n && byteAt(bytes, pos) == 0xFF)
            ++pos;
        if (pos >= n)
            return false;
        const quint8 marker = byteAt(bytes, pos++);
        if (marker == 0xD9)
            return frame && scan;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (marker == 0x00 || n - pos < 2)
            return false;
        const quint16 length = u16be(bytes, pos);
        if (length < 2 || length > n - pos)
            return false;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            frame = true;
        pos += length;
        if (marker != 0xDA)
            continue;
        scan = true;
        // Entropy-coded data runs to the next marker other than a stuffed zero or a
        // restart marker.
        for (;;) {
            const void *found = std::memchr(data + pos, 0xFF, size_t(n - pos));
            if (!found)
                return false;
            pos = static_cast<const char *>(found) - data;
            if (pos + 1 >= n)
                return false;
            const quint8 next = byteAt(bytes, pos + 1);
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                pos += 2;
            else if (next == 0xFF)
                pos += 1;
            else
                break;
        }
    }
}

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
    const quint32 infoSize = u32le(bytes, infoOffset);
    if (infoSize > quint64(n - infoOffset))
        return false;
    qint64 width = 0;
    qint64 height = 0;
    quint16 bits = 0;
    quint32 compression = 0;
    quint32 colours = 0;
    int paletteEntry = 4;
    if (infoSize == 12) {
        width = u16le(bytes, infoOffset + 4);
        height = u16le(bytes, infoOffset + 6);
        bits = u16le(bytes, infoOffset + 10);
        paletteEntry = 3;
    } else {
        width = s32le(bytes, infoOffset + 4);
        height = s32le(bytes, infoOffset + 8);
        bits = u16le(bytes, infoOffset + 14);
        compression = u32le(bytes, infoOffset + 16);
        colours = u32le(bytes, infoOffset + 32);
    }
    height = std::abs(height);
    if (width <= 0 || height <= 0)
        return false;

    qint64 pixels = 0;
    if (infoOffset > 0) {
        pixels = u32le(bytes, 10);
    } else {
        const qint64 paletteColours = colours != 0 ? qint64(colours) : (bits <= 8 ? qint64(1) << bits : 0);
        const bool separateMasks = infoSize == 40 && (compression == 3 || compression == 6);
        pixels = qint64(infoSize) + paletteColours * paletteEntry +
                 (separateMasks ? 4 * (compression == 3 ? 3 : 4) : 0);
    }
    if (pixels > n)
        return false;

    switch (compression) {
    case 0:
    case 3:
    case 6: {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        return height <= (n - pixels) / stride;
    }
    case 1:
        return bits == 8 && rleComplete(bytes, pixels, false);
    case 2:
        return bits == 4 && rleComplete(bytes, pixels, true);
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

bool complete(Kind kind, const QByteArray &bytes)
{
    switch (kind) {
    case Kind::Jpeg:
        return jpegComplete(bytes);
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
    default:
        return false;
    }
}

bool isMetafile(Kind kind)
{
    return kind == Kind::Wmf || kind == Kind::Emf;
}

bool withinLimit(const QSize &size)
{
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() * 4 <= byteLimit;
}

// A reader that uses exactly the format the content named: no guessing from a name and
// no second opinion from other decoders.
class RasterReader
{
public:
    RasterReader(const QByteArray &bytes, Kind kind)
    {
        QImageReader::setAllocationLimit(PictureLoader::allocationLimitMB);
        m_buffer.setData(bytes);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setFormat(qtFormat(kind));
        m_reader.setAutoDetectImageFormat(false);
        m_reader.setAutoTransform(false);
    }

    QImageReader &reader() { return m_reader; }

private:
    QBuffer m_buffer;
    QImageReader m_reader;
};

QSize rasterSize(Kind kind, const QByteArray &bytes)
{
    if (!complete(kind, bytes))
        return {};
    RasterReader raster(bytes, kind);
    QSize size = raster.reader().size();
    // Qt reports a top-down bitmap with a negative height.
    if ((kind == Kind::Bmp || kind == Kind::Dib) && size.height() < 0)
        size.setHeight(-size.height());
    if (!withinLimit(size))
        return {};
    // A GIF is decoded onto its logical screen, which may be far larger than its image.
    if (kind == Kind::Gif && !withinLimit(QSize(u16le(bytes, 6), u16le(bytes, 8))))
        return {};
    return size;
}

QImage opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

QImage decodeRaster(Kind kind, const QByteArray &bytes, const QSize &scaled)
{
    if (!rasterSize(kind, bytes).isValid())
        return {};
    RasterReader raster(bytes, kind);
    QImageReader &reader = raster.reader();
    if (kind == Kind::Jpeg && scaled.isValid()) {
        // libjpeg then decodes at the nearest eighth at or above the size, and Qt
        // finishes with a smooth scale when the quality asked for is high.
        reader.setScaledSize(scaled);
        reader.setQuality(100);
    }
    QImage image;
    if (!reader.read(&image))
        return {};
    image = opaque(image);
    if (scaled.isValid() && !image.isNull() && image.size() != scaled)
        image = image.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QSize metafileSize(Kind kind, const QByteArray &bytes)
{
    const QSizeF natural = kind == Kind::Wmf ? WmfRenderer::frameSize(bytes) : EmfRenderer::frameSize(bytes);
    const double width = natural.width();
    const double height = natural.height();
    if (!std::isfinite(width) || !std::isfinite(height) || !(width > 0) || !(height > 0))
        return {};
    const double scale = std::min(1.0, PictureLoader::metafileMaxSide / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

QImage renderMetafile(Kind kind, const QByteArray &bytes, const QSize &size)
{
    const QByteArray svg = kind == Kind::Wmf ? WmfRenderer::toSvg(bytes, size) : EmfRenderer::toSvg(bytes);
    if (svg.isEmpty())
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

namespace PictureLoader
{

QByteArray readFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > byteLimit)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (sniff(file.peek(signatureBytes)) == Kind::Unknown)
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.size() > byteLimit)
        return {};
    return bytes;
}

QImage loadFile(const QString &path)
{
    return loadData(readFile(path));
}

QImage loadData(const QByteArray &bytes)
{
    const Kind kind = sniff(bytes);
    if (kind == Kind::Unknown)
        return {};
    if (isMetafile(kind)) {
        const QSize size = metafileSize(kind, bytes);
        return size.isValid() ? renderMetafile(kind, bytes, size) : QImage();
    }
    return decodeRaster(kind, bytes, QSize());
}

QSize peekSize(const QByteArray &bytes)
{
    const Kind kind = sniff(bytes);
    if (kind == Kind::Unknown)
        return {};
    if (isMetafile(kind))
        return metafileSize(kind, bytes);
    return rasterSize(kind, bytes);
}

QImage loadDataScaled(const QByteArray &bytes, const QSize &size)
{
    if (!withinLimit(size))
        return {};
    const Kind kind = sniff(bytes);
    if (kind == Kind::Unknown)
        return {};
    if (isMetafile(kind))
        return metafileSize(kind, bytes).isValid() ? renderMetafile(kind, bytes, size) : QImage();
    return decodeRaster(kind, bytes, size);
}

} // namespace PictureLoader
