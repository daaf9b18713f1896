#include "WindowTestKit.h"

#include "app/BoardWidget.h"
#include "app/FormVentanita.h"
#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "platform/Messages.h"

#include <QAction>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace WindowTestKit;

class tst_WindowViewAids : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_pics;

    std::unique_ptr<tess2mainform> build(QSize size = QSize(480, 360));

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void forAFewSeconds();
    void previewWindow_data();
    void previewWindow();
    void previewFollowsTheMainWindow();
    void previewClosedByANewPuzzle();
    void previewShowsTheDialogsLastPicture();
    void onlyPlacedPieces();
    void onlyPlacedPiecesBringsBackHiddenZoomButtons();
    void newPuzzleWhileOnlyPlacedPiecesAreShown();
};

std::unique_ptr<tess2mainform> tst_WindowViewAids::build(QSize size)
{
    const QString name = QStringLiteral("bloques_%1x%2.bmp").arg(size.width()).arg(size.height());
    auto window = startWindow(writeBlockPicture(m_pics, name, size, 4, 4));
    openPuzzle(*window, 4, 4, false);
    return window;
}

void tst_WindowViewAids::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    QVERIFY(QDir().mkpath(m_pics));
}

void tst_WindowViewAids::init()
{
    Messages::clearShown();
    ConfigLine line;
    line.dialogPath = m_pics;
    writeConfig(line);
}

void tst_WindowViewAids::cleanup() { stopWatchingModals(); }

void tst_WindowViewAids::forAFewSeconds()
{
    const auto window = build();
    QVERIFY(arrangeSwapped(window->tablero(), QPoint(1, 1), QPoint(4, 4)));
    window->zoomIn();
    QString why;
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));

    qint64 now = 50000;
    window->setClock([&now] { return now; });
    bool returned = false;
    bool pictureAtFirst = false;
    bool pictureAfter2999 = false;
    bool stillWaiting = false;
    QString panelDuringWait;
    QTimer::singleShot(30, window.get(), [&] {
        pictureAtFirst = showsPictureWithoutGrid(window->boardImage(), 4, 4, &why);
        // A command chosen during the wait runs at once.
        window->action(QString::fromUtf8("M_Español"))->trigger();
        panelDuringWait = window->statusPanel(1)->text();
        now += 2999;
    });
    QTimer::singleShot(250, window.get(), [&] {
        stillWaiting = !returned;
        pictureAfter2999 = showsPictureWithoutGrid(window->boardImage(), 4, 4, &why);
        now += 1;
    });
    // Should the wait ignore the clock, this ends it rather than hang the test.
    QTimer::singleShot(5000, window.get(), [&now] { now += 1000000; });

    window->action("M_Por_Unos_Segundos")->trigger();
    returned = true;

    QVERIFY2(pictureAtFirst, qPrintable(why));
    QCOMPARE(panelDuringWait, QStringLiteral("SIN MONTAR"));
    QVERIFY(stillWaiting);
    QVERIFY2(pictureAfter2999, qPrintable(why));
    QVERIFY(now < 1000000);
    // Afterwards the board is back as it was, at the same zoom.
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
    QCOMPARE(window->getEstado(), 1);
}

void tst_WindowViewAids::previewWindow_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::newRow("twice as wide as high") << QSize(480, 240);
    QTest::newRow("four by three") << QSize(480, 360);
    QTest::newRow("twice as high as wide") << QSize(300, 600);
}

void tst_WindowViewAids::previewWindow()
{
    QFETCH(QSize, pictureSize);
    const auto window = build(pictureSize);
    QVERIFY(!window->ventanita());

    window->action("M_Ventana_Independiente")->trigger();
    FormVentanita *preview = window->ventanita();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowTitle(), QStringLiteral("Tesselon"));
    QVERIFY(preview->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(preview->mark(), QStringLiteral("visible"));

    // 4395 units wide and placed at (10245, 1005); the picture keeps its proportions and
    // the client area ends at its lower edge.
    QLabel *image = preview->image();
    const double expectedHeight = 293.0 * pictureSize.height() / pictureSize.width();
    QCOMPARE(preview->width(), 293);
    QCOMPARE(image->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(image->width(), 293);
    QVERIFY2(qAbs(image->height() - expectedHeight) <= 1.0, qPrintable(QString::number(image->height())));
    QCOMPARE(preview->height(), image->height());
    QVERIFY(qAbs(preview->x() - 683) <= 1 && qAbs(preview->y() - 67) <= 1);

    // It shows the whole picture, not the board.
    const QImage shown = image->pixmap().toImage();
    QCOMPARE(shown.size(), pictureSize);
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const QRect block = placeRect(shown, 4, 4, c, r);
            QCOMPARE(shown.pixel(block.center()) & 0xFFFFFF, blockColor(c, r) & 0xFFFFFF);
        }
    }
}

void tst_WindowViewAids::previewFollowsTheMainWindow()
{
    const auto window = build();
    window->action("M_Ventana_Independiente")->trigger();
    QVERIFY(window->ventanita()->isVisible());

    window->showMinimized();
    QVERIFY(!window->ventanita()->isVisible());
    window->showNormal();
    QVERIFY(window->ventanita()->isVisible());

    // Once the player closes it, restoring the main window does not bring it back.
    window->ventanita()->close();
    QTRY_VERIFY(!window->ventanita() || !window->ventanita()->isVisible());
    window->showMinimized();
    window->showNormal();
    QTest::qWait(20);
    QVERIFY(!window->ventanita() || !window->ventanita()->isVisible());
    QVERIFY(window->isVisible());
}

void tst_WindowViewAids::previewClosedByANewPuzzle()
{
    const auto window = build();
    window->action("M_Ventana_Independiente")->trigger();
    QVERIFY(window->ventanita()->isVisible());

    openPuzzle(*window, 3, 3, false);
    QCOMPARE(window->tablero().getCasillasX(), qint16(3));
    QVERIFY(!window->ventanita() || !window->ventanita()->isVisible());

    // The preview's mark went with it: minimising and restoring the main window does not
    // bring it back, also while the three-second view that follows still runs.
    qint64 now = 0;
    window->setClock([&now] { return now; });
    bool shownAgain = true;
    QTimer::singleShot(30, window.get(), [&] {
        window->showMinimized();
        window->showNormal();
        shownAgain = window->ventanita() && window->ventanita()->isVisible();
        now += 3000;
    });
    QTimer::singleShot(5000, window.get(), [&now] { now += 1000000; });
    window->action("M_Por_Unos_Segundos")->trigger();
    QVERIFY(!shownAgain);
    QTRY_VERIFY(!window->ventanita());
}

void tst_WindowViewAids::previewShowsTheDialogsLastPicture()
{
    const auto window = build(QSize(480, 240));
    const QString other = writeBlockPicture(m_pics, QStringLiteral("otra.bmp"), QSize(200, 200), 2, 2);

    bool clicked = false;
    onNextModal([&](QWidget *modal) {
        auto *files = modal->findChild<QListView *>(QStringLiteral("File1"));
        auto *model = files ? qobject_cast<QFileSystemModel *>(files->model()) : nullptr;
        const QModelIndex index = model ? model->index(other) : QModelIndex();
        if (!index.isValid())
            return;
        files->setCurrentIndex(index);
        clicked = true;
        if (auto *cancel = modal->findChild<QPushButton *>(QStringLiteral("CancelButton")))
            cancel->click();
    });
    window->abrirDialogoNuevoPuzzle();
    QVERIFY(clicked);
    QCOMPARE(window->getEstado(), 1);
    QCOMPARE(window->sourcePicture().size(), QSize(480, 240));

    // The other picture, stretched to the proportions of the puzzle's own.
    window->action("M_Ventana_Independiente")->trigger();
    QLabel *image = window->ventanita()->image();
    QCOMPARE(image->pixmap().size(), QSize(200, 200));
    QCOMPARE(image->pixmap().toImage().pixel(50, 50) & 0xFFFFFF, blockColor(1, 1) & 0xFFFFFF);
    QVERIFY(qAbs(image->height() - 146.5) <= 1.0);
}

void tst_WindowViewAids::onlyPlacedPieces()
{
    const auto window = build();
    QVERIFY(arrangeSwapped(window->tablero(), QPoint(1, 1), QPoint(2, 1)));
    window->PaintTablero();
    QAction *item = window->action("M_Ver_Solo_Piezas_Montadas");
    QVERIFY(!item->isChecked());

    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(!window->boardWidget()->inputEnabled());
    QVERIFY(!window->action("M_Por_Unos_Segundos")->isEnabled());
    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QVERIFY2(!window->toolbarButton(key)->isVisible(), key);
    QString why;
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const bool away = r == 1 && c <= 2;
            QVERIFY2(placeIs(window->boardImage(), 4, 4, c, r, away ? qRgb(0, 0, 0) : blockColor(c, r), &why),
                     qPrintable(why));
        }
    }
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));

    // The board ignores the mouse meanwhile.
    const QImage blacked = window->boardImage().copy();
    const qint32 moves = window->tablero().getNumeroDeMovimientos();
    QWidget *board = window->boardWidget();
    pressAndRelease(board, Qt::LeftButton, placePoint(board, 4, 4, 1, 1), placePoint(board, 4, 4, 2, 1));
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves);
    QCOMPARE(window->boardImage(), blacked);

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(window->boardWidget()->inputEnabled());
    QVERIFY(window->action("M_Por_Unos_Segundos")->isEnabled());
    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QVERIFY2(window->toolbarButton(key)->isVisible(), key);
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
}

void tst_WindowViewAids::onlyPlacedPiecesBringsBackHiddenZoomButtons()
{
    const auto window = build();
    QAction *zoomOut = window->toolbarButton("zoom_out");
    for (int i = 0; i < 80 && zoomOut->isVisible(); ++i)
        zoomOut->trigger();
    QVERIFY(!zoomOut->isVisible());

    QAction *item = window->action("M_Ver_Solo_Piezas_Montadas");
    item->trigger();
    item->trigger();
    QVERIFY(zoomOut->isVisible());
    QVERIFY(window->toolbarButton("zoom_in")->isVisible());
    QVERIFY(window->toolbarButton("fit")->isVisible());
}

void tst_WindowViewAids::newPuzzleWhileOnlyPlacedPiecesAreShown()
{
    const auto window = build();
    QAction *item = window->action("M_Ver_Solo_Piezas_Montadas");
    item->trigger();
    QVERIFY(item->isChecked());

    openPuzzle(*window, 3, 3, false);
    QVERIFY(item->isChecked());
    QVERIFY(!window->action("M_Por_Unos_Segundos")->isEnabled());
    QVERIFY(window->boardWidget()->inputEnabled());
    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QVERIFY2(window->toolbarButton(key)->isVisible(), key);
    // The new board is drawn whole: no place is blacked out.
    QString why;
    QVERIFY2(gridIsBlack(window->boardImage(), 3, 3, &why), qPrintable(why));
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 3; ++r) {
            const QRgb middle = window->boardImage().pixel(placeRect(window->boardImage(), 3, 3, c, r).center());
            QVERIFY((middle & 0xFFFFFF) != 0);
        }
    }
    const qint32 moves = window->tablero().getNumeroDeMovimientos();
    QWidget *board = window->boardWidget();
    pressAndRelease(board, Qt::LeftButton, placePoint(board, 3, 3, 1, 1), placePoint(board, 3, 3, 2, 2));
    QCOMPARE(window->tablero().getNumeroDeMovimientos(), moves + 1);

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(window->action("M_Por_Unos_Segundos")->isEnabled());
}

QTEST_MAIN(tst_WindowViewAids)
#include "tst_windowviewaids.moc"
