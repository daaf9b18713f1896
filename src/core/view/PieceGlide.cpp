#include "view/PieceGlide.h"

#include <QEasingCurve>
#include <QHash>
#include <QImage>
#include <QPainter>

void PieceGlide::plan(const QVector<std::pair<QPoint, QPoint>> &exchanges, const PlaceRect &placeRect)
{
    m_pieces.clear();
    m_area = QRect();
    // Follow every piece through the exchanges: where each place's piece started.
    QHash<QPoint, QPoint> startOf;
    const auto start = [&startOf](QPoint place) { return startOf.value(place, place); };
    for (const auto &[a, b] : exchanges) {
        const QPoint startA = start(a);
        const QPoint startB = start(b);
        startOf.insert(a, startB);
        startOf.insert(b, startA);
    }
    for (auto it = startOf.cbegin(); it != startOf.cend(); ++it) {
        if (it.key() == it.value())
            continue;
        const Piece piece{placeRect(it.key()), placeRect(it.value())};
        m_pieces.append(piece);
        m_area |= piece.source | piece.from;
    }
}

QRectF PieceGlide::at(const Piece &piece, qreal t)
{
    static const QEasingCurve ease(QEasingCurve::OutCubic);
    const qreal k = ease.valueForProgress(qBound(0.0, t, 1.0));
    // Places may differ by a pixel in size where their edges were rounded.
    const QRectF from(piece.from);
    const QRectF to(piece.source);
    return QRectF(from.topLeft() + (to.topLeft() - from.topLeft()) * k,
                  from.size() + (to.size() - from.size()) * k);
}

QRegion PieceGlide::changed(qreal t0, qreal t1) const
{
    // Past a few pieces the union costs more than it saves: most of the board moves.
    if (m_pieces.size() > 16)
        return QRegion(m_area);
    QRegion region;
    for (const Piece &piece : m_pieces) {
        region += piece.from;
        region += piece.source;
        region += at(piece, t0).toAlignedRect();
        region += at(piece, t1).toAlignedRect();
    }
    return region;
}

void PieceGlide::paintFrame(QPainter &painter, const QImage &board, qreal t) const
{
    // The places the pieces reach stay dark until they arrive, as the empty place of the
    // sliding style is. The pieces only change places among themselves, so every place one
    // leaves is a place another one reaches.
    for (const Piece &piece : m_pieces)
        painter.fillRect(piece.source, Qt::black);
    // Whole pixels keep each piece a plain copy: no filtering, several times faster.
    for (const Piece &piece : m_pieces) {
        const QRect target = at(piece, t).toRect();
        if (target.size() == piece.source.size())
            painter.drawImage(target.topLeft(), board, piece.source);
        else
            painter.drawImage(target, board, piece.source);
    }
}
