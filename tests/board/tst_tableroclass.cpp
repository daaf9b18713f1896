#include "board/TableroClass.h"
#include "platform/RunTimeError.h"

#include <QSet>
#include <QtTest>

#include <cmath>
#include <random>

namespace {

// Places whose piece is not home, column by column: "c,r=homeColumn,homeRow ...".
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

// Home index of the piece on every place, places numbered column by column from 0.
QVector<int> homes(const TableroClass &t)
{
    QVector<int> h;
    for (qint16 c = 1; c <= t.getCasillasX(); ++c) {
        for (qint16 r = 1; r <= t.getCasillasY(); ++r) {
            qint16 hx = 0, hy = 0;
            t.getCasilla(c, r, hx, hy);
            h << ((hx < 1 || hx > t.getCasillasX() || hy < 1 || hy > t.getCasillasY())
                      ? -1
                      : (hx - 1) * t.getCasillasY() + (hy - 1));
        }
    }
    return h;
}

bool isPermutation(const QVector<int> &h)
{
    QVector<bool> seen(h.size(), false);
    for (int v : h) {
        if (v < 0 || v >= h.size() || seen[v])
            return false;
        seen[v] = true;
    }
    return true;
}

int parity(const QVector<int> &h)
{
    QVector<bool> visited(h.size(), false);
    int transpositions = 0;
    for (int i = 0; i < h.size(); ++i) {
        int length = 0;
        for (int j = i; !visited[j]; j = h[j]) {
            visited[j] = true;
            ++length;
        }
        if (length > 0)
            transpositions += length - 1;
    }
    return transpositions % 2;
}

// Every slide is one transposition and moves the empty place by one step, so an arrangement
// can be solved by sliding exactly when the permutation's parity equals the parity of the
// empty place's taxicab distance from the bottom-right corner.
bool solvableBySliding(const TableroClass &t)
{
    const QVector<int> h = homes(t);
    const int emptyHome = h.size() - 1;
    const int at = int(h.indexOf(emptyHome));
    const int ex = at / t.getCasillasY() + 1;
    const int ey = at % t.getCasillasY() + 1;
    const int distance = (t.getCasillasX() - ex) + (t.getCasillasY() - ey);
    return parity(h) == distance % 2;
}

// The two shuffles worked out independently from a seed: four draws per swap round, two per
// walk draw, diagonal and out-of-grid walk draws thrown away without counting.
QVector<int> referenceShuffle(int cx, int cy, bool sliding, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    auto draw = [&rng] { return double(rng() >> 11) / 9007199254740992.0; };
    QVector<int> cell(cx * cy);
    for (int i = 0; i < cell.size(); ++i)
        cell[i] = i;
    auto at = [cy](int x, int y) { return (x - 1) * cy + (y - 1); };
    if (!sliding) {
        for (int n = 0; n < cx * cy * 5 + 50; ++n) {
            const double r1 = draw(), r2 = draw(), r3 = draw(), r4 = draw();
            std::swap(cell[at(int(cx * r1) + 1, int(cy * r3) + 1)],
                      cell[at(int(cx * r2) + 1, int(cy * r4) + 1)]);
        }
        return cell;
    }
    int ex = cx, ey = cy;
    for (int i = 1; i < cx * cy * 25 + 50;) {
        const int dx = int(std::floor(3 * draw() - 1));
        const int dy = int(std::floor(3 * draw() - 1));
        if (dx * dy != 0 || ex + dx < 1 || ex + dx > cx || ey + dy < 1 || ey + dy > cy)
            continue;
        std::swap(cell[at(ex, ey)], cell[at(ex + dx, ey + dy)]);
        ex += dx;
        ey += dy;
        ++i;
    }
    return cell;
}

TableroClass assembled(qint16 cx, qint16 cy)
{
    TableroClass t;
    t.Inicializar(cx, cy, cx, cy, QStringLiteral("jpg"), false, false);
    return t;
}

} // namespace

class TstTableroClass : public QObject
{
    Q_OBJECT
private slots:
    void newBoardIsEmpty();
    void initialiseWithoutShuffle_data();
    void initialiseWithoutShuffle();
    void shuffleLength_data();
    void shuffleLength();
    void shuffleFollowsDrawOrder_data();
    void shuffleFollowsDrawOrder();
    void unseededShufflesDiffer();
    void firstWalkStepNeverGoesForward();
    void slidingShuffleIsSolvable();
    void swapShuffleIsOftenNotSolvableBySliding();
    void initialiseRefusals_data();
    void initialiseRefusals();
    void exchanges_data();
    void exchanges();
    void placesOutsideTheTableThrow_data();
    void placesOutsideTheTableThrow();
    void piecesToPlace();
    void getBoardShape();
    void setBoardAccepts_data();
    void setBoardAccepts();
    void setBoardRefusals_data();
    void setBoardRefusals();
};

void TstTableroClass::newBoardIsEmpty()
{
    TableroClass t;
    TableroClass::Table bx{{7}}, by{{8}};
    qint16 cx = 5, cy = 6, fx = 7, fy = 8;
    QVERIFY(!t.getBoard(bx, by, cx, cy, fx, fy));
    QCOMPARE(bx, TableroClass::Table{{7}});
    QCOMPARE(by, TableroClass::Table{{8}});
    QCOMPARE(cx, qint16(5));
    QCOMPARE(fy, qint16(8));
    QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(0));
    QCOMPARE(t.getCasillasX(), qint16(0));
    qint16 hx = 0, hy = 0;
    QVERIFY_THROWS_EXCEPTION(RunTimeError, t.getCasilla(0, 0, hx, hy));
}

void TstTableroClass::initialiseWithoutShuffle_data()
{
    QTest::addColumn<qint16>("cx");
    QTest::addColumn<qint16>("cy");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("stored");
    QTest::newRow("3x2 png") << qint16(3) << qint16(2) << "png"
                             << "png   ";
    QTest::newRow("4x3 jpeg") << qint16(4) << qint16(3) << "jpeg"
                              << "jpeg  ";
    QTest::newRow("cut after six") << qint16(2) << qint16(5) << "abcdefgh"
                                   << "abcdef";
    QTest::newRow("no extension") << qint16(30) << qint16(30) << ""
                                  << "      ";
    QTest::newRow("accented") << qint16(2) << qint16(2) << "dibujé"
                              << "dibujé";
}

void TstTableroClass::initialiseWithoutShuffle()
{
    QFETCH(qint16, cx);
    QFETCH(qint16, cy);
    QFETCH(QString, extension);
    QFETCH(QString, stored);
    TableroClass t = assembled(2, 2);
    t.IntercambiarFichas(1, 1, 2, 2);
    t.Inicializar(cx, cy, cx, cy, extension, false, false);
    QCOMPARE(dump(t), QString());
    QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(0));
    QCOMPARE(t.getNumeroDeMovimientos(), 0);
    QCOMPARE(t.getExtension(), stored);
    QCOMPARE(t.lastShuffleRounds(), 0);
}

void TstTableroClass::shuffleLength_data()
{
    QTest::addColumn<qint16>("cx");
    QTest::addColumn<qint16>("cy");
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<int>("rounds");
    QTest::newRow("swap 2x2") << qint16(2) << qint16(2) << false << 70;
    QTest::newRow("slide 2x2") << qint16(2) << qint16(2) << true << 149;
    QTest::newRow("swap 3x5") << qint16(3) << qint16(5) << false << 125;
    QTest::newRow("slide 3x5") << qint16(3) << qint16(5) << true << 424;
    QTest::newRow("swap 30x30") << qint16(30) << qint16(30) << false << 4550;
    QTest::newRow("slide 30x30") << qint16(30) << qint16(30) << true << 22549;
    QTest::newRow("slide 1x1") << qint16(1) << qint16(1) << true << 74;
}

void TstTableroClass::shuffleLength()
{
    QFETCH(qint16, cx);
    QFETCH(qint16, cy);
    QFETCH(bool, sliding);
    QFETCH(int, rounds);
    TableroClass t = assembled(2, 2);
    t.setSeed(12345);
    t.IntercambiarFichas(1, 1, 2, 2);
    t.Inicializar(cx, cy, cx, cy, QStringLiteral("gif"), true, sliding);
    QCOMPARE(t.lastShuffleRounds(), rounds);
    QCOMPARE(t.getNumeroDeMovimientos(), 0);
    QVERIFY(isPermutation(homes(t)));
}

void TstTableroClass::shuffleFollowsDrawOrder_data()
{
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<qint16>("cx");
    QTest::addColumn<qint16>("cy");
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {1u, 77u, 4242u}) {
        QTest::addRow("swap 4x3 seed %d", int(seed)) << false << qint16(4) << qint16(3) << seed;
        QTest::addRow("slide 4x3 seed %d", int(seed)) << true << qint16(4) << qint16(3) << seed;
        QTest::addRow("slide 2x7 seed %d", int(seed)) << true << qint16(2) << qint16(7) << seed;
    }
}

void TstTableroClass::shuffleFollowsDrawOrder()
{
    QFETCH(bool, sliding);
    QFETCH(qint16, cx);
    QFETCH(qint16, cy);
    QFETCH(quint64, seed);
    TableroClass t;
    t.setSeed(seed);
    t.Inicializar(cx, cy, cx, cy, QString(), true, sliding);
    QCOMPARE(homes(t), referenceShuffle(cx, cy, sliding, seed));

    TableroClass again;
    again.setSeed(seed);
    again.Inicializar(cx, cy, cx, cy, QString(), true, sliding);
    QCOMPARE(dump(again), dump(t));
}

void TstTableroClass::unseededShufflesDiffer()
{
    TableroClass a, b;
    a.Inicializar(30, 30, 30, 30, QString(), true, true);
    b.Inicializar(30, 30, 30, 30, QString(), true, true);
    QVERIFY(dump(a) != dump(b));
    QVERIFY(isPermutation(homes(a)));
}

void TstTableroClass::firstWalkStepNeverGoesForward()
{
    QSet<QPair<int, int>> seen;
    TableroClass t;
    for (std::uint64_t seed = 0; seed < 400; ++seed) {
        t.setSeed(seed);
        t.Inicializar(4, 3, 4, 3, QString(), true, true);
        const int dx = t.lastWalkFirstDx();
        const int dy = t.lastWalkFirstDy();
        QVERIFY2(dx <= 0 && dy <= 0 && dx * dy == 0, qPrintable(QStringLiteral("%1 %2").arg(dx).arg(dy)));
        seen.insert({dx, dy});
    }
    // Staying, going left and going up are all possible first steps.
    QCOMPARE(seen.size(), 3);
}

void TstTableroClass::slidingShuffleIsSolvable()
{
    TableroClass t;
    int oddDistances = 0;
    int emptyAtHome = 0;
    int total = 0;
    for (qint16 cx = 2; cx <= 30; ++cx) {
        for (qint16 cy = 2; cy <= 30; ++cy) {
            const int seeds = cx * cy <= 100 ? 12 : 2;
            for (int s = 0; s < seeds; ++s) {
                t.setSeed(std::uint64_t(cx) * 1000003u + std::uint64_t(cy) * 1009u + std::uint64_t(s));
                t.Inicializar(cx, cy, cx, cy, QString(), true, true);
                const QVector<int> h = homes(t);
                QVERIFY2(isPermutation(h),
                         qPrintable(QStringLiteral("%1x%2 seed %3").arg(cx).arg(cy).arg(s)));
                QVERIFY2(solvableBySliding(t),
                         qPrintable(QStringLiteral("%1x%2 seed %3").arg(cx).arg(cy).arg(s)));
                QCOMPARE(t.getNumeroDeMovimientos(), 0);
                const int at = int(h.indexOf(h.size() - 1));
                const int distance = (cx - (at / cy + 1)) + (cy - (at % cy + 1));
                oddDistances += distance % 2;
                emptyAtHome += distance == 0;
                ++total;
            }
        }
    }
    // The parity rule is only a test when both parities of the empty place's distance occur.
    QVERIFY(oddDistances > total / 4);
    QVERIFY(emptyAtHome > 0);
}

void TstTableroClass::swapShuffleIsOftenNotSolvableBySliding()
{
    TableroClass t;
    int unsolvable = 0;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        t.setSeed(seed);
        t.Inicializar(4, 4, 4, 4, QString(), true, false);
        QVERIFY(isPermutation(homes(t)));
        unsolvable += !solvableBySliding(t);
    }
    QVERIFY(unsolvable > 50 && unsolvable < 150);
}

void TstTableroClass::initialiseRefusals_data()
{
    QTest::addColumn<qint16>("cx");
    QTest::addColumn<qint16>("cy");
    QTest::addColumn<qint16>("fx");
    QTest::addColumn<qint16>("fy");
    QTest::addColumn<QString>("shuffle");
    QTest::addColumn<int>("error");
    QTest::newRow("no columns") << qint16(0) << qint16(3) << qint16(0) << qint16(3) << "swap" << 9;
    QTest::newRow("negative rows") << qint16(3) << qint16(-2) << qint16(3) << qint16(-2) << "slide" << 9;
    QTest::newRow("pieces beyond grid") << qint16(3) << qint16(3) << qint16(4) << qint16(3) << "swap" << 9;
    QTest::newRow("swap length just fits")
        << qint16(80) << qint16(81) << qint16(80) << qint16(81) << "swap" << 0;
    QTest::newRow("swap length overflows")
        << qint16(81) << qint16(81) << qint16(81) << qint16(81) << "swap" << 6;
    QTest::newRow("walk length just fits")
        << qint16(36) << qint16(36) << qint16(36) << qint16(36) << "slide" << 0;
    QTest::newRow("walk length overflows")
        << qint16(37) << qint16(36) << qint16(37) << qint16(36) << "slide" << 6;
    QTest::newRow("piece count overflows")
        << qint16(200) << qint16(200) << qint16(200) << qint16(200) << "none" << 6;
}

void TstTableroClass::initialiseRefusals()
{
    QFETCH(qint16, cx);
    QFETCH(qint16, cy);
    QFETCH(qint16, fx);
    QFETCH(qint16, fy);
    QFETCH(QString, shuffle);
    QFETCH(int, error);
    TableroClass t = assembled(4, 3);
    t.IntercambiarFichas(1, 1, 4, 3);
    const QString before = dump(t);
    t.setSeed(3);
    int number = 0;
    try {
        t.Inicializar(cx, cy, fx, fy, QStringLiteral("bmp"), shuffle != QLatin1String("none"),
                      shuffle == QLatin1String("slide"));
    } catch (const RunTimeError &e) {
        number = e.number();
    }
    QCOMPARE(number, error);
    if (error != 0) {
        QCOMPARE(t.getCasillasX(), qint16(4));
        QCOMPARE(dump(t), before);
        QCOMPARE(t.getNumeroDeMovimientos(), 1);
        QCOMPARE(t.getExtension(), QStringLiteral("jpg   "));
    } else {
        QCOMPARE(t.getCasillasX(), cx);
        QVERIFY(isPermutation(homes(t)));
    }
}

void TstTableroClass::exchanges_data()
{
    QTest::addColumn<QVector<int>>("swaps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same place") << QVector<int>{2, 3, 2, 3} << "";
    QTest::newRow("neighbours") << QVector<int>{1, 1, 2, 1} << "1,1=2,1 2,1=1,1";
    QTest::newRow("twice restores") << QVector<int>{1, 1, 2, 1, 1, 1, 2, 1} << "";
    QTest::newRow("three-cycle") << QVector<int>{1, 1, 4, 3, 4, 3, 2, 2} << "1,1=4,3 2,2=1,1 4,3=2,2";
    QTest::newRow("column zero is in the table") << QVector<int>{0, 0, 0, 3} << "";
}

void TstTableroClass::exchanges()
{
    QFETCH(QVector<int>, swaps);
    QFETCH(QString, expected);
    TableroClass t = assembled(4, 3);
    for (int i = 0; i < swaps.size(); i += 4)
        t.IntercambiarFichas(qint16(swaps[i]), qint16(swaps[i + 1]), qint16(swaps[i + 2]),
                             qint16(swaps[i + 3]));
    QCOMPARE(dump(t), expected);
    QCOMPARE(t.getNumeroDeMovimientos(), int(swaps.size() / 4));
}

void TstTableroClass::placesOutsideTheTableThrow_data()
{
    QTest::addColumn<QVector<int>>("place");
    QTest::newRow("column past grid") << QVector<int>{5, 1, 1, 1};
    QTest::newRow("row past grid") << QVector<int>{1, 1, 2, 4};
    QTest::newRow("negative column") << QVector<int>{-1, 1, 1, 1};
    QTest::newRow("negative row") << QVector<int>{1, 1, 1, -3};
}

void TstTableroClass::placesOutsideTheTableThrow()
{
    QFETCH(QVector<int>, place);
    TableroClass t = assembled(4, 3);
    t.IntercambiarFichas(1, 1, 2, 2);
    const QString before = dump(t);
    try {
        t.IntercambiarFichas(qint16(place[0]), qint16(place[1]), qint16(place[2]), qint16(place[3]));
        QFAIL("no error");
    } catch (const RunTimeError &e) {
        QCOMPARE(e.number(), 9);
        QCOMPARE(e.description(), QStringLiteral("Subscript out of range"));
    }
    QCOMPARE(dump(t), before);
    QCOMPARE(t.getNumeroDeMovimientos(), 1);

    qint16 hx = 11, hy = 12;
    const bool firstOutside = place[0] > 4 || place[0] < 0 || place[1] > 3 || place[1] < 0;
    QVERIFY_THROWS_EXCEPTION(RunTimeError, t.getCasilla(qint16(place[firstOutside ? 0 : 2]),
                                                        qint16(place[firstOutside ? 1 : 3]), hx, hy));
    QCOMPARE(hx, qint16(11));
    QCOMPARE(hy, qint16(12));
}

void TstTableroClass::piecesToPlace()
{
    TableroClass t = assembled(4, 3);
    t.IntercambiarFichas(2, 1, 3, 3);
    QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(2));
    t.IntercambiarFichas(3, 3, 4, 2);
    QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(3));

    // A board from a file that counts only the first three columns ignores the fourth.
    TableroClass::Table bx, by;
    qint16 cx, cy, fx, fy;
    TableroClass u = assembled(4, 3);
    u.IntercambiarFichas(4, 1, 4, 3);
    QVERIFY(u.getBoard(bx, by, cx, cy, fx, fy));
    QVERIFY(u.setBoard(bx, by, 4, 3, 3, 3, QStringLiteral("gif")));
    QCOMPARE(u.NumeroDeFichasPorColocar(), qint16(0));
    QVERIFY(u.setBoard(bx, by, 4, 3, 4, 3, QStringLiteral("gif")));
    QCOMPARE(u.NumeroDeFichasPorColocar(), qint16(2));
    QVERIFY(u.setBoard(bx, by, 4, 3, 0, 3, QStringLiteral("gif")));
    QCOMPARE(u.NumeroDeFichasPorColocar(), qint16(0));
}

void TstTableroClass::getBoardShape()
{
    TableroClass t = assembled(4, 3);
    t.IntercambiarFichas(1, 1, 4, 2);
    TableroClass::Table bx, by;
    qint16 cx = 0, cy = 0, fx = 0, fy = 0;
    QVERIFY(t.getBoard(bx, by, cx, cy, fx, fy));
    QCOMPARE(QVector<qint16>({cx, cy, fx, fy}), QVector<qint16>({4, 3, 4, 3}));
    QCOMPARE(bx.size(), 5);
    QCOMPARE(by.size(), 5);
    for (int c = 0; c <= 4; ++c) {
        QCOMPARE(bx[c].size(), 4);
        QCOMPARE(by[c].size(), 4);
        for (int r = 0; r <= 3; ++r) {
            if (c == 0 || r == 0) {
                QCOMPARE(bx[c][r], qint16(0));
                QCOMPARE(by[c][r], qint16(0));
            }
        }
    }
    QCOMPARE(bx[1][1], qint16(4));
    QCOMPARE(by[1][1], qint16(2));
    QCOMPARE(bx[4][2], qint16(1));
    QCOMPARE(by[4][2], qint16(1));
    QCOMPARE(bx[3][2], qint16(3));
    QCOMPARE(by[3][2], qint16(2));
}

void TstTableroClass::setBoardAccepts_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("stored");
    QTest::newRow("four letters") << "jpeg"
                                  << "jpeg  ";
    QTest::newRow("eight letters") << "abcdefgh"
                                   << "abcdef";
    QTest::newRow("six, padded already") << "bmp   "
                                         << "bmp   ";
}

void TstTableroClass::setBoardAccepts()
{
    QFETCH(QString, extension);
    QFETCH(QString, stored);
    TableroClass source;
    source.setSeed(99);
    source.Inicializar(5, 2, 5, 2, QString(), true, false);
    TableroClass::Table bx, by;
    qint16 cx, cy, fx, fy;
    QVERIFY(source.getBoard(bx, by, cx, cy, fx, fy));

    TableroClass t = assembled(3, 3);
    t.IntercambiarFichas(1, 1, 2, 2);
    t.IntercambiarFichas(1, 1, 2, 2);
    t.IntercambiarFichas(1, 1, 3, 3);
    QVERIFY(t.setBoard(bx, by, cx, cy, fx, fy, extension));
    QCOMPARE(t.getCasillasX(), qint16(5));
    QCOMPARE(t.getCasillasY(), qint16(2));
    QCOMPARE(dump(t), dump(source));
    QCOMPARE(t.getExtension(), stored);
    QCOMPARE(t.getNumeroDeMovimientos(), 3);

    TableroClass::Table bx2, by2;
    QVERIFY(t.getBoard(bx2, by2, cx, cy, fx, fy));
    QCOMPARE(bx2, bx);
    QCOMPARE(by2, by);
}

void TstTableroClass::setBoardRefusals_data()
{
    QTest::addColumn<qint16>("cx");
    QTest::addColumn<qint16>("cy");
    QTest::addColumn<qint16>("fx");
    QTest::addColumn<qint16>("fy");
    QTest::addColumn<QString>("fault");
    QTest::newRow("no columns") << qint16(0) << qint16(3) << qint16(0) << qint16(3) << "";
    QTest::newRow("no rows") << qint16(4) << qint16(0) << qint16(4) << qint16(0) << "";
    QTest::newRow("negative columns") << qint16(-4) << qint16(3) << qint16(4) << qint16(3) << "";
    QTest::newRow("second count past grid") << qint16(4) << qint16(3) << qint16(5) << qint16(3) << "";
    QTest::newRow("negative second count") << qint16(4) << qint16(3) << qint16(4) << qint16(-1) << "";
    QTest::newRow("more places than 16 bits count")
        << qint16(200) << qint16(200) << qint16(200) << qint16(200) << "";
    QTest::newRow("tables miss a column")
        << qint16(4) << qint16(3) << qint16(4) << qint16(3) << "short outer";
    QTest::newRow("a column misses a row")
        << qint16(4) << qint16(3) << qint16(4) << qint16(3) << "short inner";
    QTest::newRow("home twice") << qint16(4) << qint16(3) << qint16(4) << qint16(3) << "duplicate";
    QTest::newRow("home past grid") << qint16(4) << qint16(3) << qint16(4) << qint16(3) << "outside";
    QTest::newRow("home zero") << qint16(4) << qint16(3) << qint16(4) << qint16(3) << "zero";
}

void TstTableroClass::setBoardRefusals()
{
    QFETCH(qint16, cx);
    QFETCH(qint16, cy);
    QFETCH(qint16, fx);
    QFETCH(qint16, fy);
    QFETCH(QString, fault);
    const int w = std::max<int>(cx, 0) + 1;
    const int h = std::max<int>(cy, 0) + 1;
    TableroClass::Table bx(w, QVector<qint16>(h, 0)), by = bx;
    for (int c = 1; c < w; ++c) {
        for (int r = 1; r < h; ++r) {
            bx[c][r] = qint16(c);
            by[c][r] = qint16(r);
        }
    }
    if (fault == QLatin1String("short outer"))
        by.removeLast();
    else if (fault == QLatin1String("short inner"))
        bx[2].removeLast();
    else if (fault == QLatin1String("duplicate"))
        bx[1][1] = 2;
    else if (fault == QLatin1String("outside"))
        by[3][2] = 4;
    else if (fault == QLatin1String("zero"))
        bx[4][3] = 0;

    TableroClass t = assembled(2, 2);
    t.IntercambiarFichas(1, 1, 2, 2);
    QVERIFY(!t.setBoard(bx, by, cx, cy, fx, fy, QStringLiteral("tiff")));
    QCOMPARE(t.getCasillasX(), qint16(2));
    QCOMPARE(t.getCasillasY(), qint16(2));
    QCOMPARE(dump(t), QStringLiteral("1,1=2,2 2,2=1,1"));
    QCOMPARE(t.getExtension(), QStringLiteral("jpg   "));
    QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(2));
}

QTEST_APPLESS_MAIN(TstTableroClass)
#include "tst_tableroclass.moc"
