#include "board/BoardDump.h"
#include "board/MoveRules.h"
#include "board/TableroClass.h"
#include "io/ErrorNumber.h"

#include <QSet>
#include <QtTest>

#include <numeric>

namespace
{

using Table = TableroClass::Table;

TableroClass assembled(qint16 cx, qint16 cy)
{
    TableroClass t;
    t.Inicializar(cx, cy, cx, cy, QStringLiteral("jpg"), false, false);
    return t;
}

} // namespace

class TstBoard : public QObject
{
    Q_OBJECT
private slots:
    void initialise_data()
    {
        QTest::addColumn<QVector<int>>("grid"); // columns, rows, second column count
        QTest::addColumn<QString>("shuffle");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<int>("error");
        const auto row = [](const char *name, QVector<int> grid, const char *shuffle, const char *extension,
                            const char *stored, int rounds, int error) {
            QTest::newRow(name) << grid << QString(shuffle) << QString(extension) << QString(stored) << rounds
                                << error;
        };
        row("assembled", {3, 2, 3}, "none", "png", "png   ", 0, 0);
        row("swap 2x2", {2, 2, 2}, "swap", "", "      ", 70, 0);
        row("slide 2x2", {2, 2, 2}, "slide", "", "      ", 149, 0);
        row("walk fits", {36, 36, 36}, "slide", "", "      ", 32449, 0);
        // A refused puzzle leaves the previous one as it was, extension included.
        row("no columns", {0, 3, 0}, "swap", "", "jpg   ", 0, 9);
        row("pieces past the grid", {3, 3, 4}, "none", "", "jpg   ", 0, 9);
        row("swap overflows", {81, 81, 81}, "swap", "", "jpg   ", 0, 6);
        row("walk overflows", {37, 36, 37}, "slide", "", "jpg   ", 0, 6);
        row("pieces overflow", {200, 200, 200}, "none", "", "jpg   ", 0, 6);
    }

    void initialise()
    {
        QFETCH(QVector<int>, grid);
        QFETCH(QString, shuffle);
        QFETCH(QString, extension);
        QFETCH(int, error);
        TableroClass t = assembled(4, 3);
        t.IntercambiarFichas(1, 1, 4, 3);
        QCOMPARE(errorNumber([&] {
                     t.Inicializar(qint16(grid[0]), qint16(grid[1]), qint16(grid[2]), qint16(grid[1]),
                                   extension, shuffle != QLatin1String("none"),
                                   shuffle == QLatin1String("slide"));
                 }),
                 error);
        QTEST(t.getExtension(), "stored");
        QTEST(t.lastShuffleRounds(), "rounds");
        QCOMPARE(t.getNumeroDeMovimientos(), error ? 1 : 0);
        if (t.lastShuffleRounds() == 0)
            QCOMPARE(dump(t), QLatin1String(error ? "1,1=4,3 4,3=1,1" : ""));
    }

    void slidingShufflesAreSolvable()
    {
        // Every slide is one transposition that moves the empty place by one step, so an
        // arrangement can be solved by sliding exactly when the permutation's parity equals the
        // parity of the empty place's taxicab distance from the bottom-right corner.
        TableroClass t;
        int oddDistances = 0;
        QSet<QPair<int, int>> firstSteps;
        for (int n = 0; n < 29 * 29 * 4; ++n) {
            const qint16 cx = qint16(2 + n % 29), cy = qint16(2 + n / 29 % 29);
            t.setSeed(std::uint64_t(n));
            t.Inicializar(cx, cy, cx, cy, QString(), true, true);
            firstSteps.insert({t.lastWalkFirstDx(), t.lastWalkFirstDy()});
            QVector<int> home;
            for (qint16 i = 0, hx = 0, hy = 0; i < cx * cy; ++i) {
                t.getCasilla(qint16(i / cy + 1), qint16(i % cy + 1), hx, hy);
                home << (hx - 1) * cy + hy - 1;
            }
            QVector<bool> seen(home.size(), false);
            int cycles = 0;
            for (int i = 0; i < home.size(); ++i) {
                cycles += !seen[i];
                for (int j = i; !seen[j]; j = home.at(j))
                    seen[j] = true;
            }
            const int at = int(home.indexOf(cx * cy - 1));
            const int distance = (cx - 1 - at / cy) + (cy - 1 - at % cy);
            QVERIFY2((home.size() - cycles) % 2 == distance % 2,
                     qPrintable(QStringLiteral("%1x%2 seed %3").arg(cx).arg(cy).arg(n)));
            oddDistances += distance % 2;
        }
        // The rule only tests something when both parities of the distance occur.
        QVERIFY(oddDistances > 29 * 29);
        // The walk starts in the bottom-right corner, where a step of +1 is always rejected.
        QCOMPARE(firstSteps, (QSet<QPair<int, int>>{{0, 0}, {-1, 0}, {0, -1}}));
    }

    void exchanges_data()
    {
        QTest::addColumn<QVector<int>>("swaps");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("same place; twice") << QVector<int>{2, 3, 2, 3, 1, 1, 2, 1, 1, 1, 2, 1} << "" << 0;
        QTest::newRow("three-cycle") << QVector<int>{1, 1, 4, 3, 4, 3, 2, 2} << "1,1=4,3 2,2=1,1 4,3=2,2"
                                     << 0;
        QTest::newRow("row past the grid") << QVector<int>{1, 1, 2, 1, 1, 1, 2, 4} << "1,1=2,1 2,1=1,1" << 9;
        QTest::newRow("negative column") << QVector<int>{-1, 1, 1, 1} << "" << 9;
    }

    void exchanges()
    {
        QFETCH(QVector<int>, swaps);
        QFETCH(QString, expected);
        QFETCH(int, error);
        TableroClass t = assembled(4, 3);
        QCOMPARE(errorNumber([&] {
                     for (int i = 0; i < swaps.size(); i += 4)
                         t.IntercambiarFichas(qint16(swaps[i]), qint16(swaps[i + 1]), qint16(swaps[i + 2]),
                                              qint16(swaps[i + 3]));
                 }),
                 error);
        QCOMPARE(dump(t), expected);
        QCOMPARE(t.getNumeroDeMovimientos(), int(swaps.size() / 4) - (error ? 1 : 0));
        QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(expected.count(QLatin1Char('='))));
    }

    // A board never started has neither tables to save nor places to read. The tables of a
    // board in play are checked byte by byte where a puzzle file is written.
    void emptyBoard()
    {
        Table bx, by;
        qint16 cx = 0, cy = 0, fx = 0, fy = 0;
        QVERIFY(!TableroClass().getBoard(bx, by, cx, cy, fx, fy));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, TableroClass().getCasilla(0, 0, cx, cy));
    }

    void setBoard_data()
    {
        QTest::addColumn<QVector<int>>("counts"); // then the tables' columns and rows when they differ
        QTest::addColumn<QVector<int>>("pokes");  // places set to a home: column, row, home column, home row
        QTest::addColumn<int>("toPlace");         // -1 when the tables are refused
        const QVector<int> grid{4, 3, 4, 3}, none, swap{1, 1, 4, 2, 4, 2, 1, 1};
        QTest::newRow("accepted") << grid << swap << 2;
        QTest::newRow("only the first three columns count") << QVector<int>{4, 3, 3, 3} << swap << 1;
        QTest::newRow("no columns") << QVector<int>{0, 3, 0, 3} << none << -1;
        QTest::newRow("second count past the grid") << QVector<int>{4, 3, 5, 3} << none << -1;
        QTest::newRow("more places than 16 bits") << QVector<int>{200, 200, 200, 200} << none << -1;
        QTest::newRow("tables miss a column") << QVector<int>{4, 3, 4, 3, 3, 3} << none << -1;
        QTest::newRow("tables miss a row") << QVector<int>{4, 3, 4, 3, 4, 2} << none << -1;
        QTest::newRow("home twice") << grid << QVector<int>{4, 3, 3, 3} << -1;
        QTest::newRow("home past the grid") << grid << QVector<int>{3, 2, 2, 5} << -1;
        QTest::newRow("home zero") << grid << QVector<int>{4, 3, 0, 3} << -1;
    }

    void setBoard()
    {
        QFETCH(QVector<int>, counts);
        QFETCH(QVector<int>, pokes);
        QFETCH(int, toPlace);
        QVector<qint16> rows(counts.value(5, counts[1]) + 1);
        std::iota(rows.begin(), rows.end(), qint16(0));
        Table bx, by(counts.value(4, counts[0]) + 1, rows);
        for (int c = 0; c < by.size(); ++c)
            bx << QVector<qint16>(rows.size(), qint16(c));
        for (int i = 0; i < pokes.size(); i += 4) {
            bx[pokes[i]][pokes[i + 1]] = qint16(pokes[i + 2]);
            by[pokes[i]][pokes[i + 1]] = qint16(pokes[i + 3]);
        }
        TableroClass t = assembled(2, 2);
        t.IntercambiarFichas(1, 1, 2, 2);
        const bool accepted = t.setBoard(bx, by, qint16(counts[0]), qint16(counts[1]), qint16(counts[2]),
                                         qint16(counts[3]), QStringLiteral("abcdefgh"));
        QCOMPARE(accepted, toPlace >= 0);
        QCOMPARE(dump(t), QLatin1String(accepted ? "1,1=4,2 4,2=1,1" : "1,1=2,2 2,2=1,1"));
        QCOMPARE(t.getExtension(), QLatin1String(accepted ? "abcdef" : "jpg   "));
        QCOMPARE(t.NumeroDeFichasPorColocar(), qint16(accepted ? toPlace : 2));
        QCOMPARE(t.getNumeroDeMovimientos(), 1);
    }

    void puntoACasilla_data()
    {
        // A surface of 400 × 240 cut into 4 × 3 places of 100 × 80; the board's grid is 3 × 3.
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QPoint>("place"); // (0, 0): not inside
        QTest::newRow("top-left corner") << QPointF(0, 0) << QPoint(1, 1);
        QTest::newRow("a line belongs to the left and upper place") << QPointF(100, 160) << QPoint(1, 2);
        QTest::newRow("just past a line") << QPointF(100.5f, 160.5f) << QPoint(2, 3);
        QTest::newRow("beyond the board's grid") << QPointF(350, 10) << QPoint(0, 0);
        QTest::newRow("left of the surface") << QPointF(-1, 10) << QPoint(0, 0);
        QTest::newRow("below the surface") << QPointF(10, 250) << QPoint(0, 0);
    }

    void puntoACasilla()
    {
        QFETCH(QPointF, point);
        const TableroClass board = assembled(3, 3);
        qint16 column = -1;
        qint16 row = -1;
        bool inside = false;
        MoveRules::PuntoACasilla(float(point.x()), float(point.y()), 400, 240, 4, 3, board, column, row,
                                 inside);
        QTEST(QPoint(column, row), "place");
        QCOMPARE(inside, column != 0);
    }
};

QTEST_APPLESS_MAIN(TstBoard)
#include "tst_board.moc"
