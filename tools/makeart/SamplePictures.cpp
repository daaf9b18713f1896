#include "SamplePictures.h"

#include "WmfWriter.h"

#include <QFont>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <random>

namespace
{

// Random numbers with a fixed seed per picture, so every build draws the same pixels.
class Dice
{
public:
    explicit Dice(unsigned seed) : m_engine(seed) {}

    double real(double from, double to) { return std::uniform_real_distribution<double>(from, to)(m_engine); }
    int whole(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_engine); }

private:
    std::mt19937 m_engine;
};

QFont font(int pixels, bool bold = false)
{
    QFont result(QStringLiteral("DejaVu Sans"));
    result.setPixelSize(pixels);
    result.setBold(bold);
    return result;
}

// A smooth ridge line through evenly spaced heights, closed down to the bottom edge.
QPainterPath ridge(const QList<double> &heights, double width, double bottom)
{
    QPainterPath path;
    const double step = width / (heights.size() - 1);
    path.moveTo(0, heights.first());
    for (int i = 1; i < heights.size(); ++i) {
        const double x0 = (i - 1) * step;
        const double x1 = i * step;
        path.cubicTo(x0 + step / 2, heights[i - 1], x1 - step / 2, heights[i], x1, heights[i]);
    }
    path.lineTo(width, bottom);
    path.lineTo(0, bottom);
    path.closeSubpath();
    return path;
}

void cloud(QPainter &painter, Dice &dice, const QPointF &centre, double size)
{
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const QPointF offset(dice.real(-1.2, 1.2) * size, dice.real(-0.35, 0.35) * size);
        const double radius = dice.real(0.35, 0.7) * size;
        painter.setBrush(QColor(255, 255, 255, dice.whole(170, 235)));
        painter.drawEllipse(centre + offset, radius * 1.3, radius);
    }
}

void house(QPainter &painter, const QPointF &base, double scale, const QColor &wall, const QColor &roof)
{
    painter.save();
    painter.translate(base);
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(60, 40, 30), 1.5));
    painter.setBrush(QColor(120, 110, 100));
    painter.drawRect(QRectF(22, -78, 9, 22)); // chimney
    painter.setBrush(wall);
    painter.drawRect(QRectF(-40, -50, 80, 50));
    painter.setBrush(roof);
    painter.drawPolygon(QPolygonF{{-48, -48}, {0, -88}, {48, -48}});
    painter.setBrush(QColor(110, 70, 40));
    painter.drawRect(QRectF(-8, -28, 16, 28));
    painter.setBrush(QColor(255, 230, 120));
    painter.drawRect(QRectF(-32, -40, 16, 14));
    painter.drawRect(QRectF(16, -40, 16, 14));
    painter.drawLine(QPointF(-24, -40), QPointF(-24, -26));
    painter.drawLine(QPointF(24, -40), QPointF(24, -26));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(QColor(200, 200, 205, 150 - i * 30));
        painter.drawEllipse(QPointF(28 + i * 9, -92 - i * 14), 7 + i * 3, 6 + i * 2);
    }
    painter.restore();
}

void tree(QPainter &painter, Dice &dice, const QPointF &base, double size)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(100, 65, 35));
    painter.drawRect(QRectF(base.x() - size * 0.08, base.y() - size * 0.5, size * 0.16, size * 0.5));
    if (dice.whole(0, 2) == 0) {
        const QColor needles(30, dice.whole(90, 120), 50);
        for (int layer = 0; layer < 3; ++layer) {
            painter.setBrush(needles.lighter(100 + layer * 12));
            const double top = base.y() - size * (1.4 - layer * 0.25);
            const double half = size * (0.3 + layer * 0.08);
            painter.drawPolygon(QPolygonF{
                {base.x(), top}, {base.x() + half, top + size * 0.55}, {base.x() - half, top + size * 0.55}});
        }
        return;
    }
    for (int i = 0; i < 6; ++i) {
        painter.setBrush(QColor(dice.whole(40, 90), dice.whole(120, 170), dice.whole(30, 60)));
        const QPointF centre(base.x() + dice.real(-0.3, 0.3) * size, base.y() - size * dice.real(0.7, 1.05));
        painter.drawEllipse(centre, size * 0.3, size * 0.27);
    }
}

void windmill(QPainter &painter, const QPointF &base, double size)
{
    painter.setPen(QPen(QColor(70, 60, 50), 2));
    painter.setBrush(QColor(235, 225, 205));
    painter.drawPolygon(QPolygonF{{base.x() - size * 0.25, base.y()},
                                  {base.x() - size * 0.15, base.y() - size},
                                  {base.x() + size * 0.15, base.y() - size},
                                  {base.x() + size * 0.25, base.y()}});
    const QPointF hub(base.x(), base.y() - size);
    painter.setBrush(QColor(180, 60, 40));
    for (int i = 0; i < 4; ++i) {
        painter.save();
        painter.translate(hub);
        painter.rotate(20 + i * 90);
        painter.drawRect(QRectF(4, -7, size * 0.75, 14));
        painter.restore();
    }
    painter.setBrush(QColor(60, 50, 40));
    painter.drawEllipse(hub, 6, 6);
}

void balloon(QPainter &painter, const QPointF &top)
{
    const QList<QColor> stripes{QColor(220, 40, 40), QColor(250, 210, 40), QColor(40, 120, 210)};
    const QRectF envelope(top.x() - 45, top.y(), 90, 110);
    painter.setPen(QPen(QColor(60, 40, 30), 1.5));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(stripes[i % stripes.size()]);
        painter.drawEllipse(envelope.adjusted(i * 11, 0, -i * 11, 0));
    }
    painter.drawLine(QPointF(top.x() - 30, top.y() + 96), QPointF(top.x() - 10, top.y() + 140));
    painter.drawLine(QPointF(top.x() + 30, top.y() + 96), QPointF(top.x() + 10, top.y() + 140));
    painter.setBrush(QColor(140, 90, 40));
    painter.drawRect(QRectF(top.x() - 12, top.y() + 138, 24, 18));
}

void mosaicMark(QPainter &painter, int kind, const QRectF &box)
{
    const QPointF c = box.center();
    const double r = box.width() / 2;
    switch (kind) {
    case 0:
        painter.drawEllipse(c, r, r);
        break;
    case 1:
        painter.drawRect(box);
        break;
    case 2:
        painter.drawPolygon(QPolygonF{{c.x(), c.y() - r}, {c.x() + r, c.y() + r}, {c.x() - r, c.y() + r}});
        break;
    default:
        painter.drawPolygon(
            QPolygonF{{c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}});
        break;
    }
}

QPolygon star(const QPoint &centre, int points, int outer, int inner, double turn)
{
    QPolygon result;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = turn + M_PI * i / points;
        result << QPoint(centre.x() + int(std::lround(radius * std::cos(angle))),
                         centre.y() + int(std::lround(radius * std::sin(angle))));
    }
    return result;
}

} // namespace

namespace SamplePictures
{

QImage landscape()
{
    constexpr int width = 1600;
    constexpr int height = 1200;
    Dice dice(42);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 680);
    sky.setColorAt(0, QColor(35, 85, 175));
    sky.setColorAt(1, QColor(185, 215, 240));
    painter.fillRect(image.rect(), sky);

    const QPointF sunCentre(1290, 220);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 220, 90));
    for (int i = 0; i < 16; ++i) {
        const double angle = i * M_PI / 8;
        const double reach = i % 2 == 0 ? 175 : 135;
        painter.drawPolygon(
            QPolygonF{sunCentre + QPointF(std::cos(angle - 0.1), std::sin(angle - 0.1)) * 95,
                      sunCentre + QPointF(std::cos(angle), std::sin(angle)) * reach,
                      sunCentre + QPointF(std::cos(angle + 0.1), std::sin(angle + 0.1)) * 95});
    }
    QRadialGradient sun(sunCentre, 95);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(1, QColor(255, 170, 30));
    painter.setBrush(sun);
    painter.drawEllipse(sunCentre, 95, 95);

    for (const QPointF &centre :
         {QPointF(220, 160), QPointF(620, 110), QPointF(930, 250), QPointF(420, 330), QPointF(1500, 420)})
        cloud(painter, dice, centre, dice.real(45, 75));
    // A wisp in every stretch of sky, so no two pieces of a fine cut show bare blue.
    for (int column = 0; column < 10; ++column) {
        for (int row = 0; row < 3; ++row) {
            const QPointF centre(column * 160 + dice.real(30, 130), row * 120 + dice.real(25, 95));
            if (QLineF(centre, sunCentre).length() > 200)
                cloud(painter, dice, centre, dice.real(12, 22));
        }
    }

    painter.setPen(QPen(QColor(40, 40, 50), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 9; ++i) {
        const QPointF at(dice.real(500, 1100), dice.real(140, 420));
        const double span = dice.real(10, 18);
        painter.drawArc(QRectF(at.x() - span, at.y(), span, span * 0.8), 20 * 16, 140 * 16);
        painter.drawArc(QRectF(at.x(), at.y(), span, span * 0.8), 20 * 16, 140 * 16);
    }

    QList<double> peaks;
    for (int i = 0; i <= 12; ++i)
        peaks << (i % 2 == 0 ? dice.real(430, 520) : dice.real(300, 400));
    const QPainterPath mountains = ridge(peaks, width, height);
    QLinearGradient rock(0, 300, 0, 700);
    rock.setColorAt(0, QColor(130, 125, 165));
    rock.setColorAt(1, QColor(95, 100, 130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rock);
    painter.drawPath(mountains);
    painter.save();
    painter.setClipPath(mountains);
    for (int i = 0; i < 700; ++i) {
        const QPointF at(dice.real(0, width), dice.real(300, 700));
        const int shade = dice.whole(80, 150);
        painter.setPen(QPen(QColor(shade, shade - 5, shade + 30), dice.real(1, 3)));
        painter.drawLine(at, at + QPointF(dice.real(-25, 25), dice.real(-6, 6)));
    }
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 255));
    const double step = double(width) / 12;
    for (int i = 1; i <= 11; i += 2) {
        const double x = i * step;
        const double y = peaks[i];
        painter.drawPolygon(QPolygonF{
            {x, y + 2}, {x + 45, y + 48}, {x + 15, y + 38}, {x, y + 58}, {x - 18, y + 40}, {x - 45, y + 50}});
    }

    for (int i = 0; i < 260; ++i) {
        const double x = dice.real(0, width);
        const double y = dice.real(560, 660);
        const double size = dice.real(12, 24);
        painter.setBrush(QColor(30, dice.whole(70, 110), 50));
        painter.drawPolygon(QPolygonF{{x, y - size}, {x + size * 0.35, y}, {x - size * 0.35, y}});
    }
    balloon(painter, QPointF(230, 330));

    const QList<QColor> hillColours{QColor(110, 160, 80), QColor(80, 145, 60), QColor(60, 125, 45)};
    QList<QPainterPath> hills;
    for (int layer = 0; layer < 3; ++layer) {
        QList<double> heights;
        for (int i = 0; i <= 6; ++i)
            heights << dice.real(600 + layer * 110, 680 + layer * 130);
        hills << ridge(heights, width, height);
        QLinearGradient grass(0, 600 + layer * 110, 0, height);
        grass.setColorAt(0, hillColours[layer].lighter(115));
        grass.setColorAt(1, hillColours[layer].darker(130));
        painter.setPen(Qt::NoPen);
        painter.setBrush(grass);
        painter.drawPath(hills.last());
        painter.save();
        painter.setClipPath(hills.last());
        const double blade = 4 + layer * 4;
        for (int i = 0; i < 5000; ++i) {
            const QPointF at(dice.real(0, width), dice.real(600 + layer * 110, height));
            painter.setPen(QPen(QColor(dice.whole(30, 110), dice.whole(110, 180), dice.whole(20, 60)), 1.2));
            painter.drawLine(at, at + QPointF(dice.real(-2, 2), -dice.real(blade, blade * 2.5)));
        }
        painter.restore();
        if (layer == 0) {
            const QPolygonF field{{260, 690}, {560, 676}, {600, 742}, {230, 760}};
            painter.setPen(QPen(QColor(150, 120, 40), 1.5));
            painter.setBrush(QColor(225, 195, 80));
            painter.drawPolygon(field);
            for (int row = 1; row < 6; ++row) {
                const double t = row / 6.0;
                painter.drawLine(QPointF(260 - 30 * t, 690 + 70 * t), QPointF(560 + 40 * t, 676 + 66 * t));
            }
            painter.setPen(Qt::NoPen);
            windmill(painter, QPointF(1100, 690), 110);
        }
    }

    QPainterPath river;
    river.moveTo(880, 660);
    river.cubicTo(980, 760, 700, 850, 820, 950);
    river.cubicTo(920, 1040, 640, 1120, 700, 1200);
    river.lineTo(980, 1200);
    river.cubicTo(900, 1100, 1120, 1030, 960, 940);
    river.cubicTo(850, 860, 1040, 770, 900, 660);
    river.closeSubpath();
    QLinearGradient water(0, 660, 0, height);
    water.setColorAt(0, QColor(120, 170, 220));
    water.setColorAt(1, QColor(30, 90, 170));
    painter.setBrush(water);
    painter.drawPath(river);
    painter.save();
    painter.setClipPath(river);
    painter.setPen(QPen(QColor(230, 240, 255, 180), 2));
    for (int i = 0; i < 60; ++i) {
        const double y = dice.real(680, 1190);
        const double x = dice.real(640, 1040);
        painter.drawLine(QPointF(x, y), QPointF(x + dice.real(10, 30), y));
    }
    painter.restore();

    QPainterPath road;
    road.moveTo(0, 1130);
    road.cubicTo(250, 1040, 380, 900, 560, 860);
    road.lineTo(600, 870);
    road.cubicTo(430, 930, 330, 1080, 120, 1200);
    road.lineTo(0, 1200);
    road.closeSubpath();
    painter.setPen(QPen(QColor(120, 90, 50), 2));
    painter.setBrush(QColor(200, 170, 120));
    painter.drawPath(road);

    const QList<QColor> walls{QColor(240, 230, 200), QColor(250, 210, 170), QColor(220, 235, 245),
                              QColor(245, 245, 245), QColor(230, 200, 210), QColor(255, 240, 160),
                              QColor(210, 230, 190)};
    const QList<QColor> roofs{QColor(180, 50, 40), QColor(150, 70, 40), QColor(90, 90, 110),
                              QColor(200, 80, 50)};
    const QList<QPointF> houses{{180, 860},  {300, 830},  {430, 880}, {560, 820},
                                {1240, 860}, {1380, 900}, {1480, 840}};
    for (int i = 0; i < houses.size(); ++i)
        house(painter, houses[i], 0.9 + 0.1 * (i % 3), walls[i], roofs[i % roofs.size()]);

    painter.setPen(Qt::NoPen);
    const QList<QColor> petals{QColor(230, 40, 50), QColor(250, 220, 40), QColor(250, 250, 250),
                               QColor(160, 80, 200), QColor(250, 140, 30)};
    for (int i = 0; i < 500; ++i) {
        const QPointF at(dice.real(1060, width), dice.real(1000, height));
        painter.setBrush(petals[dice.whole(0, int(petals.size()) - 1)]);
        painter.drawEllipse(at, 3.5, 3.5);
    }

    for (int i = 0; i < 34; ++i) {
        const double y = dice.real(760, 1150);
        double x = dice.real(0, width);
        if (x > 620 && x < 1060)
            x = x < 840 ? x - 260 : x + 260;
        tree(painter, dice, QPointF(x, y), 40 + (y - 700) * 0.18);
    }

    painter.setPen(QPen(QColor(110, 80, 50), 3));
    for (int i = 0; i < 16; ++i) {
        const double x = 40 + i * 32;
        const double y = 1150 - i * 13;
        painter.drawLine(QPointF(x, y), QPointF(x, y - 30));
        if (i > 0) {
            painter.drawLine(QPointF(x - 32, y + 13 - 10), QPointF(x, y - 10));
            painter.drawLine(QPointF(x - 32, y + 13 - 22), QPointF(x, y - 22));
        }
    }

    return image;
}

QImage mosaic()
{
    constexpr int columns = 20;
    constexpr int rows = 15;
    constexpr int tile = 40;
    // Colours on the 6 x 6 x 6 cube that the GIF palette holds exactly.
    const QList<QColor> colours{
        QColor(255, 51, 51),   QColor(255, 153, 51),  QColor(255, 204, 0),   QColor(153, 204, 51),
        QColor(51, 153, 51),   QColor(0, 153, 153),   QColor(51, 153, 255),  QColor(51, 51, 204),
        QColor(153, 51, 204),  QColor(204, 51, 153),  QColor(255, 153, 204), QColor(255, 255, 153),
        QColor(204, 255, 204), QColor(153, 204, 255), QColor(204, 153, 102), QColor(102, 51, 0),
        QColor(102, 102, 102), QColor(204, 204, 204), QColor(0, 102, 51),    QColor(153, 0, 51)};
    QImage image(columns * tile, rows * tile, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font(14, true));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QRect box(c * tile, r * tile, tile, tile);
            const QColor background = colours[(c + 3 * r) % colours.size()];
            const QColor mark = colours[(c * 7 + r * 11 + 5) % colours.size()];
            painter.fillRect(box, background);
            painter.setPen(QPen(QColor(51, 51, 51), 1));
            painter.setBrush(mark);
            mosaicMark(painter, (c + r * 2) % 4, QRectF(box.right() - 13, box.top() + 3, 10, 10));
            const bool dark = background.lightness() < 130;
            painter.setPen(dark ? Qt::white : Qt::black);
            const QString label = QString(QChar('A' + c)) + QString::number(r + 1);
            painter.drawText(box.adjusted(2, 12, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
            painter.setPen(QColor(51, 51, 51));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 7));
    painter.drawEllipse(QPointF(400, 300), 250, 250);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(QPointF(400, 300), 150, 150);
    painter.drawLine(QPointF(0, 600), QPointF(800, 0));
    return image;
}

QImage clock()
{
    constexpr int side = 720;
    const QPointF centre(side / 2.0, side / 2.0);
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient backdrop(centre, side * 0.75);
    backdrop.setColorAt(0, QColor(40, 70, 130));
    backdrop.setColorAt(1, QColor(10, 20, 50));
    painter.fillRect(image.rect(), backdrop);

    const QList<QColor> cornerColours{QColor(200, 60, 60), QColor(60, 170, 90), QColor(220, 170, 40),
                                      QColor(150, 80, 190)};
    const QList<QPointF> corners{{0, 0}, {side, 0}, {0, side}, {side, side}};
    for (int i = 0; i < 4; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(cornerColours[i]);
        painter.drawEllipse(corners[i], 150, 150);
        painter.setBrush(cornerColours[i].lighter(150));
        const QPointF inward((i % 2 == 0) ? 62 : side - 62, (i < 2) ? 62 : side - 62);
        painter.drawPolygon(star(inward.toPoint(), 5 + i, 38, 16, i * 0.3));
    }

    QRadialGradient rim(centre, 315);
    rim.setColorAt(0.9, QColor(250, 220, 130));
    rim.setColorAt(1.0, QColor(150, 110, 30));
    painter.setBrush(rim);
    painter.drawEllipse(centre, 315, 315);
    QRadialGradient face(centre, 290);
    face.setColorAt(0, QColor(255, 253, 240));
    face.setColorAt(1, QColor(235, 225, 200));
    painter.setBrush(face);
    painter.drawEllipse(centre, 290, 290);

    for (int i = 0; i < 60; ++i) {
        const double angle = i * M_PI / 30;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        const bool hour = i % 5 == 0;
        painter.setPen(QPen(QColor(40, 35, 30), hour ? 6 : 2));
        painter.drawLine(centre + direction * (hour ? 250 : 265), centre + direction * 282);
    }

    painter.setPen(QColor(30, 30, 40));
    painter.setFont(font(46, true));
    for (int hour = 1; hour <= 12; ++hour) {
        const double angle = hour * M_PI / 6;
        const QPointF at = centre + QPointF(std::sin(angle), -std::cos(angle)) * 212;
        painter.drawText(QRectF(at.x() - 40, at.y() - 30, 80, 60), Qt::AlignCenter, QString::number(hour));
    }
    painter.setPen(QColor(180, 40, 40));
    painter.setFont(font(20));
    for (int hour = 13; hour <= 24; ++hour) {
        const double angle = hour * M_PI / 6;
        const QPointF at = centre + QPointF(std::sin(angle), -std::cos(angle)) * 150;
        painter.drawText(QRectF(at.x() - 25, at.y() - 15, 50, 30), Qt::AlignCenter, QString::number(hour));
    }

    painter.setPen(QColor(120, 90, 30));
    painter.setFont(font(24, true));
    painter.drawText(QRectF(centre.x() - 150, centre.y() - 110, 300, 40), Qt::AlignCenter,
                     QStringLiteral("TESSELON"));

    const QPointF small = centre + QPointF(0, 95);
    painter.setPen(QPen(QColor(60, 50, 40), 2));
    painter.setBrush(QColor(245, 240, 225));
    painter.drawEllipse(small, 48, 48);
    for (int i = 0; i < 12; ++i) {
        const double angle = i * M_PI / 6;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        painter.drawLine(small + direction * 38, small + direction * 46);
    }
    painter.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(small, small + QPointF(std::sin(2.2), -std::cos(2.2)) * 40);

    auto hand = [&](double angle, double length, double width, const QColor &colour) {
        painter.save();
        painter.translate(centre);
        painter.rotate(angle);
        painter.setPen(QPen(QColor(20, 20, 20), 1.5));
        painter.setBrush(colour);
        painter.drawPolygon(QPolygonF{{-width, 20}, {0, -length}, {width, 20}});
        painter.restore();
    };
    hand(10 * 30 + 8 * 0.5, 150, 12, QColor(40, 40, 60));
    hand(8 * 6 + 3, 240, 8, QColor(40, 40, 60));
    painter.setPen(QPen(QColor(210, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - QPointF(std::sin(3.1), -std::cos(3.1)) * 50,
                     centre + QPointF(std::sin(3.1), -std::cos(3.1)) * 260);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 160, 60));
    painter.drawEllipse(centre, 14, 14);
    return image;
}

QImage city()
{
    constexpr int width = 1024;
    constexpr int height = 768;
    constexpr int margin = 32;
    Dice dice(7);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), QColor(250, 246, 232));
    const QRectF map(margin, margin, width - 2 * margin, height - 2 * margin);
    painter.fillRect(map, QColor(238, 232, 214));
    painter.save();
    painter.setClipRect(map);

    constexpr int block = 120;
    for (int bx = 0; bx < 9; ++bx) {
        for (int by = 0; by < 7; ++by) {
            const QRectF lot(margin + bx * block + 14, margin + by * block + 14, block - 28, block - 28);
            if ((bx * 3 + by * 5) % 7 == 0) {
                painter.fillRect(lot, QColor(160, 205, 130));
                painter.setPen(Qt::NoPen);
                for (int t = 0; t < 14; ++t) {
                    painter.setBrush(QColor(70, dice.whole(120, 160), 60));
                    painter.drawEllipse(QPointF(lot.left() + dice.real(8, lot.width() - 8),
                                                lot.top() + dice.real(8, lot.height() - 8)),
                                        6, 6);
                }
                continue;
            }
            for (int b = 0; b < 5; ++b) {
                const QRectF building(lot.left() + dice.real(0, lot.width() - 30),
                                      lot.top() + dice.real(0, lot.height() - 30), dice.real(22, 46),
                                      dice.real(22, 46));
                const int shade = dice.whole(170, 215);
                painter.setPen(QPen(QColor(120, 110, 100), 1));
                painter.setBrush(QColor(shade, shade - dice.whole(0, 25), shade - dice.whole(10, 40)));
                painter.drawRect(building.intersected(lot));
            }
        }
    }

    painter.setPen(QPen(QColor(180, 170, 150), 1));
    painter.setBrush(Qt::NoBrush);
    for (int x = margin; x < width; x += block) {
        painter.fillRect(QRectF(x - 6, margin, 12, map.height()), Qt::white);
        painter.drawLine(QPointF(x - 6, margin), QPointF(x - 6, height - margin));
        painter.drawLine(QPointF(x + 6, margin), QPointF(x + 6, height - margin));
    }
    for (int y = margin; y < height; y += block) {
        painter.fillRect(QRectF(margin, y - 6, map.width(), 12), Qt::white);
        painter.drawLine(QPointF(margin, y - 6), QPointF(width - margin, y - 6));
        painter.drawLine(QPointF(margin, y + 6), QPointF(width - margin, y + 6));
    }

    QPainterPath avenue;
    avenue.moveTo(margin, 560);
    avenue.cubicTo(300, 500, 600, 380, width - margin, 150);
    painter.setPen(QPen(QColor(220, 140, 40), 22, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(avenue);
    painter.setPen(QPen(QColor(255, 215, 90), 16, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(avenue);

    QPainterPath river;
    river.moveTo(150, margin);
    river.cubicTo(260, 250, 80, 420, 330, height - margin);
    painter.setPen(QPen(QColor(90, 150, 215), 46, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(river);
    painter.setPen(QPen(QColor(150, 195, 240), 2, Qt::DashLine));
    painter.drawPath(river);
    painter.setPen(QPen(QColor(90, 80, 70), 3));
    painter.setBrush(QColor(200, 190, 170));
    painter.drawRect(QRectF(140, 260, 110, 22));

    painter.setPen(QPen(QColor(40, 90, 160), 2));
    painter.setBrush(QColor(140, 190, 235));
    painter.drawEllipse(QPointF(820, 560), 90, 55);

    painter.setFont(font(12, true));
    painter.setPen(QColor(70, 60, 50));
    const QStringList streets{QString::fromUtf8("Calle Mayor"),   QString::fromUtf8("Rúa Nova"),
                              QString::fromUtf8("Calle del Sol"), QString::fromUtf8("Rúa do Mar"),
                              QString::fromUtf8("Calle Ancha"),   QString::fromUtf8("Rúa da Fonte")};
    for (int i = 0; i < streets.size(); ++i) {
        const int y = margin + (i + 1) * block;
        painter.drawText(QPointF(margin + 40 + (i % 3) * 250, y + 4), streets[i]);
    }
    const QStringList avenues{QString::fromUtf8("Av. del Puerto"), QString::fromUtf8("Paseo Alto"),
                              QString::fromUtf8("Camino Real"), QString::fromUtf8("Rúa Longa")};
    for (int i = 0; i < avenues.size(); ++i) {
        painter.save();
        painter.translate(margin + (2 * i + 1) * block + 4, margin + 60 + (i % 2) * 300);
        painter.rotate(90);
        painter.drawText(QPointF(0, 0), avenues[i]);
        painter.restore();
    }

    auto landmark = [&](const QPointF &at, const QColor &colour, const QString &sign, const QString &name) {
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(at.x() - 14, at.y() - 14, 28, 28), 5, 5);
        painter.setPen(Qt::white);
        painter.setFont(font(18, true));
        painter.drawText(QRectF(at.x() - 14, at.y() - 14, 28, 28), Qt::AlignCenter, sign);
        painter.setPen(Qt::black);
        painter.setFont(font(12));
        painter.drawText(QPointF(at.x() + 18, at.y() + 5), name);
    };
    landmark({470, 210}, QColor(200, 30, 30), QStringLiteral("H"), QStringLiteral("Hospital"));
    landmark({700, 330}, QColor(90, 60, 160), QString::fromUtf8("†"), QStringLiteral("Iglesia"));
    landmark({350, 450}, QColor(20, 120, 60), QStringLiteral("E"), QString::fromUtf8("Estación"));
    landmark({590, 640}, QColor(220, 120, 20), QStringLiteral("M"), QStringLiteral("Mercado"));
    landmark({880, 270}, QColor(30, 100, 200), QStringLiteral("C"), QStringLiteral("Colegio"));
    landmark({200, 640}, QColor(120, 80, 40), QStringLiteral("P"), QStringLiteral("Parking"));

    const QPointF compass(940, 680);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(250, 250, 240));
    painter.drawEllipse(compass, 42, 42);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawPolygon(
        QPolygonF{compass + QPointF(0, -38), compass + QPointF(9, 0), compass + QPointF(-9, 0)});
    painter.setBrush(QColor(60, 60, 60));
    painter.drawPolygon(
        QPolygonF{compass + QPointF(0, 38), compass + QPointF(9, 0), compass + QPointF(-9, 0)});
    painter.setFont(font(14, true));
    painter.drawText(QRectF(compass.x() - 10, compass.y() - 62, 20, 20), Qt::AlignCenter,
                     QStringLiteral("N"));

    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(QRectF(60, 700, 200, 10));
    painter.fillRect(QRectF(60, 700, 50, 10), Qt::black);
    painter.fillRect(QRectF(160, 700, 50, 10), Qt::black);
    painter.setFont(font(12));
    painter.drawText(QPointF(60, 728), QStringLiteral("0       100      200 m"));

    painter.setPen(QPen(QColor(90, 60, 30), 2));
    painter.setBrush(QColor(255, 250, 225));
    painter.drawRect(QRectF(margin + 12, margin + 12, 210, 56));
    painter.setFont(font(26, true));
    painter.setPen(QColor(90, 60, 30));
    painter.drawText(QRectF(margin + 12, margin + 12, 210, 56), Qt::AlignCenter,
                     QStringLiteral("Villa Tesela"));
    painter.restore();

    painter.setPen(QPen(QColor(60, 50, 40), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(map);
    painter.setFont(font(16, true));
    for (int i = 0; i < 8; ++i) {
        const double x = margin + (i + 0.5) * map.width() / 8;
        const QString letter(QChar('A' + i));
        painter.drawText(QRectF(x - 12, 4, 24, 24), Qt::AlignCenter, letter);
        painter.drawText(QRectF(x - 12, height - 28, 24, 24), Qt::AlignCenter, letter);
    }
    for (int i = 0; i < 6; ++i) {
        const double y = margin + (i + 0.5) * map.height() / 6;
        painter.drawText(QRectF(4, y - 12, 24, 24), Qt::AlignCenter, QString::number(i + 1));
        painter.drawText(QRectF(width - 28, y - 12, 24, 24), Qt::AlignCenter, QString::number(i + 1));
    }
    return image;
}

QByteArray geometricWmf()
{
    constexpr int width = 800;
    constexpr int height = 600;
    constexpr int cell = 100;
    WmfWriter wmf(width, height, 96);
    const QList<QColor> colours{QColor(230, 40, 60),  QColor(250, 150, 30),  QColor(250, 220, 40),
                                QColor(60, 180, 80),  QColor(30, 160, 200),  QColor(50, 80, 200),
                                QColor(150, 60, 190), QColor(240, 110, 170), QColor(130, 90, 50),
                                QColor(20, 120, 110), QColor(180, 220, 60)};

    const int outline = wmf.createPen(QColor(30, 30, 40), 2);
    wmf.select(outline);
    const int paper = wmf.createBrush(QColor(250, 248, 240));
    wmf.select(paper);
    wmf.rectangle(QRect(0, 0, width, height));

    for (int column = 0; column < width / cell; ++column) {
        for (int row = 0; row < height / cell; ++row) {
            const QRect box(column * cell, row * cell, cell, cell);
            const QPoint centre = box.center() + QPoint(1, 1);
            const int first = wmf.createBrush(colours[(column * 3 + row * 5) % colours.size()]);
            wmf.select(first);
            wmf.rectangle(box.adjusted(4, 4, -4, -4));
            const int second = wmf.createBrush(colours[(column * 7 + row * 2 + 4) % colours.size()]);
            wmf.select(second);
            switch ((column + row * 3) % 4) {
            case 0:
                wmf.ellipse(box.adjusted(16, 16, -16, -16));
                break;
            case 1:
                wmf.polygon(star(centre, 5 + column % 3, 40, 17, row * 0.4));
                break;
            case 2:
                wmf.polygon({QPoint(centre.x(), box.top() + 10), QPoint(box.right() - 10, centre.y()),
                             QPoint(centre.x(), box.bottom() - 10), QPoint(box.left() + 10, centre.y())});
                break;
            default:
                wmf.polygon({QPoint(box.left() + 12, box.bottom() - 12), QPoint(centre.x(), box.top() + 12),
                             QPoint(box.right() - 12, box.bottom() - 12)});
                break;
            }
            const int dot = wmf.createBrush(colours[(column + row) % colours.size()]);
            wmf.select(dot);
            const int size = 6 + (column * row) % 8;
            wmf.ellipse(QRect(box.left() + 8, box.top() + 8, size, size));
            wmf.select(paper);
            wmf.deleteObject(first);
            wmf.deleteObject(second);
            wmf.deleteObject(dot);
        }
    }

    const int ring = wmf.createBrush(QColor(255, 255, 255));
    wmf.select(ring);
    wmf.ellipse(QRect(width / 2 - 130, height / 2 - 130, 260, 260));
    const int sun = wmf.createBrush(QColor(250, 200, 30));
    wmf.select(sun);
    wmf.polygon(star(QPoint(width / 2, height / 2), 12, 120, 60, 0));
    const int core = wmf.createBrush(QColor(200, 40, 40));
    wmf.select(core);
    wmf.ellipse(QRect(width / 2 - 40, height / 2 - 40, 80, 80));
    wmf.select(paper);
    wmf.deleteObject(ring);
    wmf.deleteObject(sun);
    wmf.deleteObject(core);
    return wmf.finish();
}

} // namespace SamplePictures
