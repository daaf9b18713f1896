#include "view/PieceGlide.h"

#include <QEasingCurve>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QVarLengthArray>

#include <vector>

namespace
{
using Parts = QVarLengthArray<QRect, 8>;

// What is left of the parts once `cut` is taken away from them.
void subtract(Parts &parts, const QRect &cut)
{
    Parts left;
    for (const QRect &r : parts) {
        const QRect i = r & cut;
        if (i.isEmpty()) {
            left.append(r);
            continue;
        }
        if (i.top() > r.top())
            left.append(QRect(r.left(), r.top(), r.width(), i.top() - r.top()));
        if (i.bottom() < r.bottom())
            left.append(QRect(QPoint(r.left(), i.bottom() + 1), r.bottomRight()));
        if (i.left() > r.left())
            left.append(QRect(QPoint(r.left(), i.top()), QPoint(i.left() - 1, i.bottom())));
        if (i.right() < r.right())
            left.append(QRect(QPoint(i.right() + 1, i.top()), QPoint(r.right(), i.bottom())));
    }
    parts = left;
}
} // namespace

void PieceGlide::plan(const QVector<std::pair<QPoint, QPoint>> &exchanges, const PlaceRect &placeRect)
{
    m_pieces.clear();
    m_area = QRect();
    m_largest = QSize();
    // Follow every piece through the exchanges: where each place's piece started.
    QHash<QPoint, QPoint> startOf;
    const auto start = [&startOf](QPoint place) { return startOf.value(place, place); };
    for (const auto &[a, b] : exchanges) {
        const QPoint startA = start(a);
        const QPoint startB = start(b);
        startOf.insert(a, startB);
        startOf.insert(b, startA);
    }
    qint64 covered = 0;
    for (auto it = startOf.cbegin(); it != startOf.cend(); ++it) {
        if (it.key() == it.value())
            continue;
        const Piece piece{placeRect(it.key()), placeRect(it.value())};
        m_pieces.append(piece);
        m_area |= piece.source | piece.from;
        m_largest = m_largest.expandedTo(piece.source.size());
        covered += qint64(piece.source.width()) * piece.source.height();
    }
    // The pieces only change places among themselves, so the places they reach are the
    // places they leave.
    m_dense = covered == qint64(m_area.width()) * m_area.height();
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

QRect PieceGlide::frameRect(const Piece &piece, qreal t)
{
    // On the way a piece keeps the size of the place it goes to, a pixel off at most, so it
    // is a plain copy instead of a stretch, which costs several times more; it starts from
    // its old place exactly.
    if (t <= 0)
        return piece.from;
    return QRect(at(piece, t).toRect().topLeft(), piece.source.size());
}

QRegion PieceGlide::changed(qreal t0, qreal t1) const
{
    // Past a few pieces the union costs more than it saves: most of the board moves.
    if (m_pieces.size() > 16)
        return QRegion(m_area);
    QRegion region;
    for (const Piece &piece : m_pieces) {
        region += frameRect(piece, t0);
        region += frameRect(piece, t1);
    }
    return region;
}

QVector<QRect> PieceGlide::darkParts(const QVector<QRect> &targets, const QRect &exposed) const
{
    // Each moving piece is listed in the cells of a grid of the largest place's size that it
    // touches, so a place is compared only with the pieces near it; a few pieces share one.
    const bool few = m_pieces.size() <= 16;
    const int cellW = few ? m_area.width() + 1 : qMax(1, m_largest.width());
    const int cellH = few ? m_area.height() + 1 : qMax(1, m_largest.height());
    const int columns = m_area.width() / cellW + 2;
    const int rows = m_area.height() / cellH + 2;
    const auto cellX = [&](int x) { return qBound(0, (x - m_area.left()) / cellW, columns - 1); };
    const auto cellY = [&](int y) { return qBound(0, (y - m_area.top()) / cellH, rows - 1); };
    std::vector<QVarLengthArray<int, 4>> cells(std::size_t(columns) * std::size_t(rows));
    for (int i = 0; i < targets.size(); ++i) {
        const QRect &r = targets[i];
        for (int y = cellY(r.top()); y <= cellY(r.bottom()); ++y)
            for (int x = cellX(r.left()); x <= cellX(r.right()); ++x)
                cells[std::size_t(y) * std::size_t(columns) + std::size_t(x)].append(i);
    }
    QVector<QRect> dark;
    for (const Piece &piece : m_pieces) {
        Parts parts;
        parts.append(piece.source & exposed);
        if (parts.first().isEmpty())
            continue;
        const QRect &s = piece.source;
        for (int y = cellY(s.top()); y <= cellY(s.bottom()) && !parts.isEmpty(); ++y)
            for (int x = cellX(s.left()); x <= cellX(s.right()) && !parts.isEmpty(); ++x)
                for (const int i : cells[std::size_t(y) * std::size_t(columns) + std::size_t(x)])
                    subtract(parts, targets[i]);
        for (const QRect &r : parts)
            dark.append(r);
    }
    return dark;
}

void PieceGlide::paintFrame(QPainter &painter, const QImage &board, qreal t, const QRect &exposed) const
{
    // Away from the places that take part the frame is the board as it is, and so it is
    // between them when they leave gaps.
    for (const QRect &rect : QRegion(exposed).subtracted(QRegion(m_area)))
        painter.drawImage(rect.topLeft(), board, rect);
    const QRect inside = exposed & m_area;
    if (inside.isEmpty())
        return;
    if (!m_dense)
        painter.drawImage(inside.topLeft(), board, inside);

    QVector<QRect> targets;
    targets.reserve(m_pieces.size());
    for (const Piece &piece : m_pieces)
        targets.append(frameRect(piece, t));
    // The places the pieces reach stay dark until they arrive, as the empty place of the
    // sliding style is; only what no piece covers is filled, so each pixel is painted once.
    for (const QRect &dark : darkParts(targets, inside))
        painter.fillRect(dark, Qt::black);
    // Whole pixels keep each piece a plain copy: no filtering, several times faster.
    for (int i = 0; i < m_pieces.size(); ++i) {
        const QRect &target = targets[i];
        const QRect shown = target & inside;
        if (shown.isEmpty())
            continue;
        const QRect source = m_pieces[i].source;
        if (target.size() == source.size()) {
            painter.drawImage(shown.topLeft(), board, shown.translated(source.topLeft() - target.topLeft()));
        } else if (shown == target) {
            painter.drawImage(target, board, source);
        } else {
            painter.save();
            painter.setClipRect(shown, Qt::IntersectClip);
            painter.drawImage(target, board, source);
            painter.restore();
        }
    }
}
