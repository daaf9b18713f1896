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
    return image.pixel(x, y) | 0xFF000000u;
}

// The first pixel outside `ignored` where the images differ, as "x,y"; empty when none.
QString firstDifference(const QImage &a, const QImage &b, const QRect &ignored = QRect())
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!ignored.contains(x, y) && pixel(a, x, y) != pixel(b, x, y))
                return QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return QString();
}

bool filledWith(const QImage &image, const QRect &rect, QRgb colour)
{
    QImage plain(rect.size(), QImage::Format_RGB32);
    plain.fill(colour);
    return firstDifference(image.copy(rect), plain).isEmpty();
}

template <typename F> int errorNumber(F call)
{
    try {
        call();
    } catch (const RunTimeError &e) {
        return e.number();
    }
    return 0;
}

// A board with some pieces home and some not; the bottom-right piece, the sliding style's
// empty one, lies on place (2, 2).
struct Fixture {
    TableroClass board;
    BoardRenderer r;

    Fixture(int columns, int rows, const QSizeF &size, qreal ratio = 1.0, int pieceSide = 20)
    {
        board.Inicializar(qint16(columns), qint16(rows), qint16(columns), qint16(rows), QStringLiteral("bmp"),
                          false, false);
        board.IntercambiarFichas(2, 2, qint16(columns), qint16(rows));
        board.IntercambiarFichas(2, 1, 1, 2);
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

    // Places `side` device pixels square, each the colour of its piece; with the grid a
    // black line on the first pixel of every place and on the image's last pixels.
    QImage expected(int side, bool grid, bool sliding) const
    {
        const int columns = board.getCasillasX();
        const int rows = board.getCasillasY();
        QImage image(columns * side, rows * side, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QPoint h = home(x / side + 1, y / side + 1);
                const bool line =
                    x % side == 0 || y % side == 0 || x == image.width() - 1 || y == image.height() - 1;
                const bool black = (grid && line) || (sliding && h == QPoint(columns, rows));
                image.setPixel(x, y, black ? Black : pieceColour(h.x(), h.y()));
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
    void singlePlace_data();
    void singlePlace();
    void assembledPicture();
    void noGapsAtFractionalSizes_data();
    void noGapsAtFractionalSizes();
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

void tst_BoardRenderer::singlePlace_data()
{
    QTest::addColumn<quint32>("rasterOp");
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<QRgb>("colour");

    const QRgb piece = pieceColour(4, 3);
    const QRgb inverted = qRgb(255 - qRed(piece), 255 - qGreen(piece), 255 - qBlue(piece));
    QTest::newRow("copy") << RasterOp::Copy << false << piece;
    QTest::newRow("inverted") << RasterOp::InvertedCopy << false << inverted;
    QTest::newRow("empty place") << RasterOp::EmptyPlace << false << Black;
    QTest::newRow("not placed") << RasterOp::NotPlaced << false << Black;
    QTest::newRow("unknown operation copies") << quint32(0x00EE0086) << false << piece;
    QTest::newRow("sliding empty place, copy") << RasterOp::Copy << true << Black;
    QTest::newRow("sliding empty place, inverted") << RasterOp::InvertedCopy << true << Black;
}

void tst_BoardRenderer::singlePlace()
{
    QFETCH(quint32, rasterOp);
    QFETCH(bool, sliding);
    QFETCH(QRgb, colour);

    Fixture f(4, 3, QSizeF(80, 60));
    f.r.setSliding(sliding);
    f.r.PaintTablero(1);
    const QImage start = f.r.image().copy();
    // The place first shows something else, so the change is seen.
    f.r.PaintCasilla(2, 2, colour == Black ? RasterOp::Copy : RasterOp::NotPlaced);
    const QImage before = f.r.image().copy();

    const QRect changed = f.r.PaintCasilla(2, 2, rasterOp);
    const QRect place = f.r.placeDeviceRect(2, 2);
    QCOMPARE(changed, place.adjusted(-1, -1, 1, 1));
    QCOMPARE(firstDifference(f.r.image(), before, changed), QString());
    QVERIFY(filledWith(f.r.image(), place.adjusted(1, 1, -1, -1), colour));
    // The grid lines on the place's border stay black.
    QVERIFY(filledWith(f.r.image(), QRect(place.left(), place.top(), place.width(), 1), Black));
    QVERIFY(filledWith(f.r.image(), QRect(place.left(), place.top(), 1, place.height()), Black));

    f.r.PaintCasilla(2, 2, RasterOp::Copy);
    QCOMPARE(firstDifference(f.r.image(), start), QString());
}

void tst_BoardRenderer::assembledPicture()
{
    Fixture f(4, 3, QSizeF(80, 60));
    f.r.setSliding(true);
    f.r.PaintTablero(1);
    QCOMPARE(f.r.paintAssembled(), f.r.image().rect());
    // The whole picture, the sliding style's corner piece included, and no line.
    QCOMPARE(firstDifference(f.r.image(), piecesPicture(4, 3, 20)), QString());

    // Only placed pieces: nothing at all changes on an assembled board.
    f.board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
    QVERIFY(f.r.PaintSoloMontadas().isEmpty());
    QCOMPARE(firstDifference(f.r.image(), piecesPicture(4, 3, 20)), QString());

    // A place redrawn over the assembled picture brings back every line.
    QCOMPARE(f.r.PaintCasilla(1, 1, RasterOp::Copy), f.r.image().rect());
    QCOMPARE(pixel(f.r.image(), 60, 50), Black);
    QCOMPARE(pixel(f.r.image(), 79, 30), Black);
    QCOMPARE(pixel(f.r.image(), 70, 50), pieceColour(4, 3));
}

void tst_BoardRenderer::noGapsAtFractionalSizes_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSizeF>("boardSize");
    QTest::addColumn<double>("ratio");

    QTest::newRow("3x3 at a third") << 3 << 3 << QSizeF(100, 100) << 1.0;
    QTest::newRow("7x5 at ratio 1.25") << 7 << 5 << QSizeF(333.3, 250.1) << 1.25;
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
    for (const int estado : {2, 1}) {
        f.r.setSource(magenta);
        f.r.paintAssembled();
        f.r.setSource(piecesPicture(columns, rows, 17));
        f.r.PaintTablero(estado);
        // Every pixel is covered by some place, with or without the grid.
        for (int y = 0; y < f.r.image().height(); ++y) {
            for (int x = 0; x < f.r.image().width(); ++x) {
                if (pixel(f.r.image(), x, y) == Magenta)
                    QFAIL(qPrintable(QStringLiteral("gap at %1,%2").arg(x).arg(y)));
            }
        }
    }
    // Each place shows its own piece in its middle.
    for (int x = 1; x <= columns; ++x) {
        for (int y = 1; y <= rows; ++y) {
            const QPointF middle = f.r.placeRect(qint16(x), qint16(y)).center() * ratio;
            const QPoint h = f.home(x, y);
            QCOMPARE(pixel(f.r.image(), int(middle.x()), int(middle.y())), pieceColour(h.x(), h.y()));
        }
    }

    // A single place changes nothing outside what it reports and leaves the same pixels
    // as the place followed by the whole grid.
    Fixture reference(columns, rows, boardSize, ratio, 17);
    reference.r.PaintTablero(1);
    for (const QPoint &p : {QPoint(1, 1), QPoint(columns, rows), QPoint(2, rows), QPoint(columns, 1)}) {
        const QImage before = f.r.image().copy();
        const QRect changed = f.r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::InvertedCopy);
        QCOMPARE(firstDifference(f.r.image(), before, changed), QString());
        reference.r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::InvertedCopy);
        reference.r.DibujarRejilla();
        QCOMPARE(firstDifference(f.r.image(), reference.r.image()), QString());
    }
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
    QCOMPARE(errorNumber([&] { f.r.PaintCasilla(5, 1, RasterOp::Copy); }),
             int(RunTimeError::SubscriptOutOfRange));
    QCOMPARE(firstDifference(f.r.image(), before), QString());

    QCOMPARE(errorNumber([&] { f.r.setBoardSize(QSizeF(1e9, 60)); }), int(RunTimeError::OutOfMemory));
    QVERIFY(f.r.image().isNull());
    QVERIFY(f.r.PaintTablero(1).isEmpty());
    f.r.setBoardSize(QSizeF(qQNaN(), 60));
    QVERIFY(f.r.image().isNull());
    f.r.setBoardSize(QSizeF(80, 60));
    QCOMPARE(f.r.PaintTablero(1), QRect(0, 0, 80, 60));

    f.r.setTablero(nullptr);
    QVERIFY(f.r.PaintTablero(1).isEmpty());
}

QTEST_GUILESS_MAIN(tst_BoardRenderer)
#include "tst_boardrenderer.moc"
