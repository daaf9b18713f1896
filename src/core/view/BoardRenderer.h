#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSizeF>
#include <QVector>
#include <QtGlobal>

#include "view/PieceStretch.h"

class TableroClass;

// Where places and pieces lie, in single precision and in any unit: the source size and
// the board size only need to share one. A board of source size × zoom gives the same
// place rectangles as the piece rectangles scaled by zoom.
struct BoardGeometry {
    QSizeF source;
    QSizeF board;
    qint16 columns = 0;
    qint16 rows = 0;

    bool isEmpty() const;
    float pieceWidth() const;  // pw
    float pieceHeight() const; // ph
    float placeWidth() const;  // dw
    float placeHeight() const; // dh

    // Place (column, row) on the board and piece (ox, oy) in the source, both from 1.
    QRectF placeRect(qint16 column, qint16 row) const;
    QRectF pieceRect(qint16 ox, qint16 oy) const;
};

// A place to redraw, from 1, and how its piece is to be copied.
struct PlacePaint {
    qint16 column = 0;
    qint16 row = 0;
    quint32 rasterOp = 0;
};

// The board's persistent picture. It is the only painter of the board: every operation
// draws into the image it keeps, and the board surface shows that image unchanged. Each
// operation returns the rectangle it changed, in device pixels of the image, so the
// surface repaints only that part.
//
// The image carries the screen's device pixel ratio: its pixels are device pixels, its
// logical size is the board size. Place edges are rounded to whole device pixels one by
// one, so neighbouring places share their edge and never leave a gap, and grid lines
// are one device pixel wide.
class BoardRenderer
{
public:
    BoardRenderer();

    // The picture the pieces are cut from; pixels with transparency are shown over white.
    void setSource(const QImage &source);
    void setTablero(const TableroClass *tablero) { m_tablero = tablero; }
    void setSliding(bool sliding) { m_sliding = sliding; }

    // Board size in logical pixels (source size × zoom, fractional sizes allowed) and the
    // screen's pixel ratio. A change of either makes a new, black image. Throws
    // RunTimeError(7) when the image cannot be allocated.
    void setBoardSize(const QSizeF &size);
    void setDevicePixelRatio(qreal ratio);

    QSizeF boardSize() const { return m_boardSize; }
    qreal devicePixelRatio() const { return m_dpr; }
    const QImage &image() const { return m_image; }
    BoardGeometry geometry() const;
    QRectF placeRect(qint16 column, qint16 row) const { return geometry().placeRect(column, row); }
    QRectF pieceRect(qint16 ox, qint16 oy) const { return geometry().pieceRect(ox, oy); }

    // Device pixels of place (column, row) in the image.
    QRect placeDeviceRect(qint16 column, qint16 row) const;
    // The logical rectangle that covers a device rectangle, for a widget's update().
    QRect logicalRect(const QRect &deviceRect) const;

    // Every place, the sliding style's empty place black, and the grid only while the
    // puzzle is unsolved (estado 1).
    QRect PaintTablero(int estado);
    // One place with the given raster operation, then the grid. The sliding style's empty
    // place is black whatever the operation. Throws RunTimeError(9) for a place outside
    // the board.
    QRect PaintCasilla(qint16 column, qint16 row, quint32 rasterOp);
    // Several places at once, as PaintCasilla one after the other leaves them: each place
    // is drawn once, with the last operation asked for it, and the grid over them all.
    // Returns the device pixels that changed. Throws RunTimeError(9), before drawing
    // anything, when a place lies outside the board.
    QRegion PaintCasillas(const QVector<PlacePaint> &places);
    QRect DibujarRejilla();
    // Blacks out every place whose piece is not at home; the others keep their pixels.
    QRect PaintSoloMontadas();
    // The whole source picture stretched over the board, without grid.
    QRect paintAssembled();

private:
    struct Edges;

    bool canPaint() const;
    Edges edges() const;
    void reallocate();
    QImage deviceView();
    // With `grid`, the grid lines that cross the places are drawn over them.
    void paintPlaces(const Edges &e, const QVector<PlacePaint> &places, bool grid);
    // Both take the image's bits, fetched once: asking the image for them detaches it, which
    // is not safe from several threads.
    void fillBlack(uchar *bits, const QRect &rect) const;
    void drawGrid(const Edges &e, const QRect &area, uchar *bits) const;
    void markGridComplete();
    bool gridIsComplete() const;

    QImage m_source;
    PieceStretch m_stretch;
    const TableroClass *m_tablero = nullptr;
    bool m_sliding = false;
    QSizeF m_boardSize;
    qreal m_dpr = 1.0;
    QImage m_image;

    // While every grid line is known to be on the image, a single place needs only the
    // lines that cross it; the key says for which grid and image that holds.
    bool m_gridComplete = false;
    qint16 m_gridColumns = 0;
    qint16 m_gridRows = 0;
    QSize m_gridImageSize;
};
