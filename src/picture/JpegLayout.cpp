#include "JpegLayout.h"

#include "io/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace
{

using LittleEndian::u16be;
constexpr auto byteAt = LittleEndian::u8;

qint64 ceilDiv(qint64 value, qint64 divisor)
{
    return (value + divisor - 1) / divisor;
}

bool isFrameMarker(quint8 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The frame header: size, components and their sampling factors.
bool readFrame(const QByteArray &bytes, qsizetype pos, quint16 length, quint8 marker, JpegLayout &layout)
{
    if (length < 8)
        return false;
    const int height = u16be(bytes, pos + 3);
    const int width = u16be(bytes, pos + 5);
    const int components = byteAt(bytes, pos + 7);
    if (width == 0 || height == 0 || components == 0 || length < 8 + 3 * components)
        return false;
    int maxH = 1;
    int maxV = 1;
    for (int i = 0; i < components; ++i) {
        const quint8 sampling = byteAt(bytes, pos + 9 + 3 * i);
        const int h = sampling >> 4;
        const int v = sampling & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4)
            return false;
        maxH = std::max(maxH, h);
        maxV = std::max(maxV, v);
    }
    layout.blocks = 0;
    for (int i = 0; i < components; ++i) {
        const quint8 sampling = byteAt(bytes, pos + 9 + 3 * i);
        const qint64 columns = ceilDiv(ceilDiv(qint64(width) * (sampling >> 4), maxH), 8);
        const qint64 rows = ceilDiv(ceilDiv(qint64(height) * (sampling & 15), maxV), 8);
        layout.blocks += columns * rows;
    }
    layout.size = QSize(width, height);
    layout.arithmetic = marker >= 0xC9;
    layout.buffered = layout.buffered || (marker & 3) == 2;
    return true;
}

// Entropy-coded data runs to the next marker other than a stuffed zero or a restart
// marker; pos is left on that marker.
bool skipEntropyData(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype n = bytes.size();
    const char *data = bytes.constData();
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
            return true;
    }
}

} // namespace

std::optional<JpegLayout> JpegLayout::read(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    JpegLayout layout;
    bool frame = false;
    int scans = 0;
    qsizetype pos = 2;
    for (;;) {
        if (pos >= n || byteAt(bytes, pos) != 0xFF)
            return std::nullopt;
        while (pos < n && byteAt(bytes, pos) == 0xFF)
            ++pos;
        if (pos >= n)
            return std::nullopt;
        const quint8 marker = byteAt(bytes, pos++);
        if (marker == 0xD9)
            break;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (marker == 0x00 || n - pos < 2)
            return std::nullopt;
        const quint16 length = u16be(bytes, pos);
        if (length < 2 || length > n - pos)
            return std::nullopt;
        if (isFrameMarker(marker)) {
            if (frame || !readFrame(bytes, pos, length, marker, layout))
                return std::nullopt;
            frame = true;
        }
        pos += length;
        if (marker != 0xDA)
            continue;
        ++scans;
        const qsizetype start = pos;
        if (!skipEntropyData(bytes, pos))
            return std::nullopt;
        layout.dataBytes += pos - start;
    }
    if (!frame || scans == 0)
        return std::nullopt;
    layout.buffered = layout.buffered || scans > 1;
    return layout;
}

QSize JpegLayout::decodedSize(int eighths) const
{
    return QSize(int(ceilDiv(qint64(size.width()) * eighths, 8)),
                 int(ceilDiv(qint64(size.height()) * eighths, 8)));
}
