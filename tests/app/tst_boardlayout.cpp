#include "view/BoardLayout.h"

#include "io/RunTimeError.h"

#include <QtTest>

using namespace BoardLayout;

class tst_BoardLayout : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
};

// Each row names a function, its arguments and its results. Factors are single precision
// and compared exactly, so every figure must match to the last bit.
void tst_BoardLayout::figures_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QVariantList>("in");
    QTest::addColumn<QVariantList>("out");

    auto row = [](const char *name, const char *function, const QVariantList &in, const QVariantList &out) {
        QTest::newRow(name) << QString::fromLatin1(function) << in << out;
    };
    // round16 and round32: halves to even, held at the limits.
    row("2.5 to even", "round", {2.5f}, {2, 2});
    row("-3.5 to even", "round", {-3.5f}, {-4, -4});
    row("16-bit top", "round", {40000.0f}, {32767, 40000});
    row("32-bit bottom", "round", {-1e10f}, {-32768, qint64(-2147483648LL)});
    row("not a number", "round", {float(qQNaN())}, {0, 0});

    row("window too narrow and low", "window", {3000, 3999}, {4000, 4000});
    row("window at the minimum and above it", "window", {4000, 4500}, {4000, 4500});

    // Viewport x, y, width and height from the inner size and the status bar's height.
    row("controls, smallest window", "controls", {3900, 3400, 375.0f}, {500, 500, 2900, 2225});
    row("controls, taller status bar", "controls", {12000, 9000, 480.0f}, {500, 500, 11000, 7720});
    row("controls, no room", "controls", {800, 1000, 375.0f}, {500, 500, 0, 0});

    // Board, viewport and positions in; per bar visible, maximum, large change,
    // position and offset out, horizontal first.
    row("bars larger both ways, halves to even", "bars", {15000, 12000, 11000, 7825, 0, 0},
        {true, 400, 1500, 0, 0, true, 418, 1200, 0, 0});
    row("bars exactly as wide: no bar", "bars", {11000, 8000, 11000, 7825, 0, 0},
        {false, 0, 1100, 0, 0, true, 18, 800, 0, 0});
    row("bars smaller: negative maxima, positions back to 0", "bars", {5000, 3000, 11000, 7825, 30, 12},
        {false, -600, 500, 0, 0, false, -482, 300, 0, 0});
    row("bars positions kept in range", "bars", {15000, 12000, 11000, 7825, 500, 100},
        {true, 400, 1500, 400, -4000, true, 418, 1200, 100, -1000});
    row("bars fractional board: large change truncates", "bars", {12345.5, 12349.4, 11000, 9000, 0, 0},
        {true, 135, 1234, 0, 0, true, 335, 1234, 0, 0});
    row("bars offset beyond 16 bits, maximum held", "bars", {33000, 400000, 100, 1000, 3290, 0},
        {true, 3290, 3300, 3290, -32900, true, 32767, 40000, 0, 0});

    // Viewport and source in; zoom and board size out.
    row("fit twice as wide in a square", "fit", {9000, 9000, 6000, 3000}, {1.5f, 9000, 4500});
    row("fit square in a wide viewport", "fit", {12000, 8000, 4000, 4000}, {2.0f, 8000, 8000});
    row("fit picture without area", "fit", {11000, 7825, 0, 100}, {QStringLiteral("error 11")});

    // One step, and whether three steps in and three out come back within two
    // single-precision steps. A step taken wholly in single precision lands one step off
    // for 0.75 and 0.5.
    row("0.75 in", "zoomIn", {0.75f}, {0.825f, true});
    row("0.5 out", "zoomOut", {0.5f}, {0.45454547f, true});
    row("1.1 out", "zoomOut", {1.1f}, {1.0f, true});

    // Old maximum, new maximum and current position in; the new position out.
    row("position scales with the maximum", "relative", {400, 440, 200}, {220});
    row("position half rounds down to even", "relative", {4, 6, 3}, {4});
    row("position half rounds up to even", "relative", {4, 10, 3}, {8});
    row("old maximum 0 keeps the position", "relative", {0, 100, 7}, {7});
    row("new maximum negative", "relative", {100, -20, 50}, {-10});

    // Board size in; whether zoom out and zoom in show.
    row("buttons both at 400", "buttons", {400, 400}, {true, true});
    row("buttons width below 400", "buttons", {399.9, 5000}, {false, true});
    row("buttons both at 30000", "buttons", {30000, 30000}, {true, true});
    row("buttons height above 30000", "buttons", {1000, 30001}, {true, false});
    row("buttons width above 30000", "buttons", {30000.5, 1000}, {true, false});
}

void tst_BoardLayout::figures()
{
    QFETCH(QString, function);
    QFETCH(QVariantList, in);
    QFETCH(QVariantList, out);

    const auto f = [&](int i) { return in[i].toFloat(); };
    const auto size = [&](int i) { return QSizeF(in[i].toDouble(), in[i + 1].toDouble()); };
    QVariantList actual;
    if (function == "round") {
        actual = {int(round16(f(0))), qint64(round32(f(0)))};
    } else if (function == "window") {
        actual = {snapWindowSize(size(0)).width(), snapWindowSize(size(0)).height()};
    } else if (function == "controls") {
        const Controls c = colocarControles(size(0), f(2));
        const QRectF &v = c.viewport;
        QCOMPARE(c.hScroll, QRectF(v.left(), v.bottom(), v.width(), 255));
        QCOMPARE(c.vScroll, QRectF(v.right(), v.top(), 255, v.height()));
        actual = {v.x(), v.y(), v.width(), v.height()};
    } else if (function == "bars") {
        const Scrolling s = ajustarBarrasDesplazamiento(size(0), size(2), qint16(f(4)), qint16(f(5)));
        for (const ScrollBar &b : {s.horizontal, s.vertical})
            actual << b.visible << int(b.maximum) << int(b.largeChange) << int(b.position) << int(b.offset);
    } else if (function == "fit") {
        try {
            const float zoom = fitZoom(size(0), size(2));
            actual = {zoom, boardSize(size(2), zoom).width(), boardSize(size(2), zoom).height()};
        } catch (const RunTimeError &e) {
            actual = {QStringLiteral("error %1").arg(e.number())};
        }
    } else if (function == "zoomIn" || function == "zoomOut") {
        float z = f(0);
        for (int i = 0; i < 6; ++i)
            z = i < 3 ? zoomIn(z) : zoomOut(z);
        actual = {function == "zoomIn" ? zoomIn(f(0)) : zoomOut(f(0)), qFloatDistance(z, f(0)) <= 2};
    } else if (function == "relative") {
        actual = {int(keepRelativePosition(qint16(f(0)), qint16(f(1)), qint16(f(2))))};
    } else if (function == "buttons") {
        actual = {zoomOutVisible(size(0)), zoomInVisible(size(0))};
    }
    QCOMPARE(actual, out);
}

QTEST_APPLESS_MAIN(tst_BoardLayout)
#include "tst_boardlayout.moc"
