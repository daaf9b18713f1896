// Draws the pictures of the help pages: a small landscape cut into pieces and shown as the
// board looks in play. Run at build time with the output folder as its only argument.
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QVector>

#include <cmath>
#include <cstdio>
#include <utility>

namespace
{

const QSize pictureSize(360, 240);
const QColor gridColour(40, 40, 40);

QImage drawLandscape()
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(250, 190, 120));
    p.fillRect(picture.rect(), sky);

    QRadialGradient sun(QPointF(265, 70), 34);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(0.6, QColor(255, 210, 80));
    sun.setColorAt(1, QColor(255, 170, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(265, 70), 34, 34);

    QPainterPath farHills;
    farHills.moveTo(0, 140);
    farHills.cubicTo(60, 80, 120, 95, 170, 130);
    farHills.cubicTo(220, 100, 300, 85, 360, 125);
    farHills.lineTo(360, 240);
    farHills.lineTo(0, 240);
    p.setBrush(QColor(95, 120, 150));
    p.drawPath(farHills);

    QPainterPath nearHills;
    nearHills.moveTo(0, 175);
    nearHills.cubicTo(90, 130, 180, 150, 240, 170);
    nearHills.cubicTo(290, 150, 330, 150, 360, 160);
    nearHills.lineTo(360, 240);
    nearHills.lineTo(0, 240);
    QLinearGradient grass(0, 140, 0, 240);
    grass.setColorAt(0, QColor(110, 170, 70));
    grass.setColorAt(1, QColor(40, 100, 40));
    p.setBrush(grass);
    p.drawPath(nearHills);

    QLinearGradient lake(0, 200, 0, 240);
    lake.setColorAt(0, QColor(120, 170, 220));
    lake.setColorAt(1, QColor(50, 90, 160));
    p.setBrush(lake);
    p.drawEllipse(QRectF(150, 198, 170, 34));

    const QVector<QPointF> trees = {{40, 190}, {62, 200}, {90, 186}, {118, 205}};
    for (const QPointF &base : trees) {
        p.setBrush(QColor(100, 65, 35));
        p.drawRect(QRectF(base.x() - 2, base.y() - 6, 4, 10));
        QPolygonF crown;
        crown << QPointF(base.x(), base.y() - 38) << QPointF(base.x() - 11, base.y() - 5)
              << QPointF(base.x() + 11, base.y() - 5);
        p.setBrush(QColor(30, 90, 45));
        p.drawPolygon(crown);
    }

    p.setPen(QPen(QColor(60, 50, 60), 2, Qt::SolidLine, Qt::RoundCap));
    for (const QPointF &bird : {QPointF(90, 50), QPointF(112, 38), QPointF(130, 56)}) {
        p.drawLine(bird, bird + QPointF(-7, -4));
        p.drawLine(bird, bird + QPointF(7, -4));
    }
    return picture;
}

// A board of columns × rows places. homes[i] is the home index of the piece lying on place i
// (places numbered row by row); -1 draws the place black.
struct Board {
    int columns;
    int rows;
    QVector<int> homes;
};

QRect placeRect(const Board &board, int index)
{
    const int w = pictureSize.width() / board.columns;
    const int h = pictureSize.height() / board.rows;
    return QRect((index % board.columns) * w, (index / board.columns) * h, w, h);
}

QImage drawBoard(const QImage &picture, const Board &board, const QVector<int> &inverted = {})
{
    QImage image(pictureSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    for (int place = 0; place < board.homes.size(); ++place) {
        const int home = board.homes.at(place);
        if (home < 0)
            continue;
        QImage piece = picture.copy(placeRect(board, home));
        if (inverted.contains(place))
            piece.invertPixels();
        p.drawImage(placeRect(board, place), piece);
    }
    p.setPen(gridColour);
    const int w = pictureSize.width() / board.columns;
    const int h = pictureSize.height() / board.rows;
    for (int c = 0; c <= board.columns; ++c)
        p.drawLine(qMin(c * w, pictureSize.width() - 1), 0, qMin(c * w, pictureSize.width() - 1),
                   pictureSize.height());
    for (int r = 0; r <= board.rows; ++r)
        p.drawLine(0, qMin(r * h, pictureSize.height() - 1), pictureSize.width(),
                   qMin(r * h, pictureSize.height() - 1));
    return image;
}

// A bold arrow, light with a dark rim, so it reads on any part of the picture.
void drawArrow(QImage &image, QPointF from, QPointF to)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QLineF line(from, to);
    const double angle = std::atan2(-line.dy(), line.dx());
    const double head = 16;
    const QPointF tip = to;
    const QPointF left = tip - QPointF(std::cos(angle - M_PI / 7) * head, -std::sin(angle - M_PI / 7) * head);
    const QPointF right =
        tip - QPointF(std::cos(angle + M_PI / 7) * head, -std::sin(angle + M_PI / 7) * head);
    const QPointF shaftEnd = (left + right) / 2;

    for (const auto &[colour, width] :
         {std::pair{QColor(20, 20, 20), 9.0}, std::pair{QColor(255, 235, 90), 5.0}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(colour);
        p.drawLine(from, shaftEnd);
        p.drawPolygon(QPolygonF({tip, left, right}));
    }
}

QPointF centre(const Board &board, int place)
{
    return QRectF(placeRect(board, place)).center();
}

bool save(const QImage &image, const QString &folder, const char *name)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "helpart: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: helpart <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "helpart: cannot create %s\n", argv[1]);
        return 1;
    }
    const QImage picture = drawLandscape();
    bool ok = true;

    // A 6 × 4 game well under way: most pieces home, a few still to place.
    Board cover{6, 4, {}};
    for (int i = 0; i < 24; ++i)
        cover.homes << i;
    std::swap(cover.homes[3], cover.homes[16]);
    std::swap(cover.homes[8], cover.homes[21]);
    std::swap(cover.homes[11], cover.homes[18]);
    std::swap(cover.homes[13], cover.homes[23]);
    ok &= save(drawBoard(picture, cover), folder, "portada.png");

    // Normal style: two marked pieces moved one place to the right as a group.
    Board normal{4, 3, {5, 0, 1, 11, 4, 9, 2, 7, 8, 6, 10, 3}};
    QImage normalImage = drawBoard(picture, normal, {5, 6});
    drawArrow(normalImage, centre(normal, 5) + QPointF(-25, -14), centre(normal, 6) + QPointF(-25, -14));
    drawArrow(normalImage, centre(normal, 6) + QPointF(-25, 14), centre(normal, 7) + QPointF(-25, 14));
    ok &= save(normalImage, folder, "normal.png");

    // Difícil style: the black empty place and the piece beside it sliding in.
    Board sliding{4, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1, 10}};
    QImage slidingImage = drawBoard(picture, sliding);
    drawArrow(slidingImage, centre(sliding, 11), centre(sliding, 10));
    ok &= save(slidingImage, folder, "dificil.png");

    // Only the pieces on their own place are drawn; the rest stay black.
    Board onlyHome{4, 3, {0, 7, 2, 3, 9, 5, 6, 1, 8, 4, 11, 10}};
    for (int place = 0; place < onlyHome.homes.size(); ++place)
        if (onlyHome.homes.at(place) != place)
            onlyHome.homes[place] = -1;
    ok &= save(drawBoard(picture, onlyHome), folder, "solo_montadas.png");

    return ok ? 0 : 1;
}
