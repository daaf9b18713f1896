#include "WindowTestKit.h"

#include "about/FormAcercaDe.h"
#include "app/BoardWidget.h"
#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "dialog/Dialog.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTestKit;

namespace {

// The board's sides in 1/1440 inch, as the zoom rules reason about them.
QSizeF boardTwips(const tess2mainform &window)
{
    return QSizeF(window.sourcePicture().width() * 15.0 * window.getZoom(),
                  window.sourcePicture().height() * 15.0 * window.getZoom());
}

bool zoomClose(float actual, double expected) { return qAbs(actual / expected - 1.0) < 1e-5; }

} // namespace

class tst_WindowCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_pics;
    QString m_picture;

    std::unique_ptr<tess2mainform> build();

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void commandState_data();
    void commandState();
    void zoomFigures_data();
    void zoomFigures();
    void zoomKeepsTheRelativeScrollPosition();
    void zoomButtonsAtTheLimits();
    void languageCommands_data();
    void languageCommands();
    void languageCommandReopensTheAboutBox();
};

std::unique_ptr<tess2mainform> tst_WindowCommands::build()
{
    auto window = startWindow(m_picture);
    openPuzzle(*window, 4, 4, false);
    return window;
}

void tst_WindowCommands::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    m_picture = writeBlockPicture(m_pics, QStringLiteral("cuadros.bmp"), QSize(480, 360), 4, 4);
}

void tst_WindowCommands::init()
{
    Messages::clearShown();
    ConfigLine line;
    line.dialogPath = m_pics;
    writeConfig(line);
}

void tst_WindowCommands::cleanup() { stopWatchingModals(); }

void tst_WindowCommands::commandState_data()
{
    QTest::addColumn<int>("estado");
    QTest::addColumn<QString>("archivoSinPath");
    QTest::addColumn<bool>("input");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("verMontado");
    QTest::addColumn<bool>("zoomButtons");
    QTest::addColumn<bool>("simple");

    const char *const names[] = {"partida.pzz", "PARTIDA.PZZ", "foto.jpg"};
    for (const char *name : names) {
        const bool pzz = QByteArray(name).endsWith(".pzz");
        QTest::addRow("0, %s", name) << 0 << name << false << false << false << false << true;
        QTest::addRow("1, %s", name) << 1 << name << true << true << true << true << false;
        QTest::addRow("2, %s", name) << 2 << name << false << pzz << false << true << false;
    }
    // Any other value leaves the commands of the unsolved puzzle as they were.
    QTest::addRow("7, foto.jpg") << 7 << "foto.jpg" << true << true << true << true << false;
}

void tst_WindowCommands::commandState()
{
    QFETCH(int, estado);
    QFETCH(QString, archivoSinPath);
    QFETCH(bool, input);
    QFETCH(bool, save);
    QFETCH(bool, verMontado);
    QFETCH(bool, zoomButtons);
    QFETCH(bool, simple);

    const auto window = build();
    QCOMPARE(window->getEstado(), 1);
    window->dialog().ArchivoSinPath = archivoSinPath;
    window->setEstado(estado);

    QCOMPARE(window->getEstado(), estado);
    QCOMPARE(window->boardWidget()->inputEnabled(), input);
    QCOMPARE(window->action("M_Guardar")->isEnabled(), save);
    QCOMPARE(window->toolbarButton("guardar")->isEnabled(), save);
    QCOMPARE(window->action("M_Ver_Montado")->isEnabled(), verMontado);
    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QCOMPARE(window->toolbarButton(key)->isVisible(), zoomButtons);
    QVERIFY(window->toolbarButton("abrir")->isEnabled());
    QCOMPARE(window->statusSimpleMode(), simple);
    if (simple)
        QCOMPARE(window->statusSimpleText()->text(), QStringLiteral("NO IMAGE"));
    // The bar is refreshed in every case, also for a value that switches nothing.
    QCOMPARE(window->statusPanel(2)->text(), archivoSinPath);
}

void tst_WindowCommands::zoomFigures_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<double>("factor"); // of the fit zoom

    const double in = 1.1;
    QTest::newRow("in") << QStringList{"zoom_in"} << in;
    QTest::newRow("out") << QStringList{"zoom_out"} << 1 / in;
    QTest::newRow("three in") << QStringList{"zoom_in", "zoom_in", "zoom_in"} << in * in * in;
    QTest::newRow("three in, three out")
        << QStringList{"zoom_in", "zoom_in", "zoom_in", "zoom_out", "zoom_out", "zoom_out"} << 1.0;
    QTest::newRow("in, in, fit") << QStringList{"zoom_in", "zoom_in", "fit"} << 1.0;
    QTest::newRow("out, out, fit") << QStringList{"zoom_out", "zoom_out", "fit"} << 1.0;
}

void tst_WindowCommands::zoomFigures()
{
    QFETCH(QStringList, commands);
    QFETCH(double, factor);

    const auto window = build();
    const float fit = window->getZoom();
    const QSize view = window->viewport()->size();
    QVERIFY(zoomClose(fit, qMin(double(view.width()) / 480, double(view.height()) / 360)));

    for (const QString &key : commands)
        window->toolbarButton(key)->trigger();

    QVERIFY2(zoomClose(window->getZoom(), fit * factor),
             qPrintable(QStringLiteral("%1 instead of %2").arg(window->getZoom()).arg(fit * factor)));
    const QSizeF twips = boardTwips(*window);
    const QSize board = window->boardWidget()->size();
    QVERIFY(qAbs(board.width() - twips.width() / 15) <= 1.0);
    QVERIFY(qAbs(board.height() - twips.height() / 15) <= 1.0);

    // A scroll bar appears exactly when the board is larger than the viewport, and its
    // range counts the overhang in steps of 10 units.
    const QSizeF viewTwips(view.width() * 15.0, view.height() * 15.0);
    const bool wider = twips.width() > viewTwips.width() + 15;
    const bool higher = twips.height() > viewTwips.height() + 15;
    QCOMPARE(window->hScroll()->isVisible(), wider);
    QCOMPARE(window->vScroll()->isVisible(), higher);
    if (wider)
        QVERIFY(qAbs(window->hScroll()->maximum() - (twips.width() - viewTwips.width()) / 10) <= 2.0);
    if (higher)
        QVERIFY(qAbs(window->vScroll()->maximum() - (twips.height() - viewTwips.height()) / 10) <= 2.0);

    QString why;
    QVERIFY2(showsBoard(window->boardImage(), window->tablero(), false, &why), qPrintable(why));
    QVERIFY2(gridIsBlack(window->boardImage(), 4, 4, &why), qPrintable(why));
    QVERIFY(window->toolbarButton("zoom_in")->isVisible());
    QVERIFY(window->toolbarButton("zoom_out")->isVisible());
}

void tst_WindowCommands::zoomKeepsTheRelativeScrollPosition()
{
    const auto window = build();
    for (int i = 0; i < 4; ++i)
        window->zoomIn();
    QScrollBar *bar = window->hScroll();
    QVERIFY(bar->isVisible());
    const int oldMaximum = bar->maximum();
    bar->setValue(oldMaximum / 2);
    // Scrolling moves the board 10 units for each step.
    QVERIFY(qAbs(window->boardWidget()->x() + 10.0 * bar->value() / 15) <= 1.0);

    window->zoomIn();
    const int newMaximum = bar->maximum();
    QVERIFY(newMaximum > oldMaximum);
    QVERIFY2(qAbs(bar->value() - newMaximum / 2.0) <= 1.0,
             qPrintable(QStringLiteral("%1 of %2").arg(bar->value()).arg(newMaximum)));
    QVERIFY(qAbs(window->boardWidget()->x() + 10.0 * bar->value() / 15) <= 1.0);
}

void tst_WindowCommands::zoomButtonsAtTheLimits()
{
    const auto window = build();
    QAction *zoomOut = window->toolbarButton("zoom_out");
    QAction *zoomIn = window->toolbarButton("zoom_in");

    QSizeF previous = boardTwips(*window);
    for (int i = 0; i < 80 && zoomOut->isVisible(); ++i) {
        previous = boardTwips(*window);
        zoomOut->trigger();
    }
    QSizeF board = boardTwips(*window);
    QVERIFY(!zoomOut->isVisible());
    QVERIFY(zoomIn->isVisible());
    QVERIFY(qMin(board.width(), board.height()) < 400);
    QVERIFY(qMin(previous.width(), previous.height()) >= 400);

    zoomIn->trigger();
    QVERIFY(zoomOut->isVisible());
    for (int i = 0; i < 80 && zoomIn->isVisible(); ++i) {
        previous = boardTwips(*window);
        zoomIn->trigger();
    }
    board = boardTwips(*window);
    QVERIFY(!zoomIn->isVisible());
    QVERIFY(zoomOut->isVisible());
    QVERIFY(qMax(board.width(), board.height()) > 30000);
    QVERIFY(qMax(previous.width(), previous.height()) <= 30000);
    QVERIFY(window->hScroll()->isVisible());
    QVERIFY(window->vScroll()->isVisible());

    // Placing the last piece brings the button back. The two places are near the board's
    // top-left corner, which is in view.
    QVERIFY(arrangeSwapped(window->tablero(), QPoint(1, 1), QPoint(2, 1)));
    window->hScroll()->setValue(0);
    window->vScroll()->setValue(0);
    window->PaintTablero();
    QWidget *surface = window->boardWidget();
    const int placeWidth = surface->width() / 4;
    pressAndRelease(surface, Qt::LeftButton, QPoint(placeWidth - 20, 20), QPoint(placeWidth + 20, 20));
    QCOMPARE(window->getEstado(), 2);
    QVERIFY(zoomIn->isVisible());
    QVERIFY(zoomOut->isVisible());
    QString why;
    QVERIFY2(showsPictureWithoutGrid(window->boardImage(), 4, 4, &why), qPrintable(why));
}

void tst_WindowCommands::languageCommands_data()
{
    QTest::addColumn<int>("estado");
    QTest::addColumn<QString>("spanishPanel1");
    QTest::addColumn<QString>("englishPanel1");

    QTest::newRow("no picture") << 0 << "SIN IMAGEN" << "NO IMAGE";
    QTest::newRow("unsolved") << 1 << "SIN MONTAR" << "NOT ASSEMBLED";
    QTest::newRow("assembled") << 2 << "MONTADO" << "ASSEMBLED";
}

void tst_WindowCommands::languageCommands()
{
    QFETCH(int, estado);
    QFETCH(QString, spanishPanel1);
    QFETCH(QString, englishPanel1);

    const auto window = build();
    window->setEstado(estado);
    const qint16 outOfPlace = window->tablero().NumeroDeFichasPorColocar();
    const int inPlace = 16 - outOfPlace;
    auto *ok = window->dialog().findChild<QPushButton *>(QStringLiteral("OKButton"));
    QVERIFY(ok);

    window->action(QString::fromUtf8("M_Español"))->trigger();
    QCOMPARE(window->configFile().getLanguage(), qint16(1));
    QVERIFY(window->action(QString::fromUtf8("M_Español"))->isChecked());
    QVERIFY(!window->action("M_Ingles")->isChecked());
    QCOMPARE(window->action("M_Archivo")->text(), QStringLiteral("Archivo"));
    QCOMPARE(window->action("M_Salir")->text(), QStringLiteral("Salir"));
    QCOMPARE(window->action("M_Ver_Montado")->text(), QStringLiteral("ver Montado"));
    QCOMPARE(window->action("M_Ventana_Independiente")->text(), QStringLiteral("En una nueva ventana"));
    QCOMPARE(window->action("M_Acerca_de")->text(), QStringLiteral("Acerca de"));
    QCOMPARE(ok->text(), QStringLiteral("Aceptar"));
    if (estado == 0) {
        QCOMPARE(window->statusSimpleText()->text(), spanishPanel1);
    } else {
        QCOMPARE(window->statusPanel(1)->text(), spanishPanel1);
        QCOMPARE(window->statusPanel(3)->text(), QStringLiteral("16 piezas (4x4)"));
        QCOMPARE(window->statusPanel(4)->text(), QStringLiteral("%1 piezas colocadas").arg(inPlace));
        QCOMPARE(window->statusPanel(5)->text(), QStringLiteral("%1 piezas por colocar").arg(outOfPlace));
        QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("Realizados 0 movimientos"));
    }

    window->action("M_Ingles")->trigger();
    QCOMPARE(window->configFile().getLanguage(), qint16(0));
    QVERIFY(!window->action(QString::fromUtf8("M_Español"))->isChecked());
    QVERIFY(window->action("M_Ingles")->isChecked());
    QCOMPARE(window->action("M_Archivo")->text(), QStringLiteral("File"));
    QCOMPARE(window->action("M_Salir")->text(), QStringLiteral("Exit"));
    QCOMPARE(window->action("M_Ver_Montado")->text(), QStringLiteral("See it assembled"));
    QCOMPARE(window->action("M_Ventana_Independiente")->text(), QStringLiteral("In a new window"));
    QCOMPARE(window->action("M_Acerca_de")->text(), QStringLiteral("About"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    if (estado == 0) {
        QCOMPARE(window->statusSimpleText()->text(), englishPanel1);
    } else {
        QCOMPARE(window->statusPanel(1)->text(), englishPanel1);
        QCOMPARE(window->statusPanel(3)->text(), QStringLiteral("16 pieces (4x4)"));
        QCOMPARE(window->statusPanel(4)->text(), QStringLiteral("%1 pieces in place").arg(inPlace));
        QCOMPARE(window->statusPanel(6)->text(), QStringLiteral("0 movements"));
    }
}

void tst_WindowCommands::languageCommandReopensTheAboutBox()
{
    const auto window = startWindow();
    window->action("M_Acerca_de")->trigger();
    QVERIFY(window->acercaDe() && window->acercaDe()->isVisible());
    QCOMPARE(window->acercaDe()->windowTitle(), QStringLiteral("About Tesselon"));

    window->action(QString::fromUtf8("M_Español"))->trigger();
    // Whatever became of the old box, once pending events have run one box is open, in
    // Spanish.
    QTest::qWait(50);
    FormAcercaDe *box = window->acercaDe();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("Acerca de Tesselon"));
    auto *ok = box->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("Aceptar"));
    QCOMPARE(window->findChildren<FormAcercaDe *>().size(), 1);

    // With the box closed, the language command opens nothing.
    box->close();
    QTRY_VERIFY(!window->acercaDe() || !window->acercaDe()->isVisible());
    window->action("M_Ingles")->trigger();
    QTest::qWait(20);
    QVERIFY(!window->acercaDe() || !window->acercaDe()->isVisible());
}

QTEST_MAIN(tst_WindowCommands)
#include "tst_windowcommands.moc"
