#include "PictureEncoders.h"
#include "ByteWriter.h"

#include <QTransform>
#include <QtEndian>

#include <unordered_map>

namespace
{

// Packs variable-length LZW codes least significant bit first into 255-byte sub-blocks.
class CodeWriter
{
public:
    explicit CodeWriter(QByteArray &out) : m_out(out) {}

    void write(quint32 code, int bits)
    {
        m_accumulator |= code << m_bits;
        m_bits += bits;
        while (m_bits >= 8) {
            pushByte(char(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_bits -= 8;
        }
    }

    void finish()
    {
        if (m_bits > 0)
            pushByte(char(m_accumulator & 0xFF));
        flushBlock();
        m_out.append('\0');
    }

private:
    void pushByte(char byte)
    {
        m_block.append(byte);
        if (m_block.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(char(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray &m_out;
    QByteArray m_block;
    quint32 m_accumulator = 0;
    int m_bits = 0;
};

void lzwEncode(const QImage &indexed, QByteArray &out)
{
    constexpr int minimumCodeSize = 8;
    constexpr quint32 clearCode = 1u << minimumCodeSize;
    constexpr quint32 endCode = clearCode + 1;
    constexpr quint32 largestCode = 4095;

    out.append(char(minimumCodeSize));
    CodeWriter writer(out);
    std::unordered_map<quint32, quint32> table;
    int codeSize = minimumCodeSize + 1;
    quint32 lastCode = endCode;
    writer.write(clearCode, codeSize);

    bool started = false;
    quint32 current = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const quint32 pixel = line[x];
            if (!started) {
                current = pixel;
                started = true;
                continue;
            }
            const quint32 key = (current << 8) | pixel;
            const auto found = table.find(key);
            if (found != table.end()) {
                current = found->second;
                continue;
            }
            writer.write(current, codeSize);
            table.emplace(key, ++lastCode);
            if (lastCode >= (1u << codeSize))
                ++codeSize;
            if (lastCode == largestCode) {
                writer.write(clearCode, codeSize);
                table.clear();
                codeSize = minimumCodeSize + 1;
                lastCode = endCode;
            }
            current = pixel;
        }
    }
    if (started)
        writer.write(current, codeSize);
    writer.write(endCode, codeSize);
    writer.finish();
}

} // namespace

namespace PictureEncoders
{

QByteArray gif(const QImage &image)
{
    const QImage indexed =
        image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QList<QRgb> palette = indexed.colorTable();
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    put16(out, quint16(indexed.width()));
    put16(out, quint16(indexed.height()));
    out.append(char(0xF7)); // global palette of 256 entries, 8 bits per primary
    out.append('\0');
    out.append('\0');
    for (QRgb colour : palette) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    out.append(char(0x2C));
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(indexed.width()));
    put16(out, quint16(indexed.height()));
    out.append('\0');
    lzwEncode(indexed, out);
    out.append(char(0x3B));
    return out;
}

QByteArray ico(const QList<QImage> &images)
{
    QList<QByteArray> entries;
    for (const QImage &source : images) {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        const int width = image.width();
        const int height = image.height();
        const int maskStride = ((width + 31) / 32) * 4;
        QByteArray entry;
        put32(entry, 40);
        put32(entry, quint32(width));
        put32(entry, quint32(height * 2)); // colour rows followed by mask rows
        put16(entry, 1);
        put16(entry, 32);
        put32(entry, 0);
        put32(entry, quint32(width * height * 4 + maskStride * height));
        put32(entry, 0);
        put32(entry, 0);
        put32(entry, 0);
        put32(entry, 0);
        for (int y = height - 1; y >= 0; --y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x)
                put32(entry, line[x]);
        }
        for (int y = height - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                if (qAlpha(line[x]) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            entry.append(row);
        }
        entries.append(entry);
    }

    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (int i = 0; i < entries.size(); ++i) {
        const QImage &image = images.at(i);
        out.append(char(image.width() >= 256 ? 0 : image.width()));
        out.append(char(image.height() >= 256 ? 0 : image.height()));
        out.append('\0');
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, quint32(entries.at(i).size()));
        put32(out, offset);
        offset += quint32(entries.at(i).size());
    }
    for (const QByteArray &entry : entries)
        out.append(entry);
    return out;
}

QByteArray bmpWithAlpha(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    constexpr quint32 fileHeaderBytes = 14;
    constexpr quint32 infoHeaderBytes = 108;
    const quint32 pixelBytes = quint32(image.width() * image.height() * 4);

    QByteArray out("BM");
    put32(out, fileHeaderBytes + infoHeaderBytes + pixelBytes);
    put32(out, 0);
    put32(out, fileHeaderBytes + infoHeaderBytes);
    put32(out, infoHeaderBytes);
    put32(out, quint32(image.width()));
    put32(out, quint32(image.height()));
    put16(out, 1);
    put16(out, 32);
    put32(out, 3); // bit fields: the masks below name each channel
    put32(out, pixelBytes);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0x00FF0000);
    put32(out, 0x0000FF00);
    put32(out, 0x000000FF);
    put32(out, 0xFF000000);
    put32(out, 0x73524742); // "sRGB"
    out.append(QByteArray(36 + 12, '\0'));
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            put32(out, line[x]);
    }
    return out;
}

QByteArray withOrientation(const QByteArray &jpeg, quint16 orientation)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return {};
    // An APP1 segment holding a big-endian TIFF header and one directory of one entry.
    QByteArray exif = QByteArrayLiteral("\xFF\xE1\x00\x22"
                                        "Exif\0\0"
                                        "MM\0*\0\0\0\x08"
                                        "\0\x01");
    exif += QByteArrayLiteral("\x01\x12\0\x03\0\0\0\x01");
    exif += char(orientation >> 8);
    exif += char(orientation & 0xFF);
    exif += QByteArray(6, '\0');
    return jpeg.left(2) + exif + jpeg.mid(2);
}

QImage storedForOrientation(const QImage &upright, quint16 orientation)
{
    const int turn = orientation == 6 ? -90 : orientation == 8 ? 90 : orientation == 3 ? 180 : 0;
    return upright.transformed(QTransform().rotate(turn));
}

} // namespace PictureEncoders
