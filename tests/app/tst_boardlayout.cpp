#include "app/BoardLayout.h"

#include "platform/RunTimeError.h"

#include <QtTest>

#include <cmath>

using namespace BoardLayout;

class tst_BoardLayout : public QObject
{
    Q_OBJECT

private slots:
    void rounding_data();
    void rounding();
    void windowAndControls_data();
    void windowAndControls();
    void scrollBars_data();
    void scrollBars();
    void fit_data();
    void fit();
    void zoomSteps_data();
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
    QTest::newRow("-3.5 to even") << -3.5f << -4 << qint64(-4);
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

void tst_BoardLayout::windowAndControls_data()
{
    // The same size is taken as a window's size for the minimum and as its inner size
    // for the controls.
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QSizeF>("snapped");
    QTest::addColumn<float>("statusBar");
    QTest::addColumn<QRectF>("viewport");

    QTest::newRow("too small") << QSizeF(3000, 3999) << QSizeF(4000, 4000) << 375.0f
                               << QRectF(500, 500, 2000, 2824);
    QTest::newRow("at the minimum") << QSizeF(4000, 4000) << QSizeF(4000, 4000) << 375.0f
                                    << QRectF(500, 500, 3000, 2825);
    QTest::newRow("wide") << QSizeF(12000, 9000) << QSizeF(12000, 9000) << 480.0f
                          << QRectF(500, 500, 11000, 7720);
    QTest::newRow("no room: empty viewport")
        << QSizeF(800, 1000) << QSizeF(4000, 4000) << 375.0f << QRectF(500, 500, 0, 0);
}

void tst_BoardLayout::windowAndControls()
{
    QFETCH(QSizeF, size);
    QFETCH(QSizeF, snapped);
    QFETCH(float, statusBar);
    QFETCH(QRectF, viewport);

    QCOMPARE(snapWindowSize(size), snapped);
    const Controls c = colocarControles(size, statusBar);
    QCOMPARE(c.viewport, viewport);
    QCOMPARE(c.hScroll, QRectF(500, viewport.bottom(), viewport.width(), 255));
    QCOMPARE(c.vScroll, QRectF(viewport.right(), 500, 255, viewport.height()));
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
    QTest::newRow("offset beyond 16 bits, maximum held at 16 bits")
        << QSizeF(33000, 400000) << QSizeF(100, 1000) << QPoint(3290, 0)
        << QVariantList{true, 3290, 3300, 3290, -32900} << QVariantList{true, 32767, 40000, 0, 0};
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
    for (const auto &[bar, expected] :
         {std::pair(s.horizontal, horizontal), std::pair(s.vertical, vertical)}) {
        QCOMPARE(bar.visible, expected[0].toBool());
        QCOMPARE(int(bar.maximum), expected[1].toInt());
        QCOMPARE(int(bar.largeChange), expected[2].toInt());
        QCOMPARE(int(bar.position), expected[3].toInt());
        QCOMPARE(int(bar.offset), expected[4].toInt());
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
    QTest::newRow("same proportions")
        << QSizeF(8000, 6000) << QSizeF(16000, 12000) << 0.5f << QSizeF(8000, 6000);
    QTest::newRow("no area: refused") << QSizeF(11000, 7825) << QSizeF(0, 100) << 0.0f << QSizeF();
}

void tst_BoardLayout::fit()
{
    QFETCH(QSizeF, viewport);
    QFETCH(QSizeF, source);
    QFETCH(float, zoom);
    QFETCH(QSizeF, board);

    float z = 0.0f;
    int error = 0;
    try {
        z = fitZoom(viewport, source);
    } catch (const RunTimeError &e) {
        error = e.number();
    }
    QCOMPARE(error, board.isEmpty() ? 11 : 0);
    QVERIFY(z == zoom);
    if (error == 0)
        QCOMPARE(boardSize(source, z), board);
}

void tst_BoardLayout::zoomSteps_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("in");
    QTest::addColumn<float>("stepped");

    // Steps taken wholly in single precision land one step off for 0.75, 1.5 and 0.5.
    QTest::newRow("0.75 in") << 0.75f << true << 0.825f;
    QTest::newRow("1.5 in") << 1.5f << true << 1.65f;
    QTest::newRow("0.5 out") << 0.5f << false << 0.45454547f;
    QTest::newRow("1.1 out") << 1.1f << false << 1.0f;
    QTest::newRow("1.0 in") << 1.0f << true << 1.1f;
}

void tst_BoardLayout::zoomSteps()
{
    QFETCH(float, zoom);
    QFETCH(bool, in);
    QFETCH(float, stepped);
    QVERIFY((in ? zoomIn(zoom) : zoomOut(zoom)) == stepped);

    // Three steps in and three out come back within two single-precision steps.
    float z = zoom;
    for (int i = 0; i < 3; ++i)
        z = zoomIn(z);
    for (int i = 0; i < 3; ++i)
        z = zoomOut(z);
    const float ulp = std::nextafter(zoom, 2 * zoom) - zoom;
    QVERIFY2(std::abs(z - zoom) <= 2 * ulp, qPrintable(QString::number(double(z), 'g', 9)));
}

void tst_BoardLayout::relativePosition_data()
{
    QTest::addColumn<int>("oldMaximum");
    QTest::addColumn<int>("newMaximum");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("position");

    QTest::newRow("scales with the maximum") << 400 << 440 << 200 << 220;
    QTest::newRow("half rounds down to even") << 4 << 6 << 3 << 4;
    QTest::newRow("half rounds up to even") << 4 << 10 << 3 << 8;
    QTest::newRow("old maximum 0 keeps the position") << 0 << 100 << 7 << 7;
    QTest::newRow("new maximum negative") << 100 << -20 << 50 << -10;
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
    QTest::newRow("both at 30000") << QSizeF(30000, 30000) << true << true;
    QTest::newRow("height above 30000") << QSizeF(1000, 30001) << true << false;
    QTest::newRow("width above 30000, height below 400") << QSizeF(30000.5, 100) << false << false;
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
