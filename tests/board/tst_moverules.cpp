#include "board/MoveRules.h"
#include "board/RasterOp.h"
#include "board/TableroClass.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace MoveRules;

namespace {

constexpr float PlaceWidth = 100.0f;
constexpr float PlaceHeight = 80.0f;

QString dump(const TableroClass &t)
{
    QStringList out;
    for (qint16 c = 1; c <= t.getCasillasX(); ++c) {
        for (qint16 r = 1; r <= t.getCasillasY(); ++r) {
            qint16 hx = 0, hy = 0;
            t.getCasilla(c, r, hx, hy);
            if (hx != c || hy != r)
                out << QStringLiteral("%1,%2=%3,%4").arg(c).arg(r).arg(hx).arg(hy);
        }
    }
    return out.join(QLatin1Char(' '));
}

QString opName(quint32 op)
{
    if (op == RasterOp::Copy)
        return QStringLiteral("N");
    if (op == RasterOp::InvertedCopy)
        return QStringLiteral("I");
    return QStringLiteral("?");
}

// Plays a script of presses and releases on a board surface of PlaceWidth × PlaceHeight
// places. A token is d (press) or u (release), the button, an optional s for Shift (c for
// the Control key's mask bit), then
// @column,row for the middle of a place, @out for a point left of the surface or @far for
// one right of it. Painter calls and outcomes are collected as text.
struct Player
{
    TableroClass board;
    MoveState state;
    QStringList painted;
    QStringList outcomes;

    Player() { state.tablero = &board; }

    void play(const QString &script, bool sliding)
    {
        const qint16 cx = board.getCasillasX();
        const qint16 cy = board.getCasillasY();
        const float width = cx * PlaceWidth;
        const float height = cy * PlaceHeight;
        const Painter paint = [this](qint16 c, qint16 r, quint32 op) {
            painted << QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(opName(op));
        };
        for (const QString &token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString head = token.section(QLatin1Char('@'), 0, 0);
            const QString where = token.section(QLatin1Char('@'), 1);
            const int button = head.mid(1, 1).toInt();
            const int shift = head.endsWith(QLatin1Char('s')) ? 1 : head.endsWith(QLatin1Char('c')) ? 2 : 0;
            float x = 0, y = 0;
            if (where == QLatin1String("out")) {
                x = -5;
                y = height / 2;
            } else if (where == QLatin1String("far")) {
                x = width + 40;
                y = height / 2;
            } else {
                x = (where.section(QLatin1Char(','), 0, 0).toFloat() - 0.5f) * PlaceWidth;
                y = (where.section(QLatin1Char(','), 1).toFloat() - 0.5f) * PlaceHeight;
            }
            const Outcome o =
                head.startsWith(QLatin1Char('d'))
                    ? mouseDown(state, sliding, button, shift, x, y, width, height, cx, cy, paint)
                    : mouseUp(state, sliding, button, shift, x, y, width, height, cx, cy, paint);
            QString text = QString(o.refreshStatus ? QStringLiteral("R") : QString()) +
                           (o.completed ? QStringLiteral("C") : QString());
            outcomes << (text.isEmpty() ? QStringLiteral("-") : text);
        }
    }
};

} // namespace

class TstMoveRules : public QObject
{
    Q_OBJECT
private slots:
    void moves_data();
    void moves();
    void pressAndReleasePlaces();
    void pressListGrowsWithTheBoard();
    void pressListDroppedWhenTheGridChanges();
    void puntoACasilla_data();
    void puntoACasilla();
    void getMinMax_data();
    void getMinMax();
    void getFichaMasLejana_data();
    void getFichaMasLejana();
};

void TstMoveRules::moves_data()
{
    QTest::addColumn<qint16>("cols");
    QTest::addColumn<qint16>("rows");
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("painted");
    QTest::addColumn<QString>("outcomes");
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("moves");

    auto normal = [](const char *name) { return &(QTest::newRow(name) << qint16(4) << qint16(3) << false); };

    *normal("drag one piece") << "1,1-2,1"
                              << "d1@2,2 u1@4,3"
                              << "2,2:I 4,3:N 2,2:N"
                              << "R R"
                              << "1,1=2,1 2,1=1,1 2,2=4,3 4,3=2,2" << 1;
    *normal("plain click counts a move") << "1,1-2,1"
                                         << "d1@2,2 u1@2,2"
                                         << "2,2:I 2,2:N 2,2:N"
                                         << "R R"
                                         << "1,1=2,1 2,1=1,1" << 1;
    *normal("unmarked piece still limits the group")
        << "1,3-2,3"
        << "d2@3,1 u2@3,1 d2@1,2 u2@1,2 d2@3,1 u2@3,1 d1@1,2 u1@3,2"
        << "3,1:I 1,2:I 3,1:N 1,2:I 1,2:N 1,2:N"
        << "R R R R R R R R"
        << "1,3=2,3 2,3=1,3" << 1;
    *normal("unmarked piece within reach") << "1,3-2,3"
                                           << "d2@2,1 u2@2,1 d2@1,2 u2@1,2 d2@2,1 u2@2,1 d1@1,2 u1@3,2"
                                           << "2,1:I 1,2:I 2,1:N 1,2:I 3,2:N 1,2:N"
                                           << "R R R R R R R R"
                                           << "1,2=3,2 1,3=2,3 2,3=1,3 3,2=1,2" << 1;
    *normal("two marked pieces move right") << "1,3-2,3"
                                            << "d2@2,1 u2@2,1 d1@3,1 u1@4,1"
                                            << "2,1:I 3,1:I 4,1:N 3,1:N 3,1:N 2,1:N"
                                            << "R R R R"
                                            << "1,3=2,3 2,1=4,1 2,3=1,3 3,1=2,1 4,1=3,1" << 2;
    *normal("two marked pieces move left") << "1,3-2,3"
                                           << "d2@3,1 u2@3,1 d1@2,1 u1@1,1"
                                           << "3,1:I 2,1:I 1,1:N 2,1:N 2,1:N 3,1:N"
                                           << "R R R R"
                                           << "1,1=2,1 1,3=2,3 2,1=3,1 2,3=1,3 3,1=1,1" << 2;
    *normal("group moves up and left") << "1,3-2,3"
                                       << "d2@4,2 u2@4,2 d1@3,2 u1@1,1"
                                       << "4,2:I 3,2:I 1,1:N 3,2:N 2,1:N 4,2:N"
                                       << "R R R R"
                                       << "1,1=3,2 1,3=2,3 2,1=4,2 2,3=1,3 3,2=1,1 4,2=2,1" << 2;
    *normal("group pushed off the board moves in place") << "1,1-4,1"
                                                         << "d2@2,3 u2@2,3 d1@2,2 u1@3,3"
                                                         << "2,3:I 2,2:I 2,3:N 2,3:N 2,2:N 2,2:N"
                                                         << "R R R R"
                                                         << "1,1=4,1 4,1=1,1" << 2;
    *normal("release left of the surface") << "1,1-2,1"
                                           << "d1@2,2 u1@out"
                                           << "2,2:I 2,2:N 2,2:N"
                                           << "R R"
                                           << "1,1=2,1 2,1=1,1" << 1;
    *normal("release right of the surface") << "1,1-2,1"
                                            << "d1@3,2 u1@far"
                                            << "3,2:I 3,2:N 3,2:N"
                                            << "R R"
                                            << "1,1=2,1 2,1=1,1" << 1;
    *normal("shift release keeps the marks") << "1,1-2,1"
                                             << "d1s@2,2 u1s@2,2 d1@3,3 u1@4,3"
                                             << "2,2:I 3,3:I 4,3:N 3,3:N 3,2:N 2,2:N"
                                             << "R R R R"
                                             << "1,1=2,1 2,1=1,1 2,2=3,2 3,2=2,2 3,3=4,3 4,3=3,3" << 2;
    *normal("shift press unmarks") << "1,1-2,1"
                                   << "d1@2,2 u1s@2,2 d1s@2,2 u1s@2,2 d1@3,3 u1@4,3"
                                   << "2,2:I 2,2:N 3,3:I 4,3:N 3,3:N"
                                   << "R R R R R R"
                                   << "1,1=2,1 2,1=1,1 3,3=4,3 4,3=3,3" << 1;
    *normal("other key bits are ignored") << "1,1-2,1"
                                          << "d2@2,2 u2@2,2 d1c@2,2 u1c@3,2"
                                          << "2,2:I 2,2:I 3,2:N 2,2:N"
                                          << "R R R R"
                                          << "1,1=2,1 2,1=1,1 2,2=3,2 3,2=2,2" << 1;
    *normal("second right press unmarks") << "1,1-2,1"
                                          << "d2@2,2 u2@2,2 d2@2,2 u2@2,2 d1@3,3 u1@3,3"
                                          << "2,2:I 2,2:N 3,3:I 3,3:N 3,3:N"
                                          << "R R R R R R"
                                          << "1,1=2,1 2,1=1,1" << 1;
    *normal("middle button marks only") << "1,1-2,1"
                                        << "d4@2,2 u4@2,2"
                                        << "2,2:I"
                                        << "R R"
                                        << "1,1=2,1 2,1=1,1" << 0;
    *normal("press off the surface") << "1,1-2,1"
                                     << "d1@out u1@2,2"
                                     << ""
                                     << "- R"
                                     << "1,1=2,1 2,1=1,1" << 0;
    *normal("click ends an assembled shuffle") << ""
                                               << "d1@3,2 u1@3,2"
                                               << "3,2:I 3,2:N 3,2:N"
                                               << "R RC"
                                               << "" << 1;
    *normal("last drag completes") << "1,1-2,1"
                                   << "d1@1,1 u1@2,1"
                                   << "1,1:I 2,1:N 1,1:N"
                                   << "R RC"
                                   << "" << 1;

    auto slidingRow = [](const char *name, qint16 cols, qint16 rows) {
        return &(QTest::newRow(name) << cols << rows << true);
    };
    *slidingRow("slide down into the empty place", 3, 3) << ""
                                                         << "d1@3,2 u1@3,2"
                                                         << "3,3:N 3,2:N"
                                                         << "R -"
                                                         << "3,2=3,3 3,3=3,2" << 1;
    *slidingRow("slide right with the right button", 3, 3) << ""
                                                           << "d2@2,3"
                                                           << "3,3:N 2,3:N"
                                                           << "R"
                                                           << "2,3=3,3 3,3=2,3" << 1;
    *slidingRow("presses away from the empty place", 3, 3) << ""
                                                           << "d1@2,2 d1@1,1 d1@3,3"
                                                           << ""
                                                           << "R R R"
                                                           << "" << 0;
    *slidingRow("press off the surface", 3, 3) << "3,3-3,2"
                                               << "d1@out d1@far"
                                               << ""
                                               << "- -"
                                               << "3,2=3,3 3,3=3,2" << 0;
    *slidingRow("slide completes", 3, 3) << "3,3-3,2"
                                         << "d1@3,3"
                                         << "3,2:N 3,3:N"
                                         << "RC"
                                         << "" << 1;
    *slidingRow("slide left on a wide board", 4, 2) << "4,2-2,1"
                                                    << "d4@1,1 u4@1,1"
                                                    << "2,1:N 1,1:N"
                                                    << "R -"
                                                    << "1,1=4,2 2,1=1,1 4,2=2,1" << 1;
}

void TstMoveRules::moves()
{
    QFETCH(qint16, cols);
    QFETCH(qint16, rows);
    QFETCH(bool, sliding);
    QFETCH(QString, start);
    QFETCH(QString, events);
    QFETCH(QString, painted);
    QFETCH(QString, outcomes);
    QFETCH(QString, board);
    QFETCH(int, moves);

    Player p;
    p.board.Inicializar(cols, rows, cols, rows, QStringLiteral("jpg"), false, sliding);
    for (const QString &swap : start.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList a = swap.section(QLatin1Char('-'), 0, 0).split(QLatin1Char(','));
        const QStringList b = swap.section(QLatin1Char('-'), 1).split(QLatin1Char(','));
        p.board.IntercambiarFichas(qint16(a[0].toInt()), qint16(a[1].toInt()), qint16(b[0].toInt()),
                                   qint16(b[1].toInt()));
    }
    const int before = p.board.getNumeroDeMovimientos();
    p.state.lista.reset(cols * rows + 1);

    p.play(events, sliding);
    QCOMPARE(p.painted.join(QLatin1Char(' ')), painted);
    QCOMPARE(p.outcomes.join(QLatin1Char(' ')), outcomes);
    QCOMPARE(dump(p.board), board);
    QCOMPARE(p.board.getNumeroDeMovimientos() - before, moves);
}

void TstMoveRules::pressAndReleasePlaces()
{
    Player p;
    p.board.Inicializar(4, 3, 4, 3, QString(), false, false);
    p.state.lista.reset(13);
    p.play(QStringLiteral("d2@3,2 u2@1,1"), false);
    QCOMPARE(p.state.pulsadaX, qint16(3));
    QCOMPARE(p.state.pulsadaY, qint16(2));
    QCOMPARE(p.state.soltadaX, qint16(1));
    QCOMPARE(p.state.soltadaY, qint16(1));
    QCOMPARE(p.state.lista.numeroEnLista, qint16(1));
    QVERIFY(p.state.lista.marcadas[0]);

    p.play(QStringLiteral("d1@2,2 u1@out"), false);
    QCOMPARE(p.state.soltadaX, qint16(0));
    QCOMPARE(p.state.soltadaY, qint16(0));
    QCOMPARE(p.state.lista.numeroEnLista, qint16(0));
    QVERIFY(!p.state.lista.marcadas[0]);
    QVERIFY(!p.state.lista.marcadas[1]);
}

void TstMoveRules::pressListGrowsWithTheBoard()
{
    // A puzzle file read into the board leaves the list made for the previous, smaller grid.
    Player p;
    p.board.Inicializar(2, 2, 2, 2, QString(), false, false);
    p.state.lista.reset(5);
    TableroClass bigger;
    bigger.Inicializar(5, 4, 5, 4, QString(), false, false);
    bigger.IntercambiarFichas(1, 1, 5, 4);
    TableroClass::Table bx, by;
    qint16 cx, cy, fx, fy;
    QVERIFY(bigger.getBoard(bx, by, cx, cy, fx, fy));
    QVERIFY(p.board.setBoard(bx, by, cx, cy, fx, fy, QStringLiteral("gif")));

    QString script;
    for (int c = 1; c <= 5; ++c) {
        for (int r = 1; r <= 4; ++r)
            script += QStringLiteral("d2@%1,%2 u2@%1,%2 ").arg(c).arg(r);
    }
    p.play(script, false);
    QCOMPARE(p.state.lista.numeroEnLista, qint16(20));
    QVERIFY(p.state.lista.listaX.size() >= 21);
    QCOMPARE(p.painted.count(QStringLiteral("5,4:I")), 1);

    p.painted.clear();
    p.play(QStringLiteral("d1@1,1 u1@1,1"), false);
    QCOMPARE(p.board.getNumeroDeMovimientos(), 20);
    QCOMPARE(dump(p.board), QStringLiteral("1,1=5,4 5,4=1,1"));
    QCOMPARE(p.painted.size(), 1 + 2 * 20);
    QCOMPARE(p.state.lista.numeroEnLista, qint16(0));
}

void TstMoveRules::pressListDroppedWhenTheGridChanges()
{
    Player p;
    p.board.Inicializar(4, 3, 4, 3, QString(), false, false);
    p.state.lista.reset(13);
    p.play(QStringLiteral("d2@4,3 u2@4,3"), false);

    TableroClass small;
    small.Inicializar(2, 2, 2, 2, QString(), false, false);
    TableroClass::Table bx, by;
    qint16 cx, cy, fx, fy;
    QVERIFY(small.getBoard(bx, by, cx, cy, fx, fy));
    QVERIFY(p.board.setBoard(bx, by, cx, cy, fx, fy, QStringLiteral("gif")));

    p.painted.clear();
    p.play(QStringLiteral("d1@1,1 u1@2,1"), false);
    QCOMPARE(p.painted.join(QLatin1Char(' ')), QStringLiteral("1,1:I 2,1:N 1,1:N"));
    QCOMPARE(dump(p.board), QStringLiteral("1,1=2,1 2,1=1,1"));
}

void TstMoveRules::puntoACasilla_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("width");
    QTest::addColumn<qint16>("partesX");
    QTest::addColumn<qint16>("boardColumns");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // A 400 × 240 surface of 4 × 3 places of 100 × 80 unless a row says otherwise.
    QTest::newRow("top-left corner") << 0.0f << 0.0f << 400.0f << qint16(4) << qint16(4) << 1 << 1;
    QTest::newRow("line belongs to the left place")
        << 100.0f << 80.0f << 400.0f << qint16(4) << qint16(4) << 1 << 1;
    QTest::newRow("just past the line") << 100.5f << 80.5f << 400.0f << qint16(4) << qint16(4) << 2 << 2;
    QTest::newRow("bottom-right corner") << 400.0f << 240.0f << 400.0f << qint16(4) << qint16(4) << 4 << 3;
    QTest::newRow("past the right edge") << 400.5f << 10.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("past the bottom edge") << 10.0f << 240.5f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("left of the surface") << -0.1f << 10.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("above the surface") << 10.0f << -3.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("far off the surface") << 1e9f << 10.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("not a number") << nan << 10.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("infinite") << inf << 10.0f << 400.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("no parts") << 10.0f << 10.0f << 400.0f << qint16(0) << qint16(4) << 0 << 0;
    QTest::newRow("surface of no width") << 0.0f << 10.0f << 0.0f << qint16(4) << qint16(4) << 0 << 0;
    QTest::newRow("inside the board's narrower grid")
        << 250.0f << 10.0f << 400.0f << qint16(4) << qint16(3) << 3 << 1;
    QTest::newRow("beyond the board's narrower grid")
        << 350.0f << 10.0f << 400.0f << qint16(4) << qint16(3) << 0 << 0;
}

void TstMoveRules::puntoACasilla()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(float, width);
    QFETCH(qint16, partesX);
    QFETCH(qint16, boardColumns);
    QFETCH(int, column);
    QFETCH(int, row);
    TableroClass t;
    t.Inicializar(boardColumns, 3, boardColumns, 3, QString(), false, false);
    qint16 c = 9, r = 9;
    bool inside = column == 0;
    PuntoACasilla(x, y, width, 240.0f, partesX, 3, t, c, r, inside);
    QCOMPARE(int(c), column);
    QCOMPARE(int(r), row);
    QCOMPARE(inside, column != 0);
}

void TstMoveRules::getMinMax_data()
{
    QTest::addColumn<QVector<qint16>>("list");
    QTest::addColumn<qint16>("n");
    QTest::addColumn<qint16>("smallest");
    QTest::addColumn<qint16>("largest");
    const QVector<qint16> list{3, 1, 4, 1, 5};
    QTest::newRow("all") << list << qint16(5) << qint16(1) << qint16(5);
    QTest::newRow("first two") << list << qint16(2) << qint16(1) << qint16(3);
    QTest::newRow("first one") << list << qint16(1) << qint16(3) << qint16(3);
    QTest::newRow("none") << list << qint16(0) << qint16(30000) << qint16(-1);
    QTest::newRow("count past the end") << list << qint16(9) << qint16(1) << qint16(5);
    QTest::newRow("negative count") << list << qint16(-2) << qint16(30000) << qint16(-1);
}

void TstMoveRules::getMinMax()
{
    QFETCH(QVector<qint16>, list);
    QFETCH(qint16, n);
    QFETCH(qint16, smallest);
    QFETCH(qint16, largest);
    qint16 s = 0, l = 0;
    MoveRules::getMinMax(list, n, s, l);
    QCOMPARE(s, smallest);
    QCOMPARE(l, largest);
}

void TstMoveRules::getFichaMasLejana_data()
{
    QTest::addColumn<QVector<qint16>>("xs");
    QTest::addColumn<QVector<qint16>>("ys");
    QTest::addColumn<QVector<bool>>("marks");
    QTest::addColumn<qint16>("n");
    QTest::addColumn<qint16>("sx");
    QTest::addColumn<qint16>("sy");
    QTest::addColumn<int>("index");
    const QVector<qint16> xs{2, 4, 1, 4};
    const QVector<qint16> ys{1, 3, 3, 1};
    QTest::newRow("farthest from top-left")
        << xs << ys << QVector<bool>{true, true, true, true} << qint16(4) << qint16(1) << qint16(1) << 1;
    QTest::newRow("farthest from bottom-right")
        << xs << ys << QVector<bool>{true, true, true, true} << qint16(4) << qint16(4) << qint16(3) << 2;
    QTest::newRow("unmarked entries skipped")
        << xs << ys << QVector<bool>{true, false, true, true} << qint16(4) << qint16(1) << qint16(1) << 3;
    QTest::newRow("a tie keeps the earlier")
        << QVector<qint16>{1, 3, 2} << QVector<qint16>{3, 1, 2} << QVector<bool>{true, true, true}
        << qint16(3) << qint16(1) << qint16(1) << 0;
    QTest::newRow("only entries in use")
        << xs << ys << QVector<bool>{true, true, true, true} << qint16(1) << qint16(1) << qint16(1) << 0;
    QTest::newRow("nothing marked") << xs << ys << QVector<bool>{false, false, false, false} << qint16(4)
                                    << qint16(1) << qint16(1) << -1;
    QTest::newRow("count past the lists")
        << xs << ys << QVector<bool>{false, false, false, true} << qint16(30) << qint16(1) << qint16(1) << 3;
}

void TstMoveRules::getFichaMasLejana()
{
    QFETCH(QVector<qint16>, xs);
    QFETCH(QVector<qint16>, ys);
    QFETCH(QVector<bool>, marks);
    QFETCH(qint16, n);
    QFETCH(qint16, sx);
    QFETCH(qint16, sy);
    QFETCH(int, index);
    PressList l;
    l.listaX = xs;
    l.listaY = ys;
    l.marcadas = marks;
    l.numeroEnLista = n;
    qint16 got = 77;
    bool found = index < 0;
    MoveRules::getFichaMasLejana(l, sx, sy, got, found);
    QCOMPARE(found, index >= 0);
    QCOMPARE(int(got), index >= 0 ? index : 77);
}

QTEST_APPLESS_MAIN(TstMoveRules)
#include "tst_moverules.moc"
