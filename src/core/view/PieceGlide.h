#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QVector>

#include <functional>
#include <utility>

class QImage;
class QPainter;

// The glide of pieces to the places a move gave them. The board image already shows the
// end of the move; a frame covers the places that took part and draws each moving piece,
// cut from its new place in that image, on its way from the old one. So an animation can
// stop at any frame: the image underneath is always the true board.
class PieceGlide
{
public:
    struct Piece {
        QRect source; // its place after the move, device pixels of the board image
        QRect from;   // its place before the move
    };

    static constexpr int DurationMs = 120;

    // Places are (column, row); the exchanges in the order the move made them, so a piece
    // that moved twice glides once from where it started to where it ended.
    using PlaceRect = std::function<QRect(QPoint place)>;
    void plan(const QVector<std::pair<QPoint, QPoint>> &exchanges, const PlaceRect &placeRect);

    bool isEmpty() const { return m_pieces.isEmpty(); }
    const QVector<Piece> &pieces() const { return m_pieces; }
    // Device pixels that any frame may change: the bounds of every old and new place.
    QRect area() const { return m_area; }
    // What changes between the frames at progress t0 and t1: where each piece stood in
    // both frames; the rest of a frame stays as it was.
    QRegion changed(qreal t0, qreal t1) const;

    // Where a piece stands at progress t in [0, 1], eased out, and the whole device pixels
    // it is drawn on: its old place at the start, then its new place's size.
    static QRectF at(const Piece &piece, qreal t);
    static QRect frameRect(const Piece &piece, qreal t);
    // Paints the frame at progress t on the part `exposed` of the board surface, every
    // pixel of it and nothing outside, so the board image need not be copied there first.
    // The painter and `exposed` work in device pixels.
    void paintFrame(QPainter &painter, const QImage &board, qreal t, const QRect &exposed) const;

private:
    QVector<QRect> darkParts(const QVector<QRect> &targets, const QRect &exposed) const;

    QVector<Piece> m_pieces;
    QRect m_area;
    // The places that take part fill their bounds, so no board shows between them.
    bool m_dense = false;
    QSize m_largest;
};
