#include "view/PieceStretch.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace
{
constexpr quint32 Untouched = 0xFFFFFFFFu;
constexpr quint32 Black = 0xFF000000u;

// A line of `length` pixels, each holding its own index, lying along the axis asked for.
QImage numberedLine(int length, bool vertical)
{
    QImage numbers(vertical ? 1 : length, vertical ? length : 1, QImage::Format_RGB32);
    for (int i = 0; i < length && !numbers.isNull(); ++i)
        numbers.setPixel(vertical ? 0 : i, vertical ? i : 0, Black | quint32(i));
    return numbers;
}

// Which source pixel Qt's nearest-pixel stretch shows on each of `count` target pixels when
// it stretches [start, start + length) of a source line, read back by stretching the line
// of numbered pixels of that axis; -1 where it leaves a target pixel as it was. The line lies
// along the axis, so Qt takes exactly the path it takes for that axis of a piece.
std::vector<int> stretchMap(const QImage &numbers, qreal start, qreal length, int count, bool vertical)
{
    const int sourceLength = vertical ? numbers.height() : numbers.width();
    QImage line(vertical ? 1 : count, vertical ? count : 1, QImage::Format_RGB32);
    std::vector<int> map(std::size_t(count), -1);
    if (numbers.isNull() || line.isNull())
        return map;
    line.fill(Untouched);
    QPainter painter(&line);
    if (vertical)
        painter.drawImage(QRectF(0, 0, 1, count), numbers, QRectF(0, start, 1, length));
    else
        painter.drawImage(QRectF(0, 0, count, 1), numbers, QRectF(start, 0, length, 1));
    painter.end();
    for (int k = 0; k < count; ++k) {
        const quint32 value = line.pixel(vertical ? 0 : k, vertical ? k : 0);
        const int index = int(value & 0x00FFFFFFu);
        if (value != Untouched && index < sourceLength)
            map[std::size_t(k)] = index;
    }
    return map;
}
} // namespace

void PieceStretch::setSource(const QImage &source, qint16 columns, qint16 rows)
{
    m_source = source;
    m_columns = columns;
    m_rows = rows;
    m_columnMaps.clear();
    m_rowMaps.clear();
    m_numbersX = numberedLine(source.width(), false);
    m_numbersY = numberedLine(source.height(), true);
}

bool PieceStretch::matches(const QImage &source, qint16 columns, qint16 rows) const
{
    return source.cacheKey() == m_source.cacheKey() && columns == m_columns && rows == m_rows;
}

PieceStretch::Copy PieceStretch::prepare(const QRect &target, qint16 ox, qint16 oy, const QRectF &piece,
                                         bool inverted)
{
    Copy copy;
    copy.target = target;
    if (piece.isNull())
        return copy;
    auto columns = m_columnMaps.find({ox, target.width()});
    if (columns == m_columnMaps.end())
        columns = m_columnMaps
                      .emplace(Key{ox, target.width()},
                               stretchMap(m_numbersX, piece.x(), piece.width(), target.width(), false))
                      .first;
    auto rows = m_rowMaps.find({oy, target.height()});
    if (rows == m_rowMaps.end())
        rows = m_rowMaps
                   .emplace(Key{oy, target.height()},
                            stretchMap(m_numbersY, piece.y(), piece.height(), target.height(), true))
                   .first;
    const Map &xs = columns->second;
    copy.columns = xs.data();
    copy.rows = rows->second.data();
    copy.wholeLines = std::find(xs.begin(), xs.end(), -1) == xs.end();
    copy.flip = inverted ? 0x00FFFFFFu : 0u;
    return copy;
}

void PieceStretch::draw(uchar *bits, qsizetype stride, const QVector<Copy> &copies) const
{
    if (copies.isEmpty())
        return;
    const int top = copies.first().target.top();
    for (int j = 0; j < copies.first().target.height(); ++j) {
        auto *line = reinterpret_cast<quint32 *>(bits + stride * (top + j));
        for (const Copy &c : copies)
            drawLine(line + c.target.left(), stride, c, j);
    }
}

void PieceStretch::drawLine(quint32 *out, qsizetype stride, const Copy &c, int j) const
{
    const int width = c.target.width();
    const int *x = c.columns;
    if (!x) {
        std::fill_n(out, width, Black);
        return;
    }
    const int sy = c.rows[j];
    // A line that shows the same source line as the one above is the same, unless some of
    // its pixels keep what was under them.
    if (sy >= 0 && j > 0 && sy == c.rows[j - 1] && c.wholeLines) {
        std::memcpy(out, reinterpret_cast<const uchar *>(out) - stride, std::size_t(width) * sizeof(quint32));
        return;
    }
    const quint32 flip = c.flip;
    if (sy < 0) {
        for (int i = 0; i < width; ++i)
            out[i] ^= flip;
        return;
    }
    const auto *in = reinterpret_cast<const quint32 *>(m_source.constScanLine(sy));
    if (c.wholeLines) {
        for (int i = 0; i < width; ++i)
            out[i] = in[x[i]] ^ flip;
    } else {
        for (int i = 0; i < width; ++i)
            out[i] = (x[i] >= 0 ? in[x[i]] : out[i]) ^ flip;
    }
}
