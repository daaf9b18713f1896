#include "BitmapInfo.h"

#include "io/LittleEndian.h"

#include <algorithm>
#include <cstdlib>

namespace
{

constexpr auto u16At = LittleEndian::u16;
constexpr auto u32At = LittleEndian::u32;
constexpr auto s32At = LittleEndian::s32;
constexpr quint32 coreHeaderBytes = 12;

bool knownHeaderSize(quint32 size)
{
    return size == coreHeaderBytes || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool usualBitCount(quint16 bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

bool BitmapInfo::plausibleAt(const QByteArray &bytes, qsizetype offset)
{
    if (offset < 0 || bytes.size() - offset < 16)
        return false;
    const quint32 size = u32At(bytes, offset);
    if (!knownHeaderSize(size))
        return false;
    // The core header keeps its planes and bit count four bytes earlier than the others.
    const qsizetype planes = offset + (size == coreHeaderBytes ? 8 : 12);
    return u16At(bytes, planes) == 1 && usualBitCount(u16At(bytes, planes + 2));
}

std::optional<BitmapInfo> BitmapInfo::read(const QByteArray &bytes, qsizetype offset, qsizetype available)
{
    available = std::min<qsizetype>(available, bytes.size() - offset);
    if (offset < 0 || available < qsizetype(coreHeaderBytes) || !plausibleAt(bytes, offset))
        return std::nullopt;
    BitmapInfo info;
    info.headerSize = u32At(bytes, offset);
    if (info.headerSize > quint64(available))
        return std::nullopt;
    if (info.headerSize == coreHeaderBytes) {
        info.width = u16At(bytes, offset + 4);
        info.height = u16At(bytes, offset + 6);
        info.bits = u16At(bytes, offset + 10);
    } else {
        info.width = s32At(bytes, offset + 4);
        info.height = std::abs(qint64(s32At(bytes, offset + 8)));
        info.bits = u16At(bytes, offset + 14);
        info.compression = u32At(bytes, offset + 16);
        info.colours = u32At(bytes, offset + 32);
    }
    if (info.width <= 0 || info.height <= 0)
        return std::nullopt;
    if ((info.compression == Rle8 && info.bits != 8) || (info.compression == Rle4 && info.bits != 4))
        return std::nullopt;
    return info;
}

qint64 BitmapInfo::pixelOffset() const
{
    const qint64 paletteColours = colours != 0 ? qint64(colours) : (bits <= 8 ? qint64(1) << bits : 0);
    const int paletteEntry = headerSize == coreHeaderBytes ? 3 : 4;
    qint64 masks = 0;
    if (headerSize == 40 && compression == BitFields)
        masks = 12;
    else if (headerSize == 40 && compression == AlphaBitFields)
        masks = 16;
    return qint64(headerSize) + paletteColours * paletteEntry + masks;
}
