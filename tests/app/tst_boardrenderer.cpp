#include "view/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "io/RunTimeError.h"

#include <QtTest>

namespace
{

const QRgb Black = qRgb(0, 0, 0);

// Every piece has its own colour, none of them black, white, magenta or the inverse of
// another, so a pixel tells which piece was drawn where and how.
QRgb pieceColour(int ox, int oy)
{
    return qRgb(20 + 7 * ox, 30 + 6 * oy, 90 + ox + oy);
}

QImage piecesPicture(int columns, int rows, int side)
{
    QImage picture(columns * side, rows * side, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, pieceColour(x / side + 1, y / side + 1));
    }
    return picture;
}

// The first pixel outside `ignored` where the images differ, as "x,y"; empty when none.
QString firstDifference(const QImage &a, const QImage &b, const QRect &ignored = QRect())
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!ignored.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
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

    Fixture(int columns, int rows, const QSizeF &size, qreal ratio = 1.0)
    {
        board.Inicializar(qint16(columns), qint16(rows), qint16(columns), qint16(rows), QStringLiteral("bmp"),
                          false, false);
        board.IntercambiarFichas(2, 2, qint16(columns), qint16(rows));
        board.IntercambiarFichas(2, 1, 1, 2);
        r.setTablero(&board);
        r.setSource(piecesPicture(columns, rows, 17));
        r.setDevicePixelRatio(ratio);
        r.setBoardSize(size);
    }

    // Places `side` device pixels square, each the colour of its piece; with the grid a
    // black line on the first pixel of every place and on the image's last pixels.
    QImage expected(int side, bool grid, bool sliding) const
    {
        QImage image(board.getCasillasX() * side, board.getCasillasY() * side, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                qint16 ox = 0;
                qint16 oy = 0;
                board.getCasilla(qint16(x / side + 1), qint16(y / side + 1), ox, oy);
                const bool line =
                    x % side == 0 || y % side == 0 || x == image.width() - 1 || y == image.height() - 1;
                const bool black =
                    (grid && line) || (sliding && ox == board.getCasillasX() && oy == board.getCasillasY());
                image.setPixel(x, y, black ? Black : pieceColour(ox, oy));
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
    void paint_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<quint32>("rasterOp"); // for place (2, 2) alone
        QTest::addColumn<QRgb>("colour");      // that place shows afterwards

        const QRgb piece = pieceColour(4, 3);
        const QRgb inverted = qRgb(255 - qRed(piece), 255 - qGreen(piece), 255 - qBlue(piece));
        QTest::newRow("zoom 2, copy") << 2.0 << 1.0 << false << RasterOp::Copy << piece;
        QTest::newRow("zoom 0.5, ratio 3, inverted")
            << 0.5 << 3.0 << false << RasterOp::InvertedCopy << inverted;
        QTest::newRow("not placed") << 1.0 << 1.0 << false << RasterOp::NotPlaced << Black;
        QTest::newRow("unknown operation copies") << 1.0 << 1.0 << false << quint32(0x00EE0086) << piece;
        QTest::newRow("zoom 1.5, sliding") << 1.5 << 1.0 << true << RasterOp::Copy << Black;
    }

    void paint()
    {
        QFETCH(double, zoom);
        QFETCH(double, ratio);
        QFETCH(bool, sliding);
        QFETCH(quint32, rasterOp);
        QFETCH(QRgb, colour);

        Fixture f(4, 3, QSizeF(80, 60) * zoom, ratio);
        f.r.setSliding(sliding);
        const int side = qRound(20 * zoom * ratio);
        const QRect place = f.r.placeDeviceRect(2, 2);
        QCOMPARE(f.r.image().deviceIndependentSize(), QSizeF(80, 60) * zoom);
        QCOMPARE(place, QRect(side, side, side, side));
        QCOMPARE(f.r.logicalRect(place), f.r.placeRect(2, 2).toAlignedRect());

        // Assembled: every place without grid.
        QCOMPARE(f.r.PaintTablero(2), f.r.image().rect());
        QCOMPARE(firstDifference(f.r.image(), f.expected(side, false, sliding)), QString());
        QCOMPARE(f.r.PaintTablero(1), f.r.image().rect());
        const QImage start = f.r.image().copy();
        QCOMPARE(firstDifference(start, f.expected(side, true, sliding)), QString());

        // One place: the place first shows something else, so the change is seen.
        f.r.PaintCasilla(2, 2, colour == Black ? RasterOp::Copy : RasterOp::NotPlaced);
        QCOMPARE(f.r.PaintCasilla(2, 2, rasterOp), place.adjusted(-1, -1, 1, 1));
        // The grid line runs along the place's top and left; everything else is as before.
        const QRect inside = place.adjusted(1, 1, 0, 0);
        QVERIFY(filledWith(f.r.image(), inside, colour));
        QCOMPARE(firstDifference(f.r.image(), start, inside), QString());
    }

    void assembledPicture()
    {
        Fixture f(4, 3, QSizeF(68, 51));
        f.r.setSliding(true);
        f.r.PaintTablero(1);
        QCOMPARE(f.r.paintAssembled(), f.r.image().rect());
        // The whole picture, the sliding style's corner piece included, and no line.
        const QImage picture = piecesPicture(4, 3, 17);
        QCOMPARE(firstDifference(f.r.image(), picture), QString());

        // With every piece home, showing only placed pieces changes nothing, not even the grid.
        f.board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
        QVERIFY(f.r.PaintSoloMontadas().isEmpty());
        QCOMPARE(firstDifference(f.r.image(), picture), QString());

        // Pieces away from home turn black and every line comes back; the others stay.
        f.board.IntercambiarFichas(1, 1, 2, 1);
        f.r.PaintSoloMontadas();
        QVERIFY(filledWith(f.r.image(), QRect(0, 0, 34, 17), Black));
        QCOMPARE(f.r.image().pixel(51, 40), Black);
        QCOMPARE(f.r.image().pixel(67, 30), Black);
        QCOMPARE(f.r.image().pixel(60, 40), pieceColour(4, 3));
    }

    void noGapsAtFractionalSizes_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QSizeF>("boardSize");
        QTest::addColumn<double>("ratio");

        QTest::newRow("3x3 at a third") << 3 << 3 << QSizeF(100, 100) << 1.0;
        QTest::newRow("7x5 at ratio 1.25") << 7 << 5 << QSizeF(333.3, 250.1) << 1.25;
        QTest::newRow("30x30 zoomed in, ratio 1.5") << 30 << 30 << QSizeF(841.1, 780.9) << 1.5;
    }

    void noGapsAtFractionalSizes()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(QSizeF, boardSize);
        QFETCH(double, ratio);

        Fixture f(columns, rows, boardSize, ratio);
        Fixture reference(columns, rows, boardSize, ratio);
        QImage magenta(8, 8, QImage::Format_RGB32);
        magenta.fill(Qt::magenta);
        for (const int estado : {2, 1}) {
            // Every pixel is covered by some place, so nothing painted before shows through.
            f.r.setSource(magenta);
            f.r.paintAssembled();
            f.r.setSource(piecesPicture(columns, rows, 17));
            f.r.PaintTablero(estado);
            reference.r.PaintTablero(estado);
            QCOMPARE(firstDifference(f.r.image(), reference.r.image()), QString());
        }

        // A single place changes nothing outside what it reports and leaves the same pixels
        // as the place followed by the whole grid.
        for (const QPoint &p : {QPoint(1, 1), QPoint(columns, rows), QPoint(2, rows), QPoint(columns, 1)}) {
            const QImage before = f.r.image().copy();
            const QRect changed = f.r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::InvertedCopy);
            QCOMPARE(firstDifference(f.r.image(), before, changed), QString());
            reference.r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::InvertedCopy);
            reference.r.DibujarRejilla();
            QCOMPARE(firstDifference(f.r.image(), reference.r.image()), QString());
        }
    }

    void badInput()
    {
        Fixture f(4, 3, QSizeF(80, 60));
        f.r.setSource(QImage());
        QVERIFY(f.r.PaintTablero(1).isEmpty());
        QVERIFY(f.r.paintAssembled().isEmpty());

        f.r.setSource(piecesPicture(4, 3, 17));
        f.r.PaintTablero(1);
        const QImage before = f.r.image().copy();
        QCOMPARE(errorNumber([&] { f.r.PaintCasilla(5, 1, RasterOp::Copy); }),
                 int(RunTimeError::SubscriptOutOfRange));
        QCOMPARE(firstDifference(f.r.image(), before), QString());

        QCOMPARE(errorNumber([&] { f.r.setBoardSize(QSizeF(1e9, 60)); }), int(RunTimeError::OutOfMemory));
        QVERIFY(f.r.image().isNull());
        f.r.setBoardSize(QSizeF(qQNaN(), 60));
        QVERIFY(f.r.image().isNull());
        f.r.setBoardSize(QSizeF(80, 60));
        QCOMPARE(f.r.PaintTablero(1), QRect(0, 0, 80, 60));

        f.r.setTablero(nullptr);
        QVERIFY(f.r.PaintTablero(1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_BoardRenderer)
#include "tst_boardrenderer.moc"
