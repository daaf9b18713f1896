#include "app/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "platform/RunTimeError.h"

#include <QPainter>
#include <QtTest>

namespace {

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

QImage piecesPicture(int columns, int rows, int pieceWidth, int pieceHeight)
{
    QImage picture(columns * pieceWidth, rows * pieceHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int ox = 1; ox <= columns; ++ox) {
        for (int oy = 1; oy <= rows; ++oy)
            painter.fillRect((ox - 1) * pieceWidth, (oy - 1) * pieceHeight, pieceWidth, pieceHeight,
                             QColor(pieceColour(ox, oy)));
    }
    return picture;
}

// Boards are RGB32; reading the lines directly keeps whole-image checks quick.
QRgb pixel(const QImage &image, int x, int y)
{
    return reinterpret_cast<const QRgb *>(image.constScanLine(y))[x] | 0xFF000000u;
}

QString firstPixelOf(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (pixel(image, x, y) == colour)
                return QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return QString();
}

struct Home
{
    qint16 x = 0;
    qint16 y = 0;
};

Home homeOn(const TableroClass &board, int column, int row)
{
    Home h;
    board.getCasilla(qint16(column), qint16(row), h.x, h.y);
    return h;
}

// A board with three exchanges, so that some pieces are home and some are not.
void arrange(TableroClass &board, int columns, int rows)
{
    board.Inicializar(qint16(columns), qint16(rows), qint16(columns), qint16(rows), QStringLiteral("bmp"),
                      false, false);
    board.IntercambiarFichas(1, 1, qint16(columns), qint16(rows));
    board.IntercambiarFichas(2, 1, 1, 2);
    board.IntercambiarFichas(qint16(columns), 1, 2, qint16(rows));
}

// Pixels that differ between two images of the same size, as "x,y" for the failure text.
QString firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (pixel(a, x, y) != pixel(b, x, y))
                return QStringLiteral("%1,%2: %3 vs %4")
                    .arg(x)
                    .arg(y)
                    .arg(pixel(a, x, y), 8, 16)
                    .arg(pixel(b, x, y), 8, 16);
        }
    }
    return QString();
}

// What the board must show when every place is `side` device pixels square: each place
// the colour of its piece (black for the sliding style's empty place), and with the grid
// a black line on the first pixel of every place and on the last pixel of the image.
QImage expectedBoard(const TableroClass &board, int side, bool grid, bool sliding)
{
    const int columns = board.getCasillasX();
    const int rows = board.getCasillasY();
    QImage expected(columns * side, rows * side, QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const Home h = homeOn(board, x / side + 1, y / side + 1);
            QRgb c = pieceColour(h.x, h.y);
            if (sliding && h.x == columns && h.y == rows)
                c = Black;
            const bool onLine = x % side == 0 || y % side == 0 || x == expected.width() - 1 ||
                                y == expected.height() - 1;
            expected.setPixel(x, y, grid && onLine ? Black : c);
        }
    }
    return expected;
}

QRect interior(const QRect &place)
{
    return place.adjusted(1, 1, -1, -1);
}

bool filledWith(const QImage &image, const QRect &rect, QRgb colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (pixel(image, x, y) != colour)
                return false;
        }
    }
    return true;
}

bool unchangedOutside(const QImage &before, const QImage &after, const QRect &changed)
{
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (!changed.contains(x, y) && pixel(before, x, y) != pixel(after, x, y))
                return false;
        }
    }
    return true;
}

} // namespace

class tst_BoardRenderer : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void deviceImageCarriesThePixelRatio();
    void fullRepaint_data();
    void fullRepaint();
    void assembledStateHasNoGrid();
    void paintAssembledShowsTheWholePicture();
    void singlePlace_data();
    void singlePlace();
    void singlePlaceMatchesPlaceThenWholeGrid_data();
    void singlePlaceMatchesPlaceThenWholeGrid();
    void singlePlaceAfterTheAssembledPictureDrawsTheWholeGrid();
    void slidingEmptyPlaceIsAlwaysBlack_data();
    void slidingEmptyPlaceIsAlwaysBlack();
    void markedPieceUntilRedrawn();
    void onlyAssembledPieces();
    void onlyAssembledPiecesOnAnAssembledBoardTouchesNothing();
    void noGapsAtFractionalSizes_data();
    void noGapsAtFractionalSizes();
    void transparentPicturePaintsTheSameEveryTime();
    void badInput();
};

void tst_BoardRenderer::geometry_data()
{
    QTest::addColumn<QSizeF>("source");
    QTest::addColumn<QSizeF>("board");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QRectF>("placeRect");
    QTest::addColumn<QRectF>("pieceRect");

    QTest::newRow("4x3 at zoom 0.5") << QSizeF(4000, 3000) << QSizeF(2000, 1500) << 4 << 3 << QPoint(2, 3)
                                     << QRectF(500, 1000, 500, 500) << QRectF(1000, 2000, 1000, 1000);
    QTest::newRow("4x3 first place") << QSizeF(4000, 3000) << QSizeF(2000, 1500) << 4 << 3 << QPoint(1, 1)
                                     << QRectF(0, 0, 500, 500) << QRectF(0, 0, 1000, 1000);
    QTest::newRow("4x3 at zoom 1.1") << QSizeF(4000, 3000) << QSizeF(4400, 3300) << 4 << 3 << QPoint(4, 3)
                                     << QRectF(3300, 2200, 1100, 1100) << QRectF(3000, 2000, 1000, 1000);
    QTest::newRow("thirds") << QSizeF(1000, 900) << QSizeF(500, 450) << 3 << 2 << QPoint(3, 2)
                            << QRectF(float(2) * (500.0f / 3.0f), 225, 500.0f / 3.0f, 225)
                            << QRectF(float(2) * (1000.0f / 3.0f), 450, 1000.0f / 3.0f, 450);
}

void tst_BoardRenderer::geometry()
{
    QFETCH(QSizeF, source);
    QFETCH(QSizeF, board);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QPoint, place);
    QFETCH(QRectF, placeRect);
    QFETCH(QRectF, pieceRect);

    BoardGeometry g;
    g.source = source;
    g.board = board;
    g.columns = qint16(columns);
    g.rows = qint16(rows);
    QCOMPARE(g.placeRect(qint16(place.x()), qint16(place.y())), placeRect);
    QCOMPARE(g.pieceRect(qint16(place.x()), qint16(place.y())), pieceRect);
}

void tst_BoardRenderer::deviceImageCarriesThePixelRatio()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 10, 10));
    r.setDevicePixelRatio(2.0);
    r.setBoardSize(QSizeF(20, 15));

    QCOMPARE(r.image().size(), QSize(40, 30));
    QCOMPARE(r.image().devicePixelRatio(), 2.0);
    QCOMPARE(r.placeRect(2, 3), QRectF(5, 10, 5, 5));
    QCOMPARE(r.pieceRect(2, 3), QRectF(10, 20, 10, 10));
    QCOMPARE(r.placeDeviceRect(2, 3), QRect(10, 20, 10, 10));
    QCOMPARE(r.logicalRect(QRect(9, 19, 12, 12)), QRect(4, 9, 7, 7));
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

    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSliding(sliding);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setDevicePixelRatio(ratio);
    r.setBoardSize(QSizeF(80, 60) * zoom);

    QCOMPARE(r.PaintTablero(1), r.image().rect());
    const int side = qRound(20 * zoom * ratio);
    const QImage expected = expectedBoard(board, side, true, sliding);
    QCOMPARE(firstDifference(r.image(), expected), QString());
}

void tst_BoardRenderer::assembledStateHasNoGrid()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.PaintTablero(1);
    r.PaintTablero(2);
    QCOMPARE(firstDifference(r.image(), expectedBoard(board, 20, false, false)), QString());
}

void tst_BoardRenderer::paintAssembledShowsTheWholePicture()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSliding(true);
    r.setSource(piecesPicture(4, 3, 10, 10));
    r.setBoardSize(QSizeF(120, 90));
    r.PaintTablero(1);

    QCOMPARE(r.paintAssembled(), r.image().rect());
    TableroClass home;
    home.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
    // The sliding style's corner piece is shown too, and no line is left.
    QCOMPARE(firstDifference(r.image(), expectedBoard(home, 30, false, false)), QString());
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

    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.PaintTablero(1);
    // Start from a board whose place (2, 2) shows something else, so the change is seen.
    r.PaintCasilla(2, 2, kind == 2 ? RasterOp::Copy : RasterOp::NotPlaced);
    const QImage before = r.image().copy();

    const QRect changed = r.PaintCasilla(2, 2, rasterOp);
    const QImage after = r.image();
    const QRect place = r.placeDeviceRect(2, 2);
    QCOMPARE(place, QRect(20, 20, 20, 20));
    QCOMPARE(changed, place.adjusted(-1, -1, 1, 1));

    const Home h = homeOn(board, 2, 2);
    const QRgb colour = kind == 0   ? pieceColour(h.x, h.y)
                        : kind == 1 ? inverted(pieceColour(h.x, h.y))
                                    : Black;
    QVERIFY(filledWith(after, interior(place), colour));
    // The grid lines on the place's border stay black.
    QVERIFY(filledWith(after, QRect(place.left(), place.top(), place.width(), 1), Black));
    QVERIFY(filledWith(after, QRect(place.left(), place.top(), 1, place.height()), Black));
    QVERIFY(unchangedOutside(before, after, changed));
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

    TableroClass board;
    arrange(board, columns, rows);
    BoardRenderer quick;
    BoardRenderer reference;
    for (BoardRenderer *r : {&quick, &reference}) {
        r->setTablero(&board);
        r->setSource(piecesPicture(columns, rows, 13, 11));
        r->setDevicePixelRatio(ratio);
        r->setBoardSize(boardSize);
        r->PaintTablero(1);
    }

    const QList<QPoint> places = {{1, 1}, {columns, rows}, {2, rows}, {columns, 1}, {columns / 2 + 1, rows / 2 + 1}};
    const QList<quint32> ops = {RasterOp::InvertedCopy, RasterOp::NotPlaced, RasterOp::Copy};
    for (const quint32 op : ops) {
        for (const QPoint &p : places) {
            const QImage before = quick.image().copy();
            const QRect changed = quick.PaintCasilla(qint16(p.x()), qint16(p.y()), op);
            QVERIFY(unchangedOutside(before, quick.image(), changed));
            reference.PaintCasilla(qint16(p.x()), qint16(p.y()), op);
            reference.DibujarRejilla();
            QCOMPARE(firstDifference(quick.image(), reference.image()), QString());
        }
    }
}

void tst_BoardRenderer::singlePlaceAfterTheAssembledPictureDrawsTheWholeGrid()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.PaintTablero(1);
    r.paintAssembled();

    QCOMPARE(r.PaintCasilla(1, 1, RasterOp::Copy), r.image().rect());
    // Far from the redrawn place the lines are back over the assembled picture.
    QCOMPARE(pixel(r.image(), 60, 50), Black);
    QCOMPARE(pixel(r.image(), 79, 30), Black);
    QCOMPARE(pixel(r.image(), 70, 50), pieceColour(4, 3));
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

    TableroClass board;
    arrange(board, 4, 3); // the bottom-right piece lies on place (1, 1)
    BoardRenderer r;
    r.setTablero(&board);
    r.setSliding(sliding);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.paintAssembled();

    switch (redraw) {
    case 0: r.PaintTablero(1); break;
    case 1: r.PaintCasilla(1, 1, RasterOp::Copy); break;
    case 2: r.PaintCasilla(1, 1, RasterOp::InvertedCopy); break;
    default: r.PaintSoloMontadas(); break;
    }
    const QRgb normal = redraw == 2 ? inverted(pieceColour(4, 3)) : pieceColour(4, 3);
    QVERIFY(filledWith(r.image(), interior(r.placeDeviceRect(1, 1)), sliding ? Black : normal));
}

void tst_BoardRenderer::markedPieceUntilRedrawn()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.PaintTablero(1);
    const QImage start = r.image().copy();

    r.PaintCasilla(3, 2, RasterOp::InvertedCopy);
    QVERIFY(filledWith(r.image(), interior(r.placeDeviceRect(3, 2)), inverted(pieceColour(3, 2))));
    r.PaintCasilla(3, 2, RasterOp::Copy);
    QCOMPARE(firstDifference(r.image(), start), QString());
}

void tst_BoardRenderer::onlyAssembledPieces()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.PaintTablero(1);
    const QImage before = r.image().copy();

    r.PaintSoloMontadas();
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 3; ++y) {
            const Home h = homeOn(board, x, y);
            const QRect in = interior(r.placeDeviceRect(qint16(x), qint16(y)));
            if (h.x == x && h.y == y)
                QCOMPARE(r.image().copy(in), before.copy(in));
            else
                QVERIFY2(filledWith(r.image(), in, Black), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
    QCOMPARE(pixel(r.image(), 40, 10), Black); // a grid line between two places
}

void tst_BoardRenderer::onlyAssembledPiecesOnAnAssembledBoardTouchesNothing()
{
    TableroClass board;
    board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(piecesPicture(4, 3, 20, 20));
    r.setBoardSize(QSizeF(80, 60));
    r.paintAssembled();
    const QImage before = r.image().copy();

    QVERIFY(r.PaintSoloMontadas().isEmpty());
    QCOMPARE(firstDifference(r.image(), before), QString());
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

    TableroClass board;
    arrange(board, columns, rows);
    BoardRenderer r;
    r.setTablero(&board);
    r.setDevicePixelRatio(ratio);
    r.setBoardSize(boardSize);
    QImage magenta(8, 8, QImage::Format_RGB32);
    magenta.fill(Magenta);
    r.setSource(magenta);
    r.paintAssembled();

    // Every pixel must be painted over by some place, with or without the grid.
    r.setSource(piecesPicture(columns, rows, 17, 13));
    for (const int estado : {2, 1}) {
        r.PaintTablero(estado);
        QCOMPARE(firstPixelOf(r.image(), Magenta), QString());
    }
    // And each place shows its own piece in its middle.
    r.PaintTablero(2);
    for (int x = 1; x <= columns; ++x) {
        for (int y = 1; y <= rows; ++y) {
            const QRectF logical = r.placeRect(qint16(x), qint16(y));
            const QPointF middle = logical.center() * ratio;
            const Home h = homeOn(board, x, y);
            QCOMPARE(pixel(r.image(), int(middle.x()), int(middle.y())), pieceColour(h.x, h.y));
        }
    }
}

void tst_BoardRenderer::transparentPicturePaintsTheSameEveryTime()
{
    TableroClass board;
    arrange(board, 2, 2);
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    BoardRenderer r;
    r.setTablero(&board);
    r.setSource(picture);
    r.setBoardSize(QSizeF(40, 40));

    // Transparent parts show white, not whatever the place showed before.
    r.PaintTablero(2);
    const QImage first = r.image().copy();
    QCOMPARE(pixel(first, 10, 10), qRgb(255, 255, 255));
    r.PaintCasilla(1, 1, RasterOp::InvertedCopy);
    r.PaintCasilla(1, 1, RasterOp::Copy);
    r.PaintTablero(2);
    QCOMPARE(firstDifference(r.image(), first), QString());
}

void tst_BoardRenderer::badInput()
{
    TableroClass board;
    arrange(board, 4, 3);
    BoardRenderer r;
    r.setTablero(&board);
    r.setBoardSize(QSizeF(80, 60));

    // Nothing to draw yet: no picture.
    QVERIFY(r.PaintTablero(1).isEmpty());
    QVERIFY(r.paintAssembled().isEmpty());

    r.setSource(piecesPicture(4, 3, 20, 20));
    r.PaintTablero(1);
    const QImage before = r.image().copy();
    for (const QPoint &p : {QPoint(0, 1), QPoint(1, 0), QPoint(5, 1), QPoint(1, 4), QPoint(-3, 2)}) {
        try {
            r.PaintCasilla(qint16(p.x()), qint16(p.y()), RasterOp::Copy);
            QFAIL("a place outside the board was painted");
        } catch (const RunTimeError &e) {
            QCOMPARE(e.number(), int(RunTimeError::SubscriptOutOfRange));
        }
    }
    QCOMPARE(firstDifference(r.image(), before), QString());

    try {
        r.setBoardSize(QSizeF(1e9, 60));
        QFAIL("an impossible board was allocated");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number(), int(RunTimeError::OutOfMemory));
    }
    QVERIFY(r.image().isNull());
    QVERIFY(r.PaintTablero(1).isEmpty());

    r.setBoardSize(QSizeF(qQNaN(), 60));
    QVERIFY(r.image().isNull());
    r.setBoardSize(QSizeF(80, 60));
    QCOMPARE(r.PaintTablero(1), QRect(0, 0, 80, 60));

    BoardRenderer noBoard;
    noBoard.setSource(piecesPicture(4, 3, 20, 20));
    noBoard.setBoardSize(QSizeF(80, 60));
    QVERIFY(noBoard.PaintTablero(1).isEmpty());
    QVERIFY(noBoard.DibujarRejilla().isEmpty());
}

QTEST_GUILESS_MAIN(tst_BoardRenderer)
#include "tst_boardrenderer.moc"
