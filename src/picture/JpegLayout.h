#pragma once

#include <QByteArray>
#include <QSize>

#include <algorithm>
#include <optional>

// What the markers of a JPEG file say about the work of decoding it, found by walking
// them up to the end-of-image marker.
struct JpegLayout {
    // The frame's size as stored, before any orientation tag turns it.
    QSize size;
    // Blocks of 8 x 8 samples over all components: what the entropy-coded data describes.
    qint64 blocks = 0;
    // Bytes of entropy-coded data over all scans.
    qint64 dataBytes = 0;
    // A progressive frame, or a sequential one in several scans: libjpeg then keeps the
    // coefficients of the whole picture at full size, whatever size it decodes to.
    bool buffered = false;
    bool arithmetic = false;

    // The layout of a file that reaches its end-of-image marker with a frame and a scan;
    // nothing when the markers are damaged or the file stops before that marker.
    static std::optional<JpegLayout> read(const QByteArray &bytes);

    // Huffman coding spends at least one bit on every block, so a frame claiming more
    // blocks than its data can hold is not a picture but a bare header.
    bool dataFitsFrame() const { return arithmetic || dataBytes >= (blocks + 7) / 8; }

    // Bytes libjpeg holds for the coefficients while it decodes; none for a single scan.
    qint64 coefficientBytes() const { return buffered ? blocks * 64 * 2 : 0; }

    // libjpeg decodes nothing wider or higher than 65500 pixels, at any scale.
    bool withinLibjpeg() const { return std::max(size.width(), size.height()) <= 65500; }

    // The size libjpeg decodes to at the given eighths of the full size (1 to 8).
    QSize decodedSize(int eighths) const;
};
