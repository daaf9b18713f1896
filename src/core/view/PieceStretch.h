#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QVector>
#include <QtGlobal>

#include <map>
#include <utility>
#include <vector>

// Copies pieces of the source picture onto places of the board image, stretched pixel for
// pixel as QPainter's nearest-pixel drawImage stretches them, but without a painter and
// without working out the stretch again for every piece. Which source pixel lands on a
// device pixel depends only on the piece's rectangle and the place's size, and separately
// for columns and rows, so that choice is asked of Qt once per piece column and place width
// (and piece row and place height) and kept until the source or the grid changes.
class PieceStretch
{
public:
    // What to draw on one place: a piece, or black.
    struct Copy {
        QRect target;
        const int *columns = nullptr; // source column of each target column, -1 to leave it
        const int *rows = nullptr;    // source line of each target line, -1 to leave it
        bool wholeLines = true;       // no column is left as it was
        quint32 flip = 0;             // 0x00FFFFFF for inverted colours
    };

    // The picture the pieces are cut from (opaque RGB32) and the grid it is cut into.
    void setSource(const QImage &source, qint16 columns, qint16 rows);
    bool matches(const QImage &source, qint16 columns, qint16 rows) const;

    // Piece (ox, oy), whose rectangle in the source is `piece`, onto `target`, its colours
    // inverted when asked; a null piece rectangle draws black.
    Copy prepare(const QRect &target, qint16 ox, qint16 oy, const QRectF &piece, bool inverted);
    // Draws copies that lie on the same lines of an RGB32 image, line by line.
    void draw(uchar *bits, qsizetype stride, const QVector<Copy> &copies) const;

private:
    void drawLine(quint32 *out, qsizetype stride, const Copy &copy, int j) const;

    using Map = std::vector<int>;
    using Key = std::pair<qint16, int>;

    QImage m_source;
    // A line of numbered pixels along each axis of the source, stretched to learn Qt's choice.
    QImage m_numbersX;
    QImage m_numbersY;
    qint16 m_columns = 0;
    qint16 m_rows = 0;
    std::map<Key, Map> m_columnMaps;
    std::map<Key, Map> m_rowMaps;
};
