#include "WindowTestKit.h"

#include "app/BoardWidget.h"
#include "app/FormVentanita.h"
#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "platform/Messages.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTestKit;

namespace {

using Arrangement = QList<QList<QPoint>>; // [column - 1][row - 1]: the home of the piece there

Arrangement arrangementOf(const TableroClass &tablero)
{
    Arrangement homes;
    for (qint16 c = 1; c <= tablero.getCasillasX(); ++c) {
        QList<QPoint> column;
        for (qint16 r = 1; r <= tablero.getCasillasY(); ++r) {
            qint16 ox = 0;
            qint16 oy = 0;
            tablero.getCasilla(c, r, ox, oy);
            column << QPoint(ox, oy);
        }
        homes << column;
    }
    return homes;
}

QPoint parsePlace(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    return QPoint(parts.value(0).toInt(), parts.value(1).toInt());
}

// Every piece is away from home: the piece at (c, r) belongs at the mirrored place.
QPoint mirrored(int column, int row) { return QPoint(5 - column, 5 - row); }

} // namespace

class tst_WindowPlay : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_pics;

    // A window whose first puzzle is the block picture of the given size, cut as asked.
    std::unique_ptr<tess2mainform> build(int columns, int rows, bool dificil, QSize size = QSize(480, 360));

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildFromPicture_data();
    void buildFromPicture();
    void newPuzzleForgetsMarkedPieces();
    void normalMoves_data();
    void normalMoves();
    void marks_data();
    void marks();
    void slidingMoves_data();
    void slidingMoves();
    void completion_data();
    void completion();
};

std::unique_ptr<tess2mainform> tst_WindowPlay::build(int columns, int rows, bool dificil, QSize size)
{
    const QString name = QStringLiteral("bloques_%1x%2_%3x%4.bmp")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(columns)
                             .arg(rows);
    auto window = startWindow(writeBlockPicture(m_pics, name, size, columns, rows));
    openPuzzle(*window, columns, rows, dificil);
    return window;
}

void tst_WindowPlay::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    QVERIFY(QDir().mkpath(m_pics));
}

void tst_WindowPlay::init()
{
    Messages::clearShown();
    ConfigLine line;
    line.dialogPath = m_pics;
    writeConfig(line);
}

void tst_WindowPlay::cleanup() { stopWatchingModals(); }

void tst_WindowPlay::buildFromPicture_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("dificil");
    QTest::addColumn<QSize>("sourceSize");
    QTest::addColumn<QString>("piecesText");

    QTest::newRow("4x4 Normal") << QSize(480, 360) << 4 << 4 << false << QSize(480, 360) << "16 pieces (4x4)";
    QTest::newRow("3x5 sliding, wide") << QSize(600, 200) << 3 << 5 << true << QSize(600, 200)
                                       << "15 pieces (3x5)";
    QTest::newRow("5x3 Normal, tall") << QSize(200, 600) << 5 << 3 << false << QSize(200, 600)
                                      << "15 pieces (5x3)";
    QTest::newRow("2x2 sliding, reduced") << QSize(1200, 700) << 2 << 2 << true << QSize(900, 525)
                                          << "4 pieces (2x2)";
}

void tst_WindowPlay::buildFromPicture()
{
    QFETCH(QSize, pictureSize);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(bool, dificil);
    QFETCH(QSize, sourceSize);
    QFETCH(QString, piecesText);

    const auto window = build(columns, rows, dificil, pictureSize);
    QVERIFY(Messages::shown().isEmpty());
    QCOMPARE(window->getEstado(), 1);
    QCOMPARE(window->sourcePicture().size(), sourceSize);
    QCOMPARE(window->tablero().getCasillasX(), columns);
    QCOMPARE(window->tablero().getCasillasY(), rows);

    // The board fits the viewport: it fills one dimension and stays inside the other.
    const QSize board = window->boardWidget()->size();
    const QSize view = window->viewport()->size();
    const double expectedZoom = qMin(double(view.width()) / sourceSize.width(),
                                     double(view.height()) / sourceSize.height());
    QVERIFY2(qAbs(window->getZoom() / expectedZoom - 1.0) < 0.01, qPrintable(QString::number(window->getZoom())));
    const bool fillsWidth = qAbs(board.width() - view.width()) <= 1;
    const bool fillsHeight = qAbs(board.height() - view.height()) <= 1;
    QVERIFY2(fillsWidth || fillsHeight, qPrintable(QStringLiteral("board %1 x %2 in %3 x %4")
                                                        .arg(board.width())
                                                        .arg(board.height())
                                                        .arg(view.width())
                                                        .arg(view.height())));
    QVERIFY(board.width() <= view.width() + 1 && board.height() <= view.height() + 1);
    QVERIFY(!window->hScroll()->isVisible());
    QVERIFY(!window->vScroll()->isVisible());

    QString why;
    const QImage &image = window->boardImage();
    QVERIFY(qAbs(image.width() - board.width()) <= 1 && qAbs(image.height() - board.height()) <= 1);
    QVERIFY2(showsBoard(image, window->tablero(), dificil, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(image, columns, rows, &why), qPrintable(why));

    const qint16 outOfPlace = window->tablero().NumeroDeFichasPorColocar();
    QVERIFY(!window->statusSimpleMode());
    QCOMPARE(window->statusPanel(1)->text(), QStringLiteral("NOT ASSEMBLED"));
    QCOMPARE(window->statusPanel(2)->text(), QStringLiteral("bloques_%1x%2_%3x%4.bmp")
                                                 .arg(pictureSize.width())
                                                 .arg(pictureSize.height())
                                                 .arg(columns)
                                                 .arg(rows));
    QCOMPARE(window->statusPanel(3)->text(), piecesText);
    QCOMPARE(window->statusPanel(4)->text(), QStringLiteral("%1 pieces in place").arg(columns * rows - outOfPlace));
    QCOMPARE(window->statusPanel(5)->text(), QStringLiteral("%1 pieces out of place").arg(outOfPlace));
    QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("0 movements"));
}

void tst_WindowPlay::newPuzzleForgetsMarkedPieces()
{
    const auto window = build(4, 4, false);
    QWidget *board = window->boardWidget();
    pressAndRelease(board, Qt::RightButton, placePoint(board, 4, 4, 3, 3), placePoint(board, 4, 4, 3, 3));
    QString why;
    qint16 ox = 0;
    qint16 oy = 0;
    window->tablero().getCasilla(3, 3, ox, oy);
    QVERIFY2(placeIs(window->boardImage(), 4, 4, 3, 3, inverted(blockColor(ox, oy)), &why), qPrintable(why));

    openPuzzle(*window, 4, 4, false);
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));

    // A click moves only the piece clicked: the mark of the earlier puzzle is gone.
    const qint32 before = window->tablero().getNumeroDeMovimientos();
    pressAndRelease(board, Qt::LeftButton, placePoint(board, 4, 4, 1, 1), placePoint(board, 4, 4, 1, 1));
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), before + 1);
}

void tst_WindowPlay::normalMoves_data()
{
    QTest::addColumn<QPoint>("pressed");
    // A place, or a point off the board given in pixels beyond its left or lower edge.
    QTest::addColumn<QString>("release");
    QTest::addColumn<bool>("exchanged");
    QTest::addColumn<QPoint>("other");

    QTest::newRow("drag to another place") << QPoint(2, 2) << "4,3" << true << QPoint(4, 3);
    QTest::newRow("drag to a neighbour") << QPoint(1, 4) << "2,4" << true << QPoint(2, 4);
    QTest::newRow("click") << QPoint(2, 2) << "2,2" << false << QPoint();
    QTest::newRow("release left of the board") << QPoint(2, 2) << "left" << false << QPoint();
    QTest::newRow("release below the board") << QPoint(3, 4) << "below" << false << QPoint();
}

void tst_WindowPlay::normalMoves()
{
    QFETCH(QPoint, pressed);
    QFETCH(QString, release);
    QFETCH(bool, exchanged);
    QFETCH(QPoint, other);

    const auto window = build(4, 4, false);
    QVERIFY(arrange(window->tablero(), mirrored));
    window->PaintTablero();
    const Arrangement before = arrangementOf(window->tablero());
    const qint32 moves = window->tablero().getNumeroDeMovimientos();

    QWidget *board = window->boardWidget();
    const QPoint at = placePoint(board, 4, 4, pressed.x(), pressed.y());
    QPoint to;
    if (release == QLatin1String("left"))
        to = QPoint(-12, at.y());
    else if (release == QLatin1String("below"))
        to = QPoint(at.x(), board->height() + 12);
    else
        to = placePoint(board, 4, 4, parsePlace(release).x(), parsePlace(release).y());
    pressAndRelease(board, Qt::LeftButton, at, to);

    Arrangement expected = before;
    if (exchanged)
        std::swap(expected[pressed.x() - 1][pressed.y() - 1], expected[other.x() - 1][other.y() - 1]);
    QCOMPARE(arrangementOf(window->tablero()), expected);
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves + 1);
    QCOMPARE(window->getEstado(), 1);

    QString why;
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
    QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("%1 movements").arg(moves + 1));
    const qint16 outOfPlace = window->tablero().NumeroDeFichasPorColocar();
    QCOMPARE(window->statusPanel(5)->text(), QStringLiteral("%1 pieces out of place").arg(outOfPlace));
}

void tst_WindowPlay::marks_data()
{
    // Steps separated by ";": R right click, S Shift + left click, L left press, each on a
    // place "c,r"; a left press is released on the place after ">".
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("invertedPlaces");
    QTest::addColumn<int>("moves");
    // Pieces that changed place, as "from>to".
    QTest::addColumn<QStringList>("travels");

    QTest::newRow("right click marks") << "R2,2" << QStringList{"2,2"} << 0 << QStringList{};
    QTest::newRow("Shift click marks") << "S3,1" << QStringList{"3,1"} << 0 << QStringList{};
    QTest::newRow("two places marked") << "R2,2;S4,4" << QStringList{"2,2", "4,4"} << 0 << QStringList{};
    QTest::newRow("second right click unmarks") << "R2,2;R2,2" << QStringList{} << 0 << QStringList{};
    QTest::newRow("group moves one to the right")
        << "R2,1;R3,1;L3,1>4,1" << QStringList{} << 2 << QStringList{"3,1>4,1", "2,1>3,1", "4,1>2,1"};
    QTest::newRow("group that would leave the board stays")
        << "R3,1;R4,1;L3,1>4,1" << QStringList{} << 2 << QStringList{};
}

void tst_WindowPlay::marks()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, invertedPlaces);
    QFETCH(int, moves);
    QFETCH(QStringList, travels);

    const auto window = build(4, 4, false);
    QVERIFY(arrange(window->tablero(), mirrored));
    window->PaintTablero();
    const Arrangement before = arrangementOf(window->tablero());
    const qint32 movesBefore = window->tablero().getNumeroDeMovimientos();

    QWidget *board = window->boardWidget();
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        const QStringList ends = step.mid(1).split(QLatin1Char('>'));
        const QPoint from = parsePlace(ends.at(0));
        const QPoint to = parsePlace(ends.value(1, ends.at(0)));
        const QPoint pressAt = placePoint(board, 4, 4, from.x(), from.y());
        const QPoint releaseAt = placePoint(board, 4, 4, to.x(), to.y());
        if (step.startsWith(QLatin1Char('R')))
            pressAndRelease(board, Qt::RightButton, pressAt, releaseAt);
        else if (step.startsWith(QLatin1Char('S')))
            pressAndRelease(board, Qt::LeftButton, pressAt, releaseAt, Qt::ShiftModifier);
        else
            pressAndRelease(board, Qt::LeftButton, pressAt, releaseAt);
    }

    Arrangement expected = before;
    for (const QString &travel : travels) {
        const QPoint from = parsePlace(travel.section(QLatin1Char('>'), 0, 0));
        const QPoint to = parsePlace(travel.section(QLatin1Char('>'), 1, 1));
        expected[to.x() - 1][to.y() - 1] = before[from.x() - 1][from.y() - 1];
    }
    QCOMPARE(arrangementOf(window->tablero()), expected);
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), movesBefore + moves);
    QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("%1 movements").arg(movesBefore + moves));

    QString why;
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const QPoint home = expected[c - 1][r - 1];
            const bool marked = invertedPlaces.contains(QStringLiteral("%1,%2").arg(c).arg(r));
            const QRgb colour = blockColor(home.x(), home.y());
            QVERIFY2(placeIs(window->boardImage(), 4, 4, c, r, marked ? inverted(colour) : colour, &why),
                     qPrintable(why));
        }
    }
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
}

void tst_WindowPlay::slidingMoves_data()
{
    QTest::addColumn<QPoint>("pressed");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("slides");

    // The empty place is (2, 2).
    QTest::newRow("left neighbour") << QPoint(1, 2) << int(Qt::LeftButton) << true;
    QTest::newRow("right neighbour") << QPoint(3, 2) << int(Qt::LeftButton) << true;
    QTest::newRow("neighbour above") << QPoint(2, 1) << int(Qt::LeftButton) << true;
    QTest::newRow("neighbour below") << QPoint(2, 3) << int(Qt::LeftButton) << true;
    QTest::newRow("right button slides too") << QPoint(3, 2) << int(Qt::RightButton) << true;
    QTest::newRow("diagonal") << QPoint(1, 1) << int(Qt::LeftButton) << false;
    QTest::newRow("the empty place") << QPoint(2, 2) << int(Qt::LeftButton) << false;
    QTest::newRow("far away") << QPoint(4, 4) << int(Qt::LeftButton) << false;
}

void tst_WindowPlay::slidingMoves()
{
    QFETCH(QPoint, pressed);
    QFETCH(int, button);
    QFETCH(bool, slides);

    const auto window = build(4, 4, true);
    QVERIFY(arrangeSwapped(window->tablero(), QPoint(2, 2), QPoint(4, 4)));
    window->PaintTablero();
    const Arrangement before = arrangementOf(window->tablero());
    const qint32 moves = window->tablero().getNumeroDeMovimientos();

    // The release lands elsewhere: in the sliding style it does nothing.
    QWidget *board = window->boardWidget();
    pressAndRelease(board, Qt::MouseButton(button), placePoint(board, 4, 4, pressed.x(), pressed.y()),
                    placePoint(board, 4, 4, 4, 1));

    Arrangement expected = before;
    if (slides)
        std::swap(expected[1][1], expected[pressed.x() - 1][pressed.y() - 1]);
    QCOMPARE(arrangementOf(window->tablero()), expected);
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves + (slides ? 1 : 0));
    QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("%1 movements").arg(moves + (slides ? 1 : 0)));

    QString why;
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), true, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
    const QPoint empty = slides ? pressed : QPoint(2, 2);
    QVERIFY2(placeIs(window->boardImage(), 4, 4, empty.x(), empty.y(), qRgb(0, 0, 0), &why), qPrintable(why));
}

void tst_WindowPlay::completion_data()
{
    QTest::addColumn<bool>("dificil");
    QTest::addColumn<QPoint>("swappedA"); // the board starts with these two exchanged
    QTest::addColumn<QPoint>("swappedB");
    QTest::addColumn<QPoint>("pressed");
    QTest::addColumn<QPoint>("released");

    QTest::newRow("Normal, last drag") << false << QPoint(1, 1) << QPoint(2, 1) << QPoint(1, 1) << QPoint(2, 1);
    QTest::newRow("Normal, click on an assembled board")
        << false << QPoint(3, 3) << QPoint(3, 3) << QPoint(3, 3) << QPoint(3, 3);
    QTest::newRow("sliding, last slide") << true << QPoint(3, 4) << QPoint(4, 4) << QPoint(4, 4) << QPoint(4, 4);
}

void tst_WindowPlay::completion()
{
    QFETCH(bool, dificil);
    QFETCH(QPoint, swappedA);
    QFETCH(QPoint, swappedB);
    QFETCH(QPoint, pressed);
    QFETCH(QPoint, released);

    const auto window = build(4, 4, dificil);
    QVERIFY(arrangeSwapped(window->tablero(), swappedA, swappedB));
    window->PaintTablero();
    // Even a board that is already assembled stays unsolved until a move.
    QCOMPARE(window->getEstado(), 1);
    window->action("M_Ventana_Independiente")->trigger();
    QVERIFY(window->ventanita() && window->ventanita()->isVisible());
    const qint32 moves = window->tablero().getNumeroDeMovimientos();

    QWidget *board = window->boardWidget();
    pressAndRelease(board, Qt::LeftButton, placePoint(board, 4, 4, pressed.x(), pressed.y()),
                    placePoint(board, 4, 4, released.x(), released.y()));

    QCOMPARE(window->getEstado(), 2);
    QCOMPARE(window->tablero().NumeroDeFichasPorColocar(), qint16(0));
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves + 1);
    QCOMPARE(window->statusPanel(1)->text(), QStringLiteral("ASSEMBLED"));
    QCOMPARE(window->statusPanel(4)->text(), QStringLiteral("16 pieces in place"));
    QCOMPARE(window->statusPanel(5)->text(), QStringLiteral("0 pieces out of place"));
    QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("%1 movements").arg(moves + 1));
    QVERIFY(Messages::shown().isEmpty());

    // The whole picture, the sliding style's last piece included, and no grid.
    QString why;
    QVERIFY2(showsPictureWithoutGrid(window->boardImage(), 4, 4, &why), qPrintable(why));
    QTRY_VERIFY(!window->ventanita() || !window->ventanita()->isVisible());
    QVERIFY(!window->boardWidget()->inputEnabled());
    QVERIFY(!window->action("M_Ver_Montado")->isEnabled());

    // The board takes no more moves.
    const QImage assembled = window->boardImage().copy();
    pressAndRelease(board, Qt::LeftButton, placePoint(board, 4, 4, 1, 1), placePoint(board, 4, 4, 2, 2));
    pressAndRelease(board, Qt::RightButton, placePoint(board, 4, 4, 3, 3), placePoint(board, 4, 4, 3, 3));
    QCOMPARE(window->boardImage(), assembled);
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves + 1);
    QCOMPARE(window->getEstado(), 2);
    QCOMPARE(window->tablero().NumeroDeFichasPorColocar(), qint16(0));
}

QTEST_MAIN(tst_WindowPlay)
#include "tst_windowplay.moc"
