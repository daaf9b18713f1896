#include "app/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "platform/RunTimeError.h"

#include <QPainter>
#include <QtTest>

namespace
{

const QRgb Black = qRgb(0, 0, 0);
const QRgb Magenta = qRgb(255, 0, 255);

// Every piece has its own colour, none of them black, white, magenta or the inverse of
// another, so a pixel tells which piece was drawn where and how.
QRgb pieceColour(int ox, int oy)
{
    return qRgb(20 + 7 * ox, 30 + 6 * oy, 90 + ox + oy);
}
QRgb inverted(QRgb c)
{
    return qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c));
}

QImage piecesPicture(int columns, int rows, int side)
{
    QImage picture(columns * side, rows * side, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int ox = 1; ox <= columns; ++ox) {
        for (int oy = 1; oy <= rows; ++oy)
            painter.fillRect((ox - 1) * side, (oy - 1) * side, side, side, QColor(pieceColour(ox, oy)));
    }
    return picture;
}

QRgb pixel(const QImage &image, int x, int y)
{
    return reinterpret_cast<const QRgb *>(image.constScanLine(y))[x] | 0xFF000000u;
}

// The first pixel of the area, as "x,y", where `differs` holds; empty when there is none.
template <typename F> QString firstPixelWhere(const QRect &area, F differs)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (differs(x, y))
                return QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return QString();
}

QString firstDifference(const QImage &a, const QImage &b, const QRect &ignored = QRect())
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    return firstPixelWhere(
        a.rect(), [&](int x, int y) { return !ignored.contains(x, y) && pixel(a, x, y) != pixel(b, x, y); });
}

bool filledWith(const QImage &image, const QRect &rect, QRgb colour)
{
    return firstPixelWhere(rect, [&](int x, int y) { return pixel(image, x, y) != colour; }).isEmpty();
}

QRect interior(const QRect &place)
{
    return place.adjusted(1, 1, -1, -1);
}

// A board of columns × rows pieces, three of them exchanged so that some pieces are home
// and some are not; the bottom-right piece lies on place (1, 1).
struct Fixture {
    TableroClass board;
    BoardRenderer r;

    Fixture(int columns, int rows, const QSizeF &size, qreal ratio = 1.0, int pieceSide = 20)
    {
        board.Inicializar(qint16(columns), qint16(rows), qint16(columns), qint16(rows), QStringLiteral("bmp"),
                          false, false);
        board.IntercambiarFichas(1, 1, qint16(columns), qint16(rows));
        board.IntercambiarFichas(2, 1, 1, 2);
        board.IntercambiarFichas(qint16(columns), 1, 2, qint16(rows));
        r.setTablero(&board);
        r.setSource(piecesPicture(columns, rows, pieceSide));
        r.setDevicePixelRatio(ratio);
        r.setBoardSize(size);
    }

    QPoint home(int column, int row) const
    {
        qint16 x = 0;
        qint16 y = 0;
        board.getCasilla(qint16(column), qint16(row), x, y);
        return QPoint(x, y);
    }

    // The board when every place is `side` device pixels square: each place the colour
    // of its piece, and with the grid a black line on the first pixel of every place and
    // on the last pixel of the image.
    QImage expected(int side, bool grid, bool sliding) const
    {
        const int columns = board.getCasillasX();
        const int rows = board.getCasillasY();
        QImage image(columns * side, rows * side, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QPoint h = home(x / side + 1, y / side + 1);
                const bool empty = sliding && h == QPoint(columns, rows);
                const bool line =
                    x % side == 0 || y % side == 0 || x == image.width() - 1 || y == image.height() - 1;
                image.setPixel(x, y, (grid && line) || empty ? Black : pieceColour(h.x(), h.y()));
            }
        }
        return image;
    }
};

} // namespace

class tst_BoardRenderer : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void fullRepaint_data();
    void fullRepaint();
    void assembledPicture();
    void singlePlace_data();
    void singlePlace();
    void singlePlaceMatchesPlaceThenWholeGrid_data();
    void singlePlaceMatchesPlaceThenWholeGrid();
    void slidingEmptyPlaceIsAlwaysBlack_data();
    void slidingEmptyPlaceIsAlwaysBlack();
    void onlyAssembledPieces();
    void noGapsAtFractionalSizes_data();
    void noGapsAtFractionalSizes();
    void transparentPicturePaintsTheSameEveryTime();
    void badInput();
};

void tst_BoardRenderer::geometry_data()
{
    QTest::addColumn<QSizeF>("source");
    QTest::addColumn<QSizeF>("board");
    QTest::addColumn<QRectF>("placeRect");
    QTest::addColumn<QRectF>("pieceRect");

    QTest::newRow("4x3 at zoom 0.5") << QSizeF(4000, 3000) << QSizeF(2000, 1500)
                                     << QRectF(500, 1000, 500, 500) << QRectF(1000, 2000, 1000, 1000);
    QTest::newRow("4x3 at zoom 1.1") << QSizeF(4000, 3000) << QSizeF(4400, 3300)
                                     << QRectF(1100, 2200, 1100, 1100) << QRectF(1000, 2000, 1000, 1000);
    QTest::newRow("other proportions")
        << QSizeF(1000, 900) << QSizeF(500, 450) << QRectF(125, 300, 125, 150) << QRectF(250, 600, 250, 300);
}

void tst_BoardRenderer::geometry()
{
    QFETCH(QSizeF, source);
    QFETCH(QSizeF, board);
    QFETCH(QRectF, placeRect);
    QFETCH(QRectF, pieceRect);

    const BoardGeometry g{source, board, 4, 3};
    QCOMPARE(g.placeRect(2, 3), placeRect);
    QCOMPARE(g.pieceRect(2, 3), pieceRect);
}

void tst_BoardRenderer::fullRepaint_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("sliding");

    QTest::newRow("zoom 2") << 2.0 << 1.0 << false;
    QTest::newRow("zoom 1, ratio 2") << 1.0 << 2.0 << false;
    QTest::newRow("zoom 0.5, ratio 3") << 0.5 << 3.0 << false;
    QTest::newRow("zoom 1.5, sliding") << 1.5 << 1.0 << true;
}

void tst_BoardRenderer::fullRepaint()
{
    QFETCH(double, zoom);
    QFETCH(double, ratio);
    QFETCH(bool, sliding);

    Fixture f(4, 3, QSizeF(80, 60) * zoom, ratio);
    f.r.setSliding(sliding);
    const int side = qRound(20 * zoom * ratio);
    QCOMPARE(f.r.image().deviceIndependentSize(), QSizeF(80, 60) * zoom);
    QCOMPARE(f.r.placeDeviceRect(2, 3), QRect(side, 2 * side, side, side));
    QCOMPARE(f.r.logicalRect(QRect(side, 2 * side, side, side)), f.r.placeRect(2, 3).toAlignedRect());

    QCOMPARE(f.r.PaintTablero(1), f.r.image().rect());
    QCOMPARE(firstDifference(f.r.image(), f.expected(side, true, sliding)), QString());
    // Assembled: the same places without grid.
    f.r.PaintTablero(2);
    QCOMPARE(firstDifference(f.r.image(), f.expected(side, false, sliding)), QString());
}

void tst_BoardRenderer::assembledPicture()
{
    Fixture f(4, 3, QSizeF(80, 60));
    f.r.setSliding(true);
    f.r.PaintTablero(1);
    QCOMPARE(f.r.paintAssembled(), f.r.image().rect());

    // The whole picture, the sliding style's corner piece included, and no line.
    Fixture home(4, 3, QSizeF(80, 60));
    home.board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
    QCOMPARE(firstDifference(f.r.image(), home.expected(20, false, false)), QString());

    // A place redrawn over the assembled picture brings back every line.
    QCOMPARE(f.r.PaintCasilla(1, 1, RasterOp::Copy), f.r.image().rect());
    QCOMPARE(pixel(f.r.image(), 60, 50), Black);
    QCOMPARE(pixel(f.r.image(), 79, 30), Black);
    QCOMPARE(pixel(f.r.image(), 70, 50), pieceColour(4, 3));
}

void tst_BoardRenderer::singlePlace_data()
{
    QTest::addColumn<quint32>("rasterOp");
    QTest::addColumn<int>("kind"); // 0 piece colour, 1 inverted, 2 black

    QTest::newRow("copy") << RasterOp::Copy << 0;
    QTest::newRow("inverted") << RasterOp::InvertedCopy << 1;
    QTest::newRow("empty place") << RasterOp::EmptyPlace << 2;
    QTest::newRow("not placed") << RasterOp::NotPlaced << 2;
    QTest::newRow("unknown operation copies") << quint32(0x00EE0086) << 0;
}

void tst_BoardRenderer::singlePlace()
{
    QFETCH(quint32, rasterOp);
    QFETCH(int, kind);

    Fixture f(4, 3, QSizeF(80, 60));
    f.r.PaintTablero(1);
    const QImage start = f.r.image().copy();
    // Place (2, 2) first shows something else, so the change is seen.
    f.r.PaintCasilla(2, 2, kind == 2 ? RasterOp::Copy : RasterOp::NotPlaced);
    const QImage before = f.r.image().copy();

    const QRect changed = f.r.PaintCasilla(2, 2, rasterOp);
    const QRect place = f.r.placeDeviceRect(2, 2);
    QCOMPARE(changed, place.adjusted(-1, -1, 1, 1));
    QCOMPARE(firstDifference(f.r.image(), before, changed), QString());

    const QRgb colour = kind == 0 ? pieceColour(2, 2) : kind == 1 ? inverted(pieceColour(2, 2)) : Black;
    QVERIFY(filledWith(f.r.image(), interior(place), colour));
    // The lines on the place's border stay black.
    QVERIFY(filledWith(f.r.image(), QRect(place.left(), place.top(), place.width(), 1), Black));
    QVERIFY(filledWith(f.r.image(), QRect(place.left(), place.top(), 1, place.height()), Black));

    // Redrawn with the normal copy, the place is as it was before.
    f.r.PaintCasilla(2, 2, RasterOp::Copy);
    QCOMPARE(firstDifference(f.r.image(), start), QString());
}

void tst_BoardRenderer::singlePlaceMatchesPlaceThenWholeGrid_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSizeF>("boardSize");
    QTest::addColumn<double>("ratio");

    QTest::newRow("4x3 at an odd size") << 4 << 3 << QSizeF(101.3, 77.7) << 1.0;
    QTest::newRow("7x5 at ratio 1.25") << 7 << 5 << QSizeF(333.3, 250.1) << 1.25;
    QTest::newRow("30x30 at ratio 1.5") << 30 << 30 << QSizeF(450.7, 330.2) << 1.5;
    QTest::newRow("30x30 thinner than a pixel") << 30 << 30 << QSizeF(21.5, 17.2) << 1.0;
}

void tst_BoardRenderer::singlePlaceMatchesPlaceThenWholeGrid()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSizeF, boardSize);
    QFETCH(double, ratio);

    Fixture quick(columns, rows, boardSize, ratio, 13);
    Fixture reference(columns, rows, boardSize, ratio, 13);
    quick.r.PaintTablero(1);
    reference.r.PaintTablero(1);

    const QList<QPoint> places = {{1, 1}, {columns, rows}, {2, rows}, {columns, 1}, {columns / 2, rows / 2}};
    for (const quint32 op : {RasterOp::InvertedCopy, RasterOp::NotPlaced, RasterOp::Copy}) {
        for (const QPoint &p : places) {
            const QImage before = quick.r.image().copy();
            const QRect changed = quick.r.PaintCasilla(qint16(p.x()), qint16(p.y()), op);
            QCOMPARE(firstDifference(quick.r.image(), before, changed), QString());
            reference.r.PaintCasilla(qint16(p.x()), qint16(p.y()), op);
            reference.r.DibujarRejilla();
            QCOMPARE(firstDifference(quick.r.image(), reference.r.image()), QString());
        }
    }
}

void tst_BoardRenderer::slidingEmptyPlaceIsAlwaysBlack_data()
{
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<int>("redraw"); // 0 full, 1 single copy, 2 single inverted, 3 only placed

    for (const bool sliding : {true, false}) {
        const char *style = sliding ? "sliding" : "normal";
        QTest::addRow("%s, full", style) << sliding << 0;
        QTest::addRow("%s, single copy", style) << sliding << 1;
        QTest::addRow("%s, single inverted", style) << sliding << 2;
    }
    QTest::newRow("sliding, only placed pieces") << true << 3;
}

void tst_BoardRenderer::slidingEmptyPlaceIsAlwaysBlack()
{
    QFETCH(bool, sliding);
    QFETCH(int, redraw);

    Fixture f(4, 3, QSizeF(80, 60));
    f.r.setSliding(sliding);
    f.r.paintAssembled();
    switch (redraw) {
    case 0:
        f.r.PaintTablero(1);
        break;
    case 1:
        f.r.PaintCasilla(1, 1, RasterOp::Copy);
        break;
    case 2:
        f.r.PaintCasilla(1, 1, RasterOp::InvertedCopy);
        break;
    default:
        f.r.PaintSoloMontadas();
        break;
    }
    const QRgb normal = redraw == 2 ? inverted(pieceColour(4, 3)) : pieceColour(4, 3);
    QVERIFY(filledWith(f.r.image(), interior(f.r.placeDeviceRect(1, 1)), sliding ? Black : normal));
}

void tst_BoardRenderer::onlyAssembledPieces()
{
    Fixture f(4, 3, QSizeF(80, 60));
    f.r.PaintTablero(1);
    const QImage before = f.r.image().copy();
    f.r.PaintSoloMontadas();
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 3; ++y) {
            const QRect in = interior(f.r.placeDeviceRect(qint16(x), qint16(y)));
            const bool home = f.home(x, y) == QPoint(x, y);
            QVERIFY(home ? f.r.image().copy(in) == before.copy(in) : filledWith(f.r.image(), in, Black));
        }
    }

    // With every piece at home nothing at all is touched, not even the missing grid.
    f.board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
    f.r.paintAssembled();
    const QImage assembled = f.r.image().copy();
    QVERIFY(f.r.PaintSoloMontadas().isEmpty());
    QCOMPARE(firstDifference(f.r.image(), assembled), QString());
}

void tst_BoardRenderer::noGapsAtFractionalSizes_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSizeF>("boardSize");
    QTest::addColumn<double>("ratio");

    QTest::newRow("3x3 at a third") << 3 << 3 << QSizeF(100, 100) << 1.0;
    QTest::newRow("7x5 odd sizes") << 7 << 5 << QSizeF(331.7, 249.3) << 1.0;
    QTest::newRow("30x30 at ratio 1.25") << 30 << 30 << QSizeF(997.3, 743.7) << 1.25;
    QTest::newRow("30x30 at ratio 1.5") << 30 << 30 << QSizeF(641.1, 480.9) << 1.5;
    QTest::newRow("13x11 zoomed in") << 13 << 11 << QSizeF(2197.9, 1648.4) << 1.0;
}

void tst_BoardRenderer::noGapsAtFractionalSizes()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSizeF, boardSize);
    QFETCH(double, ratio);

    Fixture f(columns, rows, boardSize, ratio, 17);
    QImage magenta(8, 8, QImage::Format_RGB32);
    magenta.fill(Magenta);
    const QImage pieces = piecesPicture(columns, rows, 17);
    for (const int estado : {2, 1}) {
        f.r.setSource(magenta);
        f.r.paintAssembled();
        f.r.setSource(pieces);
        f.r.PaintTablero(estado);
        // Every pixel is covered by some place, with or without the grid.
        QCOMPARE(firstPixelWhere(f.r.image().rect(),
                                 [&](int x, int y) { return pixel(f.r.image(), x, y) == Magenta; }),
                 QString());
    }
    // And each place shows its own piece in its middle.
    f.r.PaintTablero(2);
    for (int x = 1; x <= columns; ++x) {
        for (int y = 1; y <= rows; ++y) {
            const QPointF middle = f.r.placeRect(qint16(x), qint16(y)).center() * ratio;
            const QPoint h = f.home(x, y);
            QCOMPARE(pixel(f.r.image(), int(middle.x()), int(middle.y())), pieceColour(h.x(), h.y()));
        }
    }
}

void tst_BoardRenderer::transparentPicturePaintsTheSameEveryTime()
{
    Fixture f(2, 2, QSizeF(40, 40));
    QImage clear(40, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    f.r.setSource(clear);

    // Transparent parts show white, not whatever the place showed before.
    f.r.PaintTablero(2);
    const QImage first = f.r.image().copy();
    QCOMPARE(pixel(first, 10, 10), qRgb(255, 255, 255));
    f.r.PaintCasilla(1, 1, RasterOp::InvertedCopy);
    f.r.PaintTablero(2);
    QCOMPARE(firstDifference(f.r.image(), first), QString());
}

void tst_BoardRenderer::badInput()
{
    Fixture f(4, 3, QSizeF(80, 60));
    f.r.setSource(QImage());
    QVERIFY(f.r.PaintTablero(1).isEmpty());
    QVERIFY(f.r.paintAssembled().isEmpty());

    f.r.setSource(piecesPicture(4, 3, 20));
    f.r.PaintTablero(1);
    const QImage before = f.r.image().copy();
    for (const QPoint &p : {QPoint(0, 1), QPoint(1, 0), QPoint(5, 1), QPoint(1, 4), QPoint(-3, 2)}) {
        try {
            f.r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::Copy);
            QFAIL("a place outside the board was painted");
        } catch (const RunTimeError &e) {
            QCOMPARE(e.number(), int(RunTimeError::SubscriptOutOfRange));
        }
    }
    QCOMPARE(firstDifference(f.r.image(), before), QString());

    try {
        f.r.setBoardSize(QSizeF(1e9, 60));
        QFAIL("an impossible board was allocated");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number(), int(RunTimeError::OutOfMemory));
    }
    QVERIFY(f.r.image().isNull());
    QVERIFY(f.r.PaintTablero(1).isEmpty());
    f.r.setBoardSize(QSizeF(qQNaN(), 60));
    QVERIFY(f.r.image().isNull());
    f.r.setBoardSize(QSizeF(80, 60));
    QCOMPARE(f.r.PaintTablero(1), QRect(0, 0, 80, 60));

    f.r.setTablero(nullptr);
    QVERIFY(f.r.PaintTablero(1).isEmpty());
    QVERIFY(f.r.DibujarRejilla().isEmpty());
}

QTEST_GUILESS_MAIN(tst_BoardRenderer)
#include "tst_boardrenderer.moc"
