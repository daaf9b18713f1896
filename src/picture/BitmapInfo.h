#pragma once

#include <QByteArray>

#include <optional>

// The header that begins every device-independent bitmap, whether it stands in a .bmp
// file, alone as a .dib or inside a metafile record: the old 12-byte core header or one
// of the 40- to 124-byte information headers.
struct BitmapInfo {
    quint32 headerSize = 0;
    qint64 width = 0;
    // Always positive; a negative height in the file means rows stored top to bottom.
    qint64 height = 0;
    quint16 bits = 0;
    quint32 compression = 0;
    quint32 colours = 0;

    enum : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

    // True when the first 16 bytes at offset could begin a bitmap header: a known header
    // size, one plane and a bit count bitmaps have. Enough to tell the format apart.
    static bool plausibleAt(const QByteArray &bytes, qsizetype offset);

    // The header at offset, when it lies within the available bytes and describes a
    // picture at all: a known size, one plane, a usual bit count, a positive width, a
    // height other than zero and run-length coding only with the bit count it is for.
    static std::optional<BitmapInfo> read(const QByteArray &bytes, qsizetype offset, qsizetype available);

    bool runLength() const { return compression == Rle8 || compression == Rle4; }
    // Bytes from the start of the header to the first pixel when nothing says otherwise:
    // the header, the colour table and the colour masks that follow a 40-byte header.
    qint64 pixelOffset() const;
    // Bytes of one uncompressed row, rounded up to whole 32-bit words.
    qint64 stride() const { return (width * bits + 31) / 32 * 4; }
};
