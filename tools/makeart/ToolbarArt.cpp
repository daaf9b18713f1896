#include "ToolbarArt.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace
{

constexpr double grid = 24.0;

QImage drawOnGrid(int side, const std::function<void(QPainter &)> &draw)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / grid, side / grid);
    draw(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

void magnifier(QPainter &painter)
{
    painter.setPen(QPen(QColor(90, 60, 30), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    painter.setPen(QPen(QColor(60, 60, 70), 1.6));
    painter.setBrush(QColor(200, 230, 250));
    painter.drawEllipse(QPointF(9.5, 9.5), 7, 7);
}

void arrow(QPainter &painter, const QPointF &tip, const QPointF &towards)
{
    const QPointF along = (towards - tip) / 4.0;
    const QPointF across(-along.y(), along.x());
    painter.drawLine(tip, towards);
    painter.drawPolygon(QPolygonF{tip, tip + along * 1.4 + across * 0.7, tip + along * 1.4 - across * 0.7});
}

// A curved arrow that turns back to the left, mirrored for the forward turn.
QImage turnArrow(int side, bool mirrored)
{
    return drawOnGrid(side, [mirrored](QPainter &painter) {
        if (mirrored) {
            painter.translate(grid, 0);
            painter.scale(-1, 1);
        }
        const QColor blue(30, 80, 190);
        QPainterPath path;
        path.moveTo(7, 9);
        path.cubicTo(QPointF(12, 4), QPointF(21, 6), QPointF(20, 13));
        path.cubicTo(QPointF(19.5, 17), QPointF(16, 19.5), QPointF(12, 19.5));
        painter.setPen(QPen(blue, 2.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(QPen(blue, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(blue);
        painter.drawPolygon(QPolygonF{{3, 6}, {11, 5}, {6.5, 13}});
    });
}

} // namespace

namespace ToolbarArt
{

QImage atom(int side)
{
    return drawOnGrid(side, [side](QPainter &painter) { paintAtom(painter, side >= 24); });
}

void paintAtom(QPainter &painter, bool thinOrbits)
{
    const QPointF centre(12, 12);
    const double orbitWidth = thinOrbits ? 1.1 : 1.6;
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(centre);
        painter.rotate(i * 60.0);
        painter.setPen(QPen(QColor(30, 90, 200), orbitWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(0, 0), 10.5, 4.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 170, 230));
        painter.drawEllipse(QPointF(10.5, 0), 1.6, 1.6);
        painter.restore();
    }
    QRadialGradient nucleus(centre + QPointF(-1, -1), 3.5);
    nucleus.setColorAt(0, QColor(255, 170, 150));
    nucleus.setColorAt(1, QColor(200, 20, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(nucleus);
    painter.drawEllipse(centre, 3.2, 3.2);
}

QImage openFolder(int side)
{
    return drawOnGrid(side, [](QPainter &painter) {
        painter.setPen(QPen(QColor(140, 100, 20), 1));
        painter.setBrush(QColor(225, 175, 50));
        painter.drawPolygon(QPolygonF{{2, 5}, {9, 5}, {11, 7}, {19, 7}, {19, 19}, {2, 19}});
        painter.setBrush(QColor(255, 215, 90));
        painter.drawPolygon(QPolygonF{{5, 10}, {23, 10}, {19, 19}, {2, 19}});
        painter.setPen(QPen(QColor(30, 140, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(14, 3), QPointF(19, 3));
        painter.drawLine(QPointF(19, 3), QPointF(17, 1.2));
    });
}

QImage saveDisk(int side)
{
    return drawOnGrid(side, [](QPainter &painter) {
        painter.setPen(QPen(QColor(20, 30, 80), 1));
        painter.setBrush(QColor(50, 80, 170));
        QPainterPath body;
        body.moveTo(2, 2);
        body.lineTo(19, 2);
        body.lineTo(22, 5);
        body.lineTo(22, 22);
        body.lineTo(2, 22);
        body.closeSubpath();
        painter.drawPath(body);
        painter.setBrush(QColor(245, 245, 245));
        painter.drawRect(QRectF(5, 12, 14, 10));
        painter.setPen(QPen(QColor(150, 150, 160), 0.8));
        for (double y = 15; y < 21; y += 2.5)
            painter.drawLine(QPointF(7, y), QPointF(17, y));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(190, 195, 205));
        painter.drawRect(QRectF(6, 2, 11, 7));
        painter.setBrush(QColor(50, 80, 170));
        painter.drawRect(QRectF(13, 3, 2.5, 5));
    });
}

QImage zoomOut(int side)
{
    return drawOnGrid(side, [](QPainter &painter) {
        magnifier(painter);
        painter.setPen(QPen(QColor(180, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6, 9.5), QPointF(13, 9.5));
    });
}

QImage zoomIn(int side)
{
    return drawOnGrid(side, [](QPainter &painter) {
        magnifier(painter);
        painter.setPen(QPen(QColor(20, 130, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6, 9.5), QPointF(13, 9.5));
        painter.drawLine(QPointF(9.5, 6), QPointF(9.5, 13));
    });
}

QImage fitArrows(int side)
{
    return drawOnGrid(side, [](QPainter &painter) {
        painter.setPen(QPen(QColor(110, 110, 120), 1));
        painter.setBrush(QColor(230, 235, 245));
        painter.drawRect(QRectF(7.5, 7.5, 9, 9));
        const QColor blue(30, 80, 190);
        painter.setPen(QPen(blue, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(blue);
        arrow(painter, {1.5, 1.5}, {7, 7});
        arrow(painter, {22.5, 1.5}, {17, 7});
        arrow(painter, {1.5, 22.5}, {7, 17});
        arrow(painter, {22.5, 22.5}, {17, 17});
    });
}

QImage undoArrow(int side)
{
    return turnArrow(side, false);
}

QImage redoArrow(int side)
{
    return turnArrow(side, true);
}

} // namespace ToolbarArt
