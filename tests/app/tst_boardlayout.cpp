#include "app/BoardLayout.h"

#include "platform/RunTimeError.h"

#include <QtTest>

#include <cmath>

using namespace BoardLayout;

namespace
{

// Whether b lies within `ulps` representable steps of a.
bool withinUlps(float a, float b, int ulps)
{
    float x = a;
    for (int i = 0; i < ulps; ++i)
        x = std::nextafter(x, b);
    return a <= b ? x >= b : x <= b;
}

} // namespace

class tst_BoardLayout : public QObject
{
    Q_OBJECT

private slots:
    void rounding_data();
    void rounding();
    void snapWindow_data();
    void snapWindow();
    void controls_data();
    void controls();
    void scrollBars_data();
    void scrollBars();
    void fit_data();
    void fit();
    void fitOfAPictureWithoutArea();
    void zoomSteps();
    void relativePosition_data();
    void relativePosition();
    void zoomButtons_data();
    void zoomButtons();
};

void tst_BoardLayout::rounding_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("to16");
    QTest::addColumn<qint64>("to32");

    QTest::newRow("2.5 to even") << 2.5f << 2 << qint64(2);
    QTest::newRow("3.5 to even") << 3.5f << 4 << qint64(4);
    QTest::newRow("-2.5 to even") << -2.5f << -2 << qint64(-2);
    QTest::newRow("-3.5 to even") << -3.5f << -4 << qint64(-4);
    QTest::newRow("just below a half") << 0.49999997f << 0 << qint64(0);
    QTest::newRow("16-bit top") << 40000.0f << 32767 << qint64(40000);
    QTest::newRow("16-bit bottom") << -40000.0f << -32768 << qint64(-40000);
    QTest::newRow("32-bit top") << 1e10f << 32767 << qint64(2147483647);
    QTest::newRow("not a number") << float(qQNaN()) << 0 << qint64(0);
}

void tst_BoardLayout::rounding()
{
    QFETCH(float, value);
    QFETCH(int, to16);
    QFETCH(qint64, to32);
    QCOMPARE(int(round16(value)), to16);
    QCOMPARE(qint64(round32(value)), to32);
}

void tst_BoardLayout::snapWindow_data()
{
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QSizeF>("snapped");

    QTest::newRow("too narrow") << QSizeF(3000, 5000) << QSizeF(4000, 5000);
    QTest::newRow("too low") << QSizeF(5000, 3999) << QSizeF(5000, 4000);
    QTest::newRow("both") << QSizeF(100, 200) << QSizeF(4000, 4000);
    QTest::newRow("at the minimum") << QSizeF(4000, 4000) << QSizeF(4000, 4000);
    QTest::newRow("large") << QSizeF(28000, 15000) << QSizeF(28000, 15000);
}

void tst_BoardLayout::snapWindow()
{
    QFETCH(QSizeF, window);
    QFETCH(QSizeF, snapped);
    QCOMPARE(snapWindowSize(window), snapped);
}

void tst_BoardLayout::controls_data()
{
    QTest::addColumn<QSizeF>("inner");
    QTest::addColumn<float>("statusBar");
    QTest::addColumn<QRectF>("viewport");
    QTest::addColumn<QRectF>("hScroll");
    QTest::addColumn<QRectF>("vScroll");

    QTest::newRow("wide window") << QSizeF(12000, 9000) << 375.0f << QRectF(500, 500, 11000, 7825)
                                 << QRectF(500, 8325, 11000, 255) << QRectF(11500, 500, 255, 7825);
    QTest::newRow("smallest window") << QSizeF(3900, 3400) << 375.0f << QRectF(500, 500, 2900, 2225)
                                     << QRectF(500, 2725, 2900, 255) << QRectF(3400, 500, 255, 2225);
    QTest::newRow("taller status bar") << QSizeF(12000, 9000) << 480.0f << QRectF(500, 500, 11000, 7720)
                                       << QRectF(500, 8220, 11000, 255) << QRectF(11500, 500, 255, 7720);
    QTest::newRow("no room: empty viewport") << QSizeF(800, 1000) << 375.0f << QRectF(500, 500, 0, 0)
                                             << QRectF(500, 500, 0, 255) << QRectF(500, 500, 255, 0);
}

void tst_BoardLayout::controls()
{
    QFETCH(QSizeF, inner);
    QFETCH(float, statusBar);
    QFETCH(QRectF, viewport);
    QFETCH(QRectF, hScroll);
    QFETCH(QRectF, vScroll);

    const Controls c = colocarControles(inner, statusBar);
    QCOMPARE(c.viewport, viewport);
    QCOMPARE(c.hScroll, hScroll);
    QCOMPARE(c.vScroll, vScroll);
}

void tst_BoardLayout::scrollBars_data()
{
    QTest::addColumn<QSizeF>("board");
    QTest::addColumn<QSizeF>("viewport");
    QTest::addColumn<QPoint>("positions");
    // Per bar: visible, maximum, large change, position, offset.
    QTest::addColumn<QVariantList>("horizontal");
    QTest::addColumn<QVariantList>("vertical");

    const QSizeF vp(11000, 7825);
    QTest::newRow("larger both ways, halves to even")
        << QSizeF(15000, 12000) << vp << QPoint(0, 0) << QVariantList{true, 400, 1500, 0, 0}
        << QVariantList{true, 418, 1200, 0, 0};
    QTest::newRow("half rounds down to even")
        << QSizeF(11125, 9000) << QSizeF(7000, 9000) << QPoint(0, 0) << QVariantList{true, 412, 1112, 0, 0}
        << QVariantList{false, 0, 900, 0, 0};
    QTest::newRow("exactly as wide: no bar")
        << QSizeF(11000, 8000) << vp << QPoint(0, 0) << QVariantList{false, 0, 1100, 0, 0}
        << QVariantList{true, 18, 800, 0, 0};
    QTest::newRow("smaller: negative maxima, positions back to 0")
        << QSizeF(5000, 3000) << vp << QPoint(30, 12) << QVariantList{false, -600, 500, 0, 0}
        << QVariantList{false, -482, 300, 0, 0};
    QTest::newRow("positions kept in range")
        << QSizeF(15000, 12000) << vp << QPoint(500, 100) << QVariantList{true, 400, 1500, 400, -4000}
        << QVariantList{true, 418, 1200, 100, -1000};
    QTest::newRow("fractional board: large change truncates")
        << QSizeF(12345.5, 12349.4) << QSizeF(11000, 9000) << QPoint(0, 0)
        << QVariantList{true, 135, 1234, 0, 0} << QVariantList{true, 335, 1234, 0, 0};
    QTest::newRow("offset beyond 16 bits does not wrap")
        << QSizeF(33000, 3000) << QSizeF(100, 3000) << QPoint(3290, 0)
        << QVariantList{true, 3290, 3300, 3290, -32900} << QVariantList{false, 0, 300, 0, 0};
    QTest::newRow("huge board: maximum held at 16 bits")
        << QSizeF(400000, 19) << QSizeF(1000, 3000) << QPoint(0, 0) << QVariantList{true, 32767, 40000, 0, 0}
        << QVariantList{false, -298, 1, 0, 0};
}

void tst_BoardLayout::scrollBars()
{
    QFETCH(QSizeF, board);
    QFETCH(QSizeF, viewport);
    QFETCH(QPoint, positions);
    QFETCH(QVariantList, horizontal);
    QFETCH(QVariantList, vertical);

    const Scrolling s =
        ajustarBarrasDesplazamiento(board, viewport, qint16(positions.x()), qint16(positions.y()));
    const QList<std::pair<const ScrollBar *, QVariantList>> bars = {{&s.horizontal, horizontal},
                                                                    {&s.vertical, vertical}};
    for (const auto &[bar, expected] : bars) {
        QCOMPARE(bar->visible, expected[0].toBool());
        QCOMPARE(int(bar->maximum), expected[1].toInt());
        QCOMPARE(int(bar->largeChange), expected[2].toInt());
        QCOMPARE(int(bar->position), expected[3].toInt());
        QCOMPARE(int(bar->offset), expected[4].toInt());
        QVERIFY(bar->rangeMinimum() <= 0 && bar->rangeMaximum() >= 0);
        QVERIFY(bar->position >= bar->rangeMinimum() && bar->position <= bar->rangeMaximum());
    }
}

void tst_BoardLayout::fit_data()
{
    QTest::addColumn<QSizeF>("viewport");
    QTest::addColumn<QSizeF>("source");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSizeF>("board");

    QTest::newRow("twice as wide in a square")
        << QSizeF(9000, 9000) << QSizeF(6000, 3000) << 1.5f << QSizeF(9000, 4500);
    QTest::newRow("square in a wide viewport")
        << QSizeF(12000, 8000) << QSizeF(4000, 4000) << 2.0f << QSizeF(8000, 8000);
    QTest::newRow("as large as the viewport")
        << QSizeF(11000, 7825) << QSizeF(11000, 7825) << 1.0f << QSizeF(11000, 7825);
    QTest::newRow("same proportions")
        << QSizeF(8000, 6000) << QSizeF(16000, 12000) << 0.5f << QSizeF(8000, 6000);
    QTest::newRow("small picture grows")
        << QSizeF(10000, 8000) << QSizeF(1000, 1000) << 8.0f << QSizeF(8000, 8000);
}

void tst_BoardLayout::fit()
{
    QFETCH(QSizeF, viewport);
    QFETCH(QSizeF, source);
    QFETCH(float, zoom);
    QFETCH(QSizeF, board);

    const float z = fitZoom(viewport, source);
    QVERIFY(z == zoom);
    QCOMPARE(boardSize(source, z), board);
}

void tst_BoardLayout::fitOfAPictureWithoutArea()
{
    for (const QSizeF &source : {QSizeF(0, 100), QSizeF(100, 0), QSizeF(0, 0)}) {
        try {
            fitZoom(QSizeF(11000, 7825), source);
            QFAIL("no error for a picture without area");
        } catch (const RunTimeError &e) {
            QCOMPARE(e.number(), 11);
        }
    }
}

void tst_BoardLayout::zoomSteps()
{
    // Single-precision factors stepped by the double 1.1 and stored back in single
    // precision; a step taken wholly in single precision lands one step off for 0.75,
    // 1.5 and 0.5.
    QVERIFY(zoomIn(0.75f) == 0.825f);
    QVERIFY(zoomIn(1.5f) == 1.65f);
    QVERIFY(zoomOut(0.5f) == 0.45454547f);
    QVERIFY(zoomIn(1.0f) == 1.1f);
    QVERIFY(zoomOut(1.1f) == 1.0f);
    QVERIFY(zoomIn(2.0f) == 2.2f);
    QVERIFY(zoomOut(2.2f) == 2.0f);
    QVERIFY(zoomOut(1.0f) < 0.9091f && zoomOut(1.0f) > 0.9090f);

    // Three steps in and three out come back to the start, up to single-precision rounding.
    for (const float start : {1.0f, 0.75f, 0.1234567f, 3.3333333f, 0.0421f}) {
        float z = start;
        for (int i = 0; i < 3; ++i)
            z = zoomIn(z);
        for (int i = 0; i < 3; ++i)
            z = zoomOut(z);
        QVERIFY2(withinUlps(start, z, 2), qPrintable(QString::number(double(z), 'g', 9)));
    }
}

void tst_BoardLayout::relativePosition_data()
{
    QTest::addColumn<int>("oldMaximum");
    QTest::addColumn<int>("newMaximum");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("position");

    QTest::newRow("scales with the maximum") << 400 << 440 << 200 << 220;
    QTest::newRow("zoom out") << 440 << 400 << 440 << 400;
    QTest::newRow("half rounds down to even") << 4 << 6 << 3 << 4;
    QTest::newRow("half rounds up to even") << 4 << 10 << 3 << 8;
    QTest::newRow("old maximum 0 keeps the position") << 0 << 100 << 7 << 7;
    QTest::newRow("old maximum negative keeps the position") << -50 << 100 << 3 << 3;
    QTest::newRow("new maximum negative") << 100 << -20 << 0 << 0;
}

void tst_BoardLayout::relativePosition()
{
    QFETCH(int, oldMaximum);
    QFETCH(int, newMaximum);
    QFETCH(int, current);
    QFETCH(int, position);
    QCOMPARE(int(keepRelativePosition(qint16(oldMaximum), qint16(newMaximum), qint16(current))), position);
}

void tst_BoardLayout::zoomButtons_data()
{
    QTest::addColumn<QSizeF>("board");
    QTest::addColumn<bool>("zoomOut");
    QTest::addColumn<bool>("zoomIn");

    QTest::newRow("both at 400") << QSizeF(400, 400) << true << true;
    QTest::newRow("width below 400") << QSizeF(399.9, 5000) << false << true;
    QTest::newRow("height below 400") << QSizeF(5000, 399.99) << false << true;
    QTest::newRow("both at 30000") << QSizeF(30000, 30000) << true << true;
    QTest::newRow("width above 30000") << QSizeF(30000.5, 100) << false << false;
    QTest::newRow("height above 30000") << QSizeF(1000, 30001) << true << false;
}

void tst_BoardLayout::zoomButtons()
{
    QFETCH(QSizeF, board);
    QFETCH(bool, zoomOut);
    QFETCH(bool, zoomIn);
    QCOMPARE(zoomOutVisible(board), zoomOut);
    QCOMPARE(zoomInVisible(board), zoomIn);
}

QTEST_APPLESS_MAIN(tst_BoardLayout)
#include "tst_boardlayout.moc"
