#include "WindowTestKit.h"

#include "app/BoardWidget.h"
#include "app/tess2mainform.h"
#include "board/TableroClass.h"
#include "platform/Messages.h"
#include "platform/RunTimeError.h"
#include "settings/ConfigFileHandler.h"
#include "settings/comun.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTestKit;

namespace {

const char *const ToolbarBitmaps[] = {"open.bmp", "save.bmp", "zoom_out.bmp", "zoom_in.bmp", "fit.bmp"};

// The items of the configuration line as written, quotes kept.
QList<QByteArray> configItems() { return readConfig().trimmed().split(','); }

} // namespace

class tst_WindowStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_pics;
    QString m_picture;

    ConfigLine defaultLine() const;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionAndGeometry();
    void noPictureState_data();
    void noPictureState();
    void missingToolbarBitmapStopsStartUp_data();
    void missingToolbarBitmapStopsStartUp();
    void missingWindowIconIsIgnored();
    void firstRunChooser_data();
    void firstRunChooser();
    void laterRunsShowNoChooser();
    void firstDialog_data();
    void firstDialog();
    void closeQuestion_data();
    void closeQuestion();
    void closeBoxAnsweredYesWritesTheConfiguration();
    void exitMenu_data();
    void exitMenu();
};

ConfigLine tst_WindowStartup::defaultLine() const
{
    ConfigLine line;
    line.dialogPath = m_pics;
    return line;
}

void tst_WindowStartup::initTestCase()
{
    QVERIFY(m_root.isValid());
    prepareEnvironment(m_root.path());
    m_pics = m_root.path() + QStringLiteral("/pics");
    m_picture = writeBlockPicture(m_pics, QStringLiteral("cuadros.bmp"), QSize(480, 360), 4, 4);
}

void tst_WindowStartup::init()
{
    Messages::clearShown();
    writeConfig(defaultLine());
}

void tst_WindowStartup::cleanup() { stopWatchingModals(); }

void tst_WindowStartup::captionAndGeometry()
{
    const auto window = startWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Tesselon"));
    QVERIFY(window->isVisible());

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window->frameGeometry();
    const QString figures = QStringLiteral("screen %1 x %2, window frame %3 x %4 at (%5, %6)")
                                .arg(screen.width())
                                .arg(screen.height())
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(frame.left() - screen.left())
                                .arg(frame.top() - screen.top());
    // The whole window, its frame included, covers the share of the screen.
    QVERIFY2(qAbs(frame.width() - screen.width() * 0.98) <= 1.0, qPrintable(figures));
    QVERIFY2(qAbs(frame.height() - screen.height() * 0.95) <= 1.0, qPrintable(figures));
    // Centred with the width the window really got; 30 units below the top are 2 pixels.
    QVERIFY2(qAbs((frame.left() - screen.left()) - (screen.width() - frame.width()) / 2.0) <= 1.0,
             qPrintable(figures));
    QCOMPARE(frame.top() - screen.top(), 2);
}

void tst_WindowStartup::noPictureState_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("verMontado");
    QTest::addColumn<QString>("ventana");
    QTest::addColumn<QString>("ingles");
    QTest::addColumn<bool>("inglesChecked");
    QTest::addColumn<QString>("simpleText");

    QTest::newRow("English") << 0 << "File" << "See it assembled" << "In a new window" << "English" << true
                             << "NO IMAGE";
    QTest::newRow("Spanish") << 1 << "Archivo" << "ver Montado" << "En una nueva ventana" << "English" << false
                             << "SIN IMAGEN";
    // Galician keeps the captions the window was designed with and the English bar.
    QTest::newRow("Galician") << 2 << "Archivo" << "Ver Montado" << "Ventana independiente"
                              << QString::fromUtf8("Inglés") << true << "NO IMAGE";
}

void tst_WindowStartup::noPictureState()
{
    QFETCH(int, language);
    QFETCH(QString, archivo);
    QFETCH(QString, verMontado);
    QFETCH(QString, ventana);
    QFETCH(QString, ingles);
    QFETCH(bool, inglesChecked);
    QFETCH(QString, simpleText);

    ConfigLine line = defaultLine();
    line.language = qint16(language);
    writeConfig(line);
    tess2mainform window;
    // The first dialog, cancelled, leaves the window without a puzzle.
    onNextModal([](QWidget *modal) {
        if (auto *cancel = modal->findChild<QPushButton *>(QStringLiteral("CancelButton")))
            cancel->click();
    });
    window.startUp();

    QCOMPARE(window.getEstado(), 0);
    QCOMPARE(window.action("M_Archivo")->text(), archivo);
    QCOMPARE(window.action("M_Ver_Montado")->text(), verMontado);
    QCOMPARE(window.action("M_Ventana_Independiente")->text(), ventana);
    QCOMPARE(window.action("M_Ingles")->text(), ingles);
    QCOMPARE(window.action("M_Ingles")->isChecked(), inglesChecked);
    QCOMPARE(window.action(QString::fromUtf8("M_Español"))->isChecked(), !inglesChecked);

    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QVERIFY2(!window.toolbarButton(key)->isVisible(), key);
    QVERIFY(window.toolbarButton("abrir")->isVisible());
    QVERIFY(window.toolbarButton("abrir")->isEnabled());
    QVERIFY(!window.toolbarButton("guardar")->isEnabled());
    QVERIFY(!window.action("M_Guardar")->isEnabled());
    QVERIFY(!window.action("M_Ver_Montado")->isEnabled());
    QVERIFY(!window.boardWidget()->inputEnabled());
    QVERIFY(window.statusSimpleMode());
    QCOMPARE(window.statusSimpleText()->text(), simpleText);
    QVERIFY(window.statusSimpleText()->isVisible());
}

void tst_WindowStartup::missingToolbarBitmapStopsStartUp_data()
{
    QTest::addColumn<QString>("missing");
    for (const char *name : ToolbarBitmaps)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_WindowStartup::missingToolbarBitmapStopsStartUp()
{
    QFETCH(QString, missing);
    QTemporaryDir resources;
    QVERIFY(resources.isValid());
    QVERIFY(QDir().mkpath(resources.path() + QStringLiteral("/icons")));
    for (const char *name : ToolbarBitmaps) {
        if (missing == QLatin1String(name))
            continue;
        QVERIFY(QFile::copy(comun::programFolder() + QStringLiteral("/icons/") + QLatin1String(name),
                            resources.path() + QStringLiteral("/icons/") + QLatin1String(name)));
    }

    tess2mainform window;
    window.setResourceFolder(resources.path());
    bool thrown = false;
    try {
        window.startUp();
    } catch (const RunTimeError &e) {
        thrown = true;
        QCOMPARE(e.number(), int(RunTimeError::FileNotFound));
        QVERIFY2(e.description().contains(missing), qPrintable(e.description()));
        QVERIFY(!e.source().isEmpty());
    }
    QVERIFY(thrown);
    // Start-up stopped before the window was shown and before any dialog.
    QVERIFY(!window.isVisible());
    QVERIFY(Messages::shown().isEmpty());
}

void tst_WindowStartup::missingWindowIconIsIgnored()
{
    QTemporaryDir resources;
    QVERIFY(resources.isValid());
    QVERIFY(QDir().mkpath(resources.path() + QStringLiteral("/icons")));
    for (const char *name : ToolbarBitmaps)
        QVERIFY(QFile::copy(comun::programFolder() + QStringLiteral("/icons/") + QLatin1String(name),
                            resources.path() + QStringLiteral("/icons/") + QLatin1String(name)));

    tess2mainform bare;
    bare.setResourceFolder(resources.path());
    bare.startUpWithoutDialog();
    QVERIFY(bare.isVisible());
    QVERIFY(bare.windowIcon().isNull());
    QVERIFY(bare.toolbarButton("fit"));

    // With the icon beside the program the window takes it.
    const auto window = startWindow();
    QVERIFY(!window->windowIcon().isNull());
}

void tst_WindowStartup::firstRunChooser_data()
{
    QTest::addColumn<int>("configured"); // -1: no data folder at all
    QTest::addColumn<QString>("option"); // empty: the chooser is closed without a choice
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("simpleText");

    QTest::newRow("English on a new machine") << -1 << "Option1" << 0 << "File" << "NO IMAGE";
    QTest::newRow("Spanish on a new machine") << -1 << "Option2" << 1 << "Archivo" << "SIN IMAGEN";
    QTest::newRow("Spanish over English") << 0 << "Option2" << 1 << "Archivo" << "SIN IMAGEN";
    QTest::newRow("English over Spanish") << 1 << "Option1" << 0 << "File" << "NO IMAGE";
    QTest::newRow("closed keeps Spanish") << 1 << "" << 1 << "Archivo" << "SIN IMAGEN";
}

void tst_WindowStartup::firstRunChooser()
{
    QFETCH(int, configured);
    QFETCH(QString, option);
    QFETCH(int, language);
    QFETCH(QString, archivo);
    QFETCH(QString, simpleText);

    if (configured < 0) {
        QVERIFY(QDir(comun::getDataFolder()).removeRecursively());
    } else {
        ConfigLine line = defaultLine();
        line.language = qint16(configured);
        line.firstRun = true;
        writeConfig(line);
    }

    tess2mainform window;
    QString chooserClass;
    QString chooserTitle;
    bool mainVisible = true;
    bool okEnabledBeforeChoice = true;
    onNextModal([&](QWidget *modal) {
        chooserClass = QString::fromLatin1(modal->metaObject()->className());
        chooserTitle = modal->windowTitle();
        mainVisible = window.isVisible();
        auto *ok = modal->findChild<QPushButton *>(QStringLiteral("Command1"));
        if (!ok)
            return;
        okEnabledBeforeChoice = ok->isEnabled();
        if (option.isEmpty()) {
            modal->close();
            return;
        }
        if (auto *choice = modal->findChild<QRadioButton *>(option))
            choice->click();
        ok->click();
    });
    window.startUpWithoutDialog();

    QCOMPARE(chooserClass, QStringLiteral("FormIdiomaInicial"));
    QCOMPARE(chooserTitle, QStringLiteral("Tesselon"));
    QVERIFY(!mainVisible);
    QVERIFY(!okEnabledBeforeChoice);
    QVERIFY(window.isVisible());
    QVERIFY(QFileInfo(comun::getDataFolder()).isDir());

    QCOMPARE(window.action("M_Archivo")->text(), archivo);
    QCOMPARE(window.action(QString::fromUtf8("M_Español"))->isChecked(), language == 1);
    QCOMPARE(window.action("M_Ingles")->isChecked(), language != 1);
    QCOMPARE(window.statusSimpleText()->text(), simpleText);
    QVERIFY(!window.configFile().getPrimeraVezQueSeEjecuta());

    // The choice and the cleared flag stay in memory until the configuration is saved.
    QCOMPARE(configItems().value(9), QByteArray("#TRUE#"));
    Messages::queueAnswer(Messages::Answer::Yes);
    window.close();
    QVERIFY(!window.isVisible());
    const QList<QByteArray> items = configItems();
    QCOMPARE(items.size(), 10);
    QCOMPARE(items.at(1), QByteArray::number(language));
    QCOMPARE(items.at(9), QByteArray("#FALSE#"));
}

void tst_WindowStartup::laterRunsShowNoChooser()
{
    bool modalSeen = false;
    onNextModal([&modalSeen](QWidget *) { modalSeen = true; });
    const auto window = startWindow();
    QTest::qWait(30);
    QVERIFY(!modalSeen);
    QVERIFY(window->isVisible());
    QVERIFY(!window->configFile().getPrimeraVezQueSeEjecuta());
}

void tst_WindowStartup::firstDialog_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("estado");

    QTest::newRow("confirmed") << "OKButton" << 1;
    QTest::newRow("closed") << "" << 0;
}

void tst_WindowStartup::firstDialog()
{
    QFETCH(QString, answer);
    QFETCH(int, estado);

    tess2mainform window(m_picture);
    QString dialogClass;
    bool mainVisible = false;
    bool toolbarBuilt = false;
    onNextModal([&](QWidget *modal) {
        dialogClass = QString::fromLatin1(modal->metaObject()->className());
        mainVisible = window.isVisible();
        toolbarBuilt = window.toolbarButton("abrir") != nullptr;
        if (answer.isEmpty())
            modal->close();
        else if (auto *button = modal->findChild<QPushButton *>(answer))
            button->click();
    });
    window.startUp();

    QCOMPARE(dialogClass, QStringLiteral("Dialog"));
    QVERIFY(mainVisible);
    QVERIFY(toolbarBuilt);
    QCOMPARE(window.getEstado(), estado);
    const bool built = estado == 1;
    QCOMPARE(window.statusSimpleMode(), !built);
    QCOMPARE(window.toolbarButton("guardar")->isEnabled(), built);
    QCOMPARE(window.action("M_Guardar")->isEnabled(), built);
    QCOMPARE(window.action("M_Ver_Montado")->isEnabled(), built);
    for (const char *key : {"fit", "zoom_out", "zoom_in"})
        QCOMPARE(window.toolbarButton(key)->isVisible(), built);
    if (built) {
        QCOMPARE(window.statusPanel(1)->text(), QStringLiteral("NOT ASSEMBLED"));
        QCOMPARE(window.statusPanel(2)->text(), QStringLiteral("cuadros.bmp"));
    } else {
        QCOMPARE(window.statusSimpleText()->text(), QStringLiteral("NO IMAGE"));
        QVERIFY(window.sourcePicture().isNull());
    }
}

void tst_WindowStartup::closeQuestion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("question");

    QTest::newRow("English") << 0 << "Do you want to close the program?";
    QTest::newRow("Spanish") << 1 << QString::fromUtf8("¿Desea abandonar el programa?");
    QTest::newRow("Galician") << 2 << QString::fromUtf8("¿Desexa abandona-lo programa?");
}

void tst_WindowStartup::closeQuestion()
{
    QFETCH(int, language);
    QFETCH(QString, question);

    ConfigLine line = defaultLine();
    line.language = qint16(language);
    writeConfig(line);
    const auto window = startWindow(m_picture);
    openPuzzle(*window, 4, 4, false);
    QCOMPARE(window->getEstado(), 1);
    TableroClass::Table homesX, homesY;
    qint16 cx = 0, cy = 0, fx = 0, fy = 0;
    QVERIFY(window->tablero().getBoard(homesX, homesY, cx, cy, fx, fy));
    const QImage board = window->boardImage().copy();
    QVERIFY(QFile::remove(configPath()));

    Messages::queueAnswer(Messages::Answer::No);
    window->close();

    const QList<Messages::Shown> shown = Messages::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).title, QStringLiteral("Tesselon"));
    QCOMPARE(shown.at(0).text, question);
    QCOMPARE(shown.at(0).buttons, Messages::Buttons::YesNo);
    QCOMPARE(shown.at(0).icon, Messages::Icon::Information);
    QCOMPARE(shown.at(0).defaultAnswer, Messages::Answer::No);

    // No: the program goes on with the puzzle untouched and nothing saved.
    QVERIFY(window->isVisible());
    QVERIFY(!QFile::exists(configPath()));
    QCOMPARE(window->getEstado(), 1);
    TableroClass::Table afterX, afterY;
    QVERIFY(window->tablero().getBoard(afterX, afterY, cx, cy, fx, fy));
    QCOMPARE(afterX, homesX);
    QCOMPARE(afterY, homesY);
    QCOMPARE(window->boardImage(), board);
    QVERIFY(window->boardWidget()->inputEnabled());
}

void tst_WindowStartup::closeBoxAnsweredYesWritesTheConfiguration()
{
    const auto window = startWindow();
    // The language command changes the configuration only in memory.
    window->action(QString::fromUtf8("M_Español"))->trigger();
    QCOMPARE(configItems().value(1), QByteArray("0"));
    QVERIFY(QFile::remove(configPath()));

    Messages::queueAnswer(Messages::Answer::Yes);
    window->close();

    QVERIFY(!window->isVisible());
    QCOMPARE(Messages::shown().size(), 1);
    const QList<QByteArray> items = configItems();
    QCOMPARE(items.size(), 10);
    QCOMPARE(items.at(0), QByteArray("\"1.0\""));
    QCOMPARE(items.at(1), QByteArray("1"));
    QCOMPARE(items.at(3), QByteArray("\"" + QFile::encodeName(m_pics) + "\""));
    QVERIFY(readConfig().endsWith("\r\n"));
}

void tst_WindowStartup::exitMenu_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void tst_WindowStartup::exitMenu()
{
    QFETCH(bool, yes);
    const auto window = startWindow();
    QVERIFY(QFile::remove(configPath()));

    // Were the question asked twice, the second would take its default, No, and keep the
    // window open.
    Messages::queueAnswer(yes ? Messages::Answer::Yes : Messages::Answer::No);
    window->action("M_Salir")->trigger();

    QCOMPARE(Messages::shownTexts(), QStringList{QStringLiteral("Do you want to close the program?")});
    QCOMPARE(window->isVisible(), !yes);
    QCOMPARE(QFile::exists(configPath()), yes);
}

QTEST_MAIN(tst_WindowStartup)
#include "tst_windowstartup.moc"
