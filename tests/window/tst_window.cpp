#include "WindowTestKit.h"

#include "about/FormAcercaDe.h"
#include "app/BoardView.h"
#include "app/BoardWidget.h"
#include "app/FormVentanita.h"
#include "app/StatusPanels.h"
#include "app/tess2mainform.h"
#include "board/BoardDump.h"
#include "io/RunTimeError.h"
#include "picture/PictureSamples.h"
#include "platform/Messages.h"
#include "settings/ConfigFileHandler.h"
#include "settings/comun.h"

#include <QtTest/qtestspontaneevent.h>
#include <QtTest>
#include <QtWidgets>

using namespace WindowTestKit;

namespace
{

// A menu item or toolbar button by its design name.
QAction *act(const tess2mainform &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromUtf8(name));
}

// The items of the saved configuration line, quotes kept.
QList<QByteArray> configItems()
{
    return PictureSamples::fileBytes(configPath()).trimmed().split(',');
}

// Bright, saturated and different for every block of grids up to 8 × 8, so a piece is known
// by any pixel of it: hues 37 degrees apart do not meet for 64 blocks.
QRgb blockColor(int column, int row)
{
    const int index = (column - 1) * 8 + (row - 1);
    return QColor::fromHsv((index * 37) % 360, 190, index % 2 ? 200 : 250).rgb();
}

QRect placeRect(QSize size, int columns, int rows, int column, int row)
{
    const auto edge = [](int index, int count, int length) { return qRound(double(index) * length / count); };
    return QRect(QPoint(edge(column - 1, columns, size.width()), edge(row - 1, rows, size.height())),
                 QPoint(edge(column, columns, size.width()) - 1, edge(row, rows, size.height()) - 1));
}

// Writes a BMP cut into columns × rows blocks of blockColor and returns its path.
QString writeBlockPicture(const QString &folder, QSize size, int columns, int rows)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r)
            QPainter(&picture).fillRect(placeRect(size, columns, rows, c, r), QColor(blockColor(c, r)));
    }
    const QString path = QStringLiteral("%1/bloques_%2x%3.bmp").arg(folder).arg(columns).arg(rows);
    return picture.save(path, "BMP") ? path : QString();
}

// The commands on offer, as the words of "open input save view zoom simple" that are on:
// the board taking the mouse, saving (menu item and button), the assembled view, the three
// zoom buttons and the one-text status bar. A word with "?" is on only in part.
QString commandState(const tess2mainform &window)
{
    const auto button = [&window](const char *key) { return act(window, key)->isVisible(); };
    const std::pair<const char *, QList<bool>> offers[] = {
        {"open", {act(window, "abrir")->isEnabled(), act(window, "M_Abrir")->isEnabled()}},
        {"input", {window.boardView()->boardWidget()->inputEnabled()}},
        {"save", {act(window, "guardar")->isEnabled(), act(window, "M_Guardar")->isEnabled()}},
        {"view", {act(window, "M_Ver_Montado")->isEnabled()}},
        {"zoom", {button("fit"), button("zoom_out"), button("zoom_in")}},
        {"simple", {window.statusPanels()->simpleMode()}}};
    QStringList on;
    for (const auto &[word, states] : offers) {
        if (states.contains(true))
            on << QLatin1String(word) + (states.contains(false) ? QStringLiteral("?") : QString());
    }
    return on.join(QLatin1Char(' '));
}

// Empty when every caption of the menu bar and of each menu underlines a letter no other
// caption beside it does; else the first caption that does not.
QString mnemonicsProblem(const tess2mainform &window)
{
    QList<QList<QAction *>> groups{window.menuBar()->actions()};
    for (const QAction *top : window.menuBar()->actions())
        groups << top->menu()->actions();
    for (const QList<QAction *> &group : groups) {
        QSet<QKeySequence> keys;
        for (const QAction *a : group) {
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            if (!a->isSeparator() && (key.isEmpty() || keys.contains(key)))
                return a->text();
            keys.insert(key);
        }
    }
    return QString();
}

// Empty when a screen reader finds a name on every button of the toolbar, the one for the
// buttons that do not fit included; else the object name of the first that has none.
QString unnamedToolButton(const tess2mainform &window)
{
    for (QToolButton *button : window.findChild<QToolBar *>()->findChildren<QToolButton *>()) {
        if (QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty())
            return button->objectName();
    }
    return QString();
}

// The place "c,r" at the start of the text.
QPoint place(const QString &text)
{
    const QStringList numbers = text.section(QLatin1Char('>'), 0, 0).split(QLatin1Char(','));
    return QPoint(numbers.value(0).toInt(), numbers.value(1).toInt());
}

// Steps separated by ";" on a 4 × 4 board: L left, R right, S Shift + left button, pressed on
// the place after the letter and released on the place after ">", if any; place 0 lies off the
// board.
void play(const tess2mainform &window, const QString &steps)
{
    QWidget *board = window.boardView()->boardWidget();
    const auto middle = [board](const QString &text) {
        const QPoint p = place(text);
        return QPoint(int((p.x() - 0.5) * board->width() / 4), int((p.y() - 0.5) * board->height() / 4));
    };
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        const auto button = step.startsWith(QLatin1Char('R')) ? Qt::RightButton : Qt::LeftButton;
        const auto shift = step.startsWith(QLatin1Char('S')) ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mousePress(board, button, shift, middle(step.mid(1)));
        QTest::mouseRelease(board, button, shift, middle(step.mid(1).section(QLatin1Char('>'), -1)));
    }
}

QImage image(const tess2mainform &window)
{
    return window.boardView()->boardImage();
}

// The game again, from the file named if any, on a board with the pieces of places a and b
// exchanged, its first move, and every other piece home.
void arrangeSwapped(tess2mainform &window, QPoint a, QPoint b, const QString &file = QString())
{
    GameSetup setup = window.session().current();
    if (!file.isEmpty())
        setup.archivoSinPath = file;
    setup.board->Inicializar(setup.columns, setup.rows, setup.columns, setup.rows, setup.extension, false,
                             false);
    setup.board->IntercambiarFichas(qint16(a.x()), qint16(a.y()), qint16(b.x()), qint16(b.y()));
    window.session().start(setup);
}

// Empty when the middle of every place has colourAt(column, row) and each place's left and top
// grid lines are black (within a pixel) just when grid is asked for; else what differs.
QString placesProblem(const QImage &image, int columns, int rows,
                      const std::function<QRgb(int, int)> &colourAt, bool grid)
{
    const auto black = [&image](int x, int y) {
        return image.valid(x, y) && image.pixel(x, y) == qRgb(0, 0, 0);
    };
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            const QRect rect = placeRect(image.size(), columns, rows, c, r);
            const QPoint m = rect.center();
            if ((image.pixel(m) ^ colourAt(c, r)) & 0xFFFFFF)
                return QString::asprintf("place (%d, %d) is #%06x", c, r, image.pixel(m) & 0xFFFFFF);
            const int x = rect.left(), y = rect.top();
            const bool lines = (black(x - 1, m.y()) || black(x, m.y()) || black(x + 1, m.y())) &&
                               (black(m.x(), y - 1) || black(m.x(), y) || black(m.x(), y + 1));
            if (lines != grid)
                return QString::asprintf("grid line %s at place (%d, %d)", grid ? "missing" : "drawn", c, r);
        }
    }
    return QString();
}

// The window's board as its pieces say, the sliding style's empty place black, the marked place
// "c,r" inverted, with the grid.
QString boardProblem(tess2mainform &window, bool sliding, const QString &marked = QString())
{
    const TableroClass &board = window.session().board();
    const auto colourAt = [&](int c, int r) {
        qint16 ox = 0, oy = 0;
        board.getCasilla(qint16(c), qint16(r), ox, oy);
        const bool empty = sliding && ox == board.getCasillasX() && oy == board.getCasillasY();
        const QRgb colour = empty ? qRgb(0, 0, 0) : blockColor(ox, oy);
        return marked == QStringLiteral("%1,%2").arg(c).arg(r) ? colour ^ 0xFFFFFF : colour;
    };
    return placesProblem(image(window), board.getCasillasX(), board.getCasillasY(), colourAt, true);
}

bool previewShown(const tess2mainform &window)
{
    return window.ventanita() && window.ventanita()->isVisible();
}

QString panels(const tess2mainform &window, std::initializer_list<int> numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << window.statusPanels()->panel(number)->text();
    return texts.join(QLatin1Char('|'));
}

} // namespace

class tst_Window : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    // A window whose first puzzle is a block picture of the size given, cut as asked in the
    // dialog of the Open command.
    std::unique_ptr<tess2mainform> build(int columns, int rows, bool dificil, QSize size = QSize(480, 360))
    {
        auto window = startWindow(writeBlockPicture(m_root.path(), size, columns, rows));
        onNextModal([=](QWidget *modal) {
            modal->findChild<QListWidget *>(QStringLiteral("ListX"))->setCurrentRow(columns - 2);
            modal->findChild<QListWidget *>(QStringLiteral("ListY"))->setCurrentRow(rows - 2);
            modal->findChild<QRadioButton *>(dificil ? "OptionDificil" : "OptionNormal")->setChecked(true);
            modal->findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
        });
        window->abrirDialogoNuevoPuzzle();
        return window;
    }

private slots:
    void initTestCase() { prepareEnvironment(m_root.path()); }
    void init()
    {
        Messages::clearShown();
        forgetKeptGames();
        writeConfig({0, m_root.path()});
    }
    void cleanup() { stopWatchingModals(); }

    // The language commands reach the captions, the bar and an open About box, check their item
    // and keep the choice, and every language underlines a free letter of each caption. The
    // language texts test reads every caption.
    void languages()
    {
        // Galician starts with the captions the window was designed with, English checked.
        writeConfig({2, m_root.path()});
        tess2mainform window;
        // The first dialog, closed, leaves no puzzle.
        onNextModal([](QWidget *) {});
        window.startUp();
        QCOMPARE(commandState(window), QStringLiteral("open simple"));
        act(window, "M_Acerca_de")->trigger();
        const auto shown = [&window] {
            return QStringList{act(window, "M_Ver_Montado")->text().remove(QLatin1Char('&')),
                               window.statusPanels()->simpleText()->text(),
                               window.acercaDe() && window.acercaDe()->isVisible()
                                   ? window.acercaDe()->windowTitle()
                                   : QString(),
                               QString(act(window, "M_Español")->isChecked() ? "es" : "") +
                                   (act(window, "M_Ingles")->isChecked() ? "en" : ""),
                               QString::number(window.configFile().getLanguage()),
                               mnemonicsProblem(window) + unnamedToolButton(window)}
                .join(QLatin1Char('|'));
        };
        QCOMPARE(shown(), QStringLiteral("Ver Montado|NO IMAGE|About Tesselon|en|2|"));
        // The open About box is opened again in the new language once pending events have run.
        act(window, "M_Español")->trigger();
        QTest::qWait(50);
        QCOMPARE(shown(), QStringLiteral("ver Montado|SIN IMAGEN|Acerca de Tesselon|es|1|"));
        act(window, "M_Ingles")->trigger();
        QTest::qWait(50);
        QCOMPARE(shown(), QStringLiteral("See it assembled|NO IMAGE|About Tesselon|en|0|"));

        // 98 % × 95 % of the screen, frame included, centred, and 30 units (2 pixels) from the top.
        QCOMPARE(window.windowTitle(), QStringLiteral("Tesselon"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect frame = window.frameGeometry().translated(-screen.topLeft());
        QVERIFY(qAbs(frame.width() - screen.width() * 0.98) <= 1 &&
                qAbs(frame.height() - screen.height() * 0.95) <= 1);
        QVERIFY(qAbs(frame.left() - (screen.width() - frame.width()) / 2.0) <= 1 && frame.top() == 2);
    }

    void missingResource_data()
    {
        QTest::addColumn<QString>("missing");
        for (const char *name : {"open.bmp", "fit.bmp", "Atom.ico"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void missingResource()
    {
        QFETCH(QString, missing);
        QTemporaryDir resources;
        const QDir icons(comun::programFolder() + QStringLiteral("/icons"));
        QVERIFY(QDir(resources.path()).mkpath(QStringLiteral("icons")));
        for (const QString &name : icons.entryList(QDir::Files)) {
            if (name != missing)
                QVERIFY(QFile::copy(icons.filePath(name), resources.filePath("icons/" + name)));
        }
        tess2mainform window;
        window.setResourceFolder(resources.path());
        QString error;
        try {
            window.startUpWithoutDialog();
        } catch (const RunTimeError &e) {
            error = QString::number(e.number()) + QLatin1Char(' ') + e.description();
        }
        // Every toolbar bitmap is needed before the window shows; its own icon is not.
        const bool stops = missing.endsWith(QLatin1String(".bmp"));
        QVERIFY2(stops ? error.startsWith(QStringLiteral("53 ")) && error.contains(missing) : error.isEmpty(),
                 qPrintable(error));
        QCOMPARE(window.isVisible(), !stops);
        QVERIFY(!window.windowIcon().isNull());
    }

    void firstRunChooser_data()
    {
        QTest::addColumn<int>("configured"); // -1: no data folder at all
        QTest::addColumn<QString>("option"); // empty: the chooser is closed without a choice
        QTest::addColumn<int>("language");

        QTest::newRow("English on a new machine") << -1 << "Option1" << 0;
        QTest::newRow("Spanish over English") << 0 << "Option2" << 1;
        QTest::newRow("closed keeps Spanish") << 1 << "" << 1;
    }

    void firstRunChooser()
    {
        QFETCH(int, configured);
        QFETCH(QString, option);
        QFETCH(int, language);

        if (configured < 0)
            QVERIFY(QDir(comun::getDataFolder()).removeRecursively());
        else
            writeConfig({qint16(configured), m_root.path(), true});
        tess2mainform window;
        QString seen;
        onNextModal([&](QWidget *modal) {
            seen = modal->metaObject()->className() + QString(window.isVisible() ? " over" : " before");
            if (!option.isEmpty()) {
                modal->findChild<QRadioButton *>(option)->click();
                modal->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
            }
        });
        window.startUpWithoutDialog();
        QCOMPARE(seen, QStringLiteral("FormIdiomaInicial before"));
        // The menus and the bar start in the language chosen or kept.
        QCOMPARE(act(window, "M_Ver_Montado")->text().remove(QLatin1Char('&')) + QLatin1Char('|') +
                     window.statusPanels()->simpleText()->text(),
                 language ? QStringLiteral("ver Montado|SIN IMAGEN")
                          : QStringLiteral("See it assembled|NO IMAGE"));

        // The choice and the cleared flag wait in memory for the close box's Yes to save them.
        QCOMPARE(configItems().value(9), QByteArray("#TRUE#"));
        Messages::queueAnswer(Messages::Answer::Yes);
        window.close();
        const QList<QByteArray> items = configItems();
        QCOMPARE(items.value(1) + ' ' + items.value(9), QByteArray::number(language) + " #FALSE#");
    }

    // The question's words in every language are read with the other language texts.
    void closeQuestion_data()
    {
        QTest::addColumn<bool>("exitCommand"); // otherwise the close box
        QTest::addColumn<bool>("yes");
        QTest::newRow("close box, No") << false << false;
        QTest::newRow("close box, Yes") << false << true;
        QTest::newRow("Exit, No") << true << false;
    }

    void closeQuestion()
    {
        QFETCH(bool, exitCommand);
        QFETCH(bool, yes);

        const int language = 1;
        writeConfig({language, m_root.path()});
        const auto window = build(4, 4, false);
        QVERIFY(QFile::remove(configPath()));
        Messages::queueAnswer(yes ? Messages::Answer::Yes : Messages::Answer::No);
        exitCommand ? act(*window, "M_Salir")->trigger() : void(window->close());

        QCOMPARE(Messages::shownTexts(), QStringList{QString::fromUtf8("¿Desea abandonar el programa?")});
        const Messages::Shown box = Messages::shown().value(0);
        QVERIFY(box.title == QLatin1String("Tesselon") && box.buttons == Messages::Buttons::YesNo &&
                box.icon == Messages::Icon::Information && box.defaultAnswer == Messages::Answer::No);
        QCOMPARE(window->isVisible(), !yes);
        QCOMPARE(configItems().value(1), yes ? QByteArray::number(language) : QByteArray());
        // After No the program goes on with the puzzle.
        QCOMPARE(commandState(*window), QStringLiteral("open input save view zoom"));
    }

    // A window manager that ignores the minimum size, and a session save that does not end
    // the session.
    void shrinkAndSessionSave()
    {
        const auto window = build(4, 4, false);
        QResizeEvent shrunk(QSize(150, 150), window->size());
        QApplication::sendEvent(window.get(), &shrunk);
        QCOMPARE(window->size(), QSize(267, 267));

        window->sessionCommitting();
        Messages::queueAnswer(Messages::Answer::No);
        QCloseEvent closeBox;
        QSpontaneKeyEvent::setSpontaneous(&closeBox);
        qApp->notify(window.get(), &closeBox);
        window->sessionCommitting();
        Messages::queueAnswer(Messages::Answer::No);
        act(*window, "M_Salir")->trigger();
        QVERIFY(window->isVisible() && Messages::shownTexts().size() == 2);
        // The session ending closes the window unasked.
        window->sessionCommitting();
        window->close();
        QVERIFY(!window->isVisible() && Messages::shownTexts().size() == 2);
    }

    void buildFromPicture_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<bool>("dificil");
        QTest::addColumn<QSize>("sourceSize");

        QTest::newRow("4x4 Normal") << QSize(480, 360) << QSize(4, 4) << false << QSize(480, 360);
        QTest::newRow("3x5 sliding, wide") << QSize(600, 200) << QSize(3, 5) << true << QSize(600, 200);
        QTest::newRow("2x2 sliding, reduced") << QSize(1200, 700) << QSize(2, 2) << true << QSize(900, 525);
    }

    void buildFromPicture()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, grid);
        QFETCH(bool, dificil);

        const auto window = build(grid.width(), grid.height(), dificil, pictureSize);
        QVERIFY(Messages::shown().isEmpty());
        QTEST(window->session().boardPicture().size(), "sourceSize");
        QCOMPARE(commandState(*window), QStringLiteral("open input save view zoom"));
        // The board fits the viewport: it fills one side, stays inside the other and needs no
        // scroll bar.
        const QSize board = window->boardView()->boardImage().size();
        const QSize view = window->boardView()->viewport()->size();
        QVERIFY(qAbs(board.width() - view.width()) <= 1 || qAbs(board.height() - view.height()) <= 1);
        QVERIFY(board.width() <= view.width() + 1 && board.height() <= view.height() + 1);
        QVERIFY(!window->boardView()->hScroll()->isVisible() && !window->boardView()->vScroll()->isVisible());
        QCOMPARE(boardProblem(*window, dificil), QString());

        QCOMPARE(panels(*window, {1, 2, 3}),
                 QString::asprintf("NOT ASSEMBLED|bloques_%dx%d.bmp|%d pieces (%dx%d)", grid.width(),
                                   grid.height(), grid.width() * grid.height(), grid.width(), grid.height()));

        const float fit = window->boardView()->getZoom();
        const auto press = [&window](const char *key, int times) {
            for (int i = 0; i < times && act(*window, key)->isVisible(); ++i)
                act(*window, key)->trigger();
        };
        // Three steps in make the board overhang the viewport (both ways for a 4:3 picture).
        press("zoom_in", 3);
        QVERIFY(qAbs(window->boardView()->getZoom() / fit - 1.331) < 1e-5);
        QVERIFY(window->boardView()->hScroll()->isVisible() || window->boardView()->vScroll()->isVisible());
        QVERIFY(grid != QSize(4, 4) ||
                (window->boardView()->hScroll()->isVisible() && window->boardView()->vScroll()->isVisible()));
        // The viewport lies 500 units (33 pixels) below the menu bar, or right below a taller
        // toolbar, and its scroll bar ends above the status bar.
        const QWidget *hBar = window->boardView()->hScroll();
        const int viewTop = window->boardView()->viewport()->mapTo(window.get(), QPoint()).y();
        const int toolbarBottom = window->findChild<QToolBar *>()->geometry().bottom() + 1;
        QCOMPARE(viewTop, qMax(window->menuBar()->geometry().bottom() + 1 + 33, toolbarBottom));
        QVERIFY(hBar->mapTo(window.get(), QPoint(0, hBar->height())).y() <= window->statusBar()->y());
        // At either limit its button hides.
        press("zoom_out", 80);
        QVERIFY(!act(*window, "zoom_out")->isVisible() && window->boardView()->getZoom() < fit / 4);
        press("zoom_in", 80);
        QVERIFY(!act(*window, "zoom_in")->isVisible() && window->boardView()->getZoom() > fit * 1.5);
    }

    void moves_data()
    {
        QTest::addColumn<bool>("dificil");
        // Mouse steps as play() takes them, or after "K" keys: < > ^ v arrows, S Space, E Enter,
        // M Shift + Space, X Escape.
        QTest::addColumn<QString>("input");
        // The places out of home, "place=home of the piece", and the marked place after "!".
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("steps"); // what Undo takes back
        const auto row = [](const char *name, bool dificil, const char *input, const char *board, int moves,
                            int steps) {
            QTest::newRow(name) << dificil << QString(input) << QString(board) << moves << steps;
        };
        // The buttons, Shift, a release off the board and the keys reach the game, and the board
        // shows what it did; the session test holds the rules of marks, groups and slides, the
        // keyboard play test what each key does. Every board starts with (2, 2) and (4, 4)
        // exchanged.
        row("drag exchanges", false, "L2,1>4,3", "2,1=4,3 2,2=4,4 4,3=2,1 4,4=2,2", 1, 1);
        row("release off the board", false, "L2,2>0,2", "2,2=4,4 4,4=2,2", 1, 1);
        row("right click marks", false, "R2,2", "2,2=4,4 4,4=2,2!2,2", 0, 0);
        row("Shift click marks", false, "S3,1", "2,2=4,4 4,4=2,2!3,1", 0, 0);
        // The sliding style's empty place is (2, 2); the release elsewhere does nothing.
        row("slide", true, "L3,2>4,1", "2,2=3,2 3,2=4,4 4,4=2,2", 1, 1);
        row("keys pick up and drop", false, "KS>>vE", "1,1=3,2 2,2=4,4 3,2=1,1 4,4=2,2", 1, 1);
        row("keys move a group", false, "KM>MS>S", "1,1=3,1 2,1=1,1 2,2=4,4 3,1=2,1 4,4=2,2", 2, 1);
        row("Escape drops nothing", false, "KS>X>S>S", "2,2=4,4 3,1=4,1 4,1=3,1 4,4=2,2", 1, 1);
        row("no key slide off the board", true, "K<<<", "2,2=3,2 3,2=4,2 4,2=4,4 4,4=2,2", 2, 2);
    }

    // The board plays what the mouse and the keys ask for; the Edit menu's keys undo and redo
    // every step.
    void moves()
    {
        QFETCH(bool, dificil);
        QFETCH(QString, input);
        QFETCH(QString, board);
        QFETCH(int, moves);

        const auto window = build(4, 4, dificil);
        arrangeSwapped(*window, QPoint(2, 2), QPoint(4, 4));
        // The closed dialog may still count as the active window off screen.
        QApplication::setActiveWindow(window.get());
        QWidget *widget = window->boardView()->boardWidget();
        QCOMPARE(window->focusWidget(), widget);
        QVERIFY(!act(*window, "M_Deshacer")->isEnabled() && !act(*window, "deshacer")->isEnabled());
        const QImage start = image(*window).copy();
        const QHash<QChar, std::pair<Qt::Key, Qt::KeyboardModifiers>> keyOf{
            {'<', {Qt::Key_Left, Qt::NoModifier}},     {'>', {Qt::Key_Right, Qt::NoModifier}},
            {'^', {Qt::Key_Up, Qt::NoModifier}},       {'v', {Qt::Key_Down, Qt::NoModifier}},
            {'S', {Qt::Key_Space, Qt::NoModifier}},    {'E', {Qt::Key_Return, Qt::NoModifier}},
            {'M', {Qt::Key_Space, Qt::ShiftModifier}}, {'X', {Qt::Key_Escape, Qt::NoModifier}}};
        if (!input.startsWith(QLatin1Char('K')))
            play(*window, input);
        for (const QChar k : input.startsWith(QLatin1Char('K')) ? input.mid(1) : QString())
            QTest::keyClick(widget, keyOf.value(k).first, keyOf.value(k).second);

        QCOMPARE(dump(window->session().board()), board.section(QLatin1Char('!'), 0, 0));
        QCOMPARE(boardProblem(*window, dificil, board.section(QLatin1Char('!'), 1)), QString());
        // Arranging the board was its first move.
        QCOMPARE(panels(*window, {5, 6}),
                 QString::asprintf("%d pieces out of place|%d movements",
                                   window->session().board().NumeroDeFichasPorColocar(), 1 + moves));

        const QImage played = image(*window).copy();
        int undone = 0;
        for (; act(*window, "M_Deshacer")->isEnabled() && undone < 10; ++undone)
            QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        QTEST(undone, "steps");
        QVERIFY(undone == 0 || (image(*window) == start && window->session().moves() == 1));
        for (int i = 0; i < undone; ++i)
            QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(image(*window), played);
        QVERIFY(!act(*window, "rehacer")->isEnabled() &&
                act(*window, "deshacer")->isEnabled() == (undone > 0));
        // Undo is no command while only the placed pieces are shown.
        act(*window, "M_Ver_Solo_Piezas_Montadas")->trigger();
        QVERIFY(!act(*window, "M_Deshacer")->isEnabled());
    }

    // A move glides on screen over the true board image and leaves exactly that image; with
    // Animations unchecked, kept in settings.ini, the screen shows the image at once.
    void glide()
    {
        const auto window = build(4, 4, false);
        QWidget *board = window->boardView()->boardWidget();
        const auto shows = [&] {
            return board->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
                   image(*window).convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY(act(*window, "M_Animaciones")->isChecked());
        play(*window, QStringLiteral("L1,1>4,4"));
        QVERIFY(!shows());
        QTRY_VERIFY(shows());
        play(*window, QStringLiteral("L2,1>3,3"));
        // A press ends the glide at once.
        QTest::mousePress(board, Qt::RightButton, {}, QPoint(1, 1));
        QVERIFY(shows());
        QTest::mouseRelease(board, Qt::RightButton, {}, QPoint(1, 1));

        act(*window, "M_Animaciones")->trigger();
        play(*window, QStringLiteral("L3,1>4,2"));
        QVERIFY(shows());
        QSettings file(comun::getDataFolder() + QStringLiteral("/settings.ini"), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("play/animations")).toString(), QStringLiteral("false"));
        act(*window, "M_Animaciones")->trigger();
    }

    void completion_data()
    {
        QTest::addColumn<bool>("dificil");
        // The board starts with the pieces of the two places exchanged; the last move drags from
        // the first to the second.
        QTest::addColumn<QString>("places");
        // The game's file: an assembled game from a puzzle file can be saved again.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("commands");
        QTest::newRow("Normal, last drag")
            << false << "1,1>2,1" << QString("partida.pzz") << "open save zoom";
        QTest::newRow("sliding, last slide") << true << "4,4>3,4" << QString("PARTIDA.PZZ") << "open zoom";
    }

    void completion()
    {
        QFETCH(bool, dificil);
        QFETCH(QString, places);
        QFETCH(QString, file);

        const auto window = build(4, 4, dificil);
        arrangeSwapped(*window, place(places), place(places.section(QLatin1Char('>'), 1)), file);
        act(*window, "M_Ventana_Independiente")->trigger();
        QVERIFY(previewShown(*window));
        play(*window, QLatin1Char('L') + places);

        QCOMPARE(window->session().state(), GameState::Assembled);
        QCOMPARE(panels(*window, {1, 4, 5, 6}),
                 QStringLiteral("ASSEMBLED|16 pieces in place|0 pieces out of place|2 movements"));
        // The whole picture, the sliding style's last piece included, and no grid.
        QCOMPARE(placesProblem(image(*window), 4, 4, blockColor, false), QString());
        QVERIFY(!previewShown(*window));
        QTEST(commandState(*window), "commands");

        // The board takes no more moves.
        const QImage assembled = image(*window).copy();
        play(*window, QStringLiteral("L1,1>2,2;R3,3"));
        QCOMPARE(image(*window), assembled);
        QCOMPARE(window->session().board().getNumeroDeMovimientos(), 2);
    }

    // The preview window, the placed pieces only and the assembled picture for a few seconds.
    void viewAids()
    {
        const auto window = build(4, 4, false, QSize(480, 240));
        act(*window, "M_Ventana_Independiente")->trigger();
        QVERIFY(previewShown(*window));
        FormVentanita *preview = window->ventanita();
        QVERIFY(preview->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // 4395 units wide at (10245, 1005); the whole picture fills the client area.
        QLabel *picture = preview->image();
        QCOMPARE(picture->geometry(), QRect(0, 0, 293, preview->height()));
        QVERIFY(preview->width() == 293 && qAbs(picture->height() - 146.5) <= 1);
        QVERIFY(qAbs(preview->x() - 683) <= 1 && qAbs(preview->y() - 67) <= 1);
        QCOMPARE(placesProblem(picture->pixmap().toImage(), 4, 4, blockColor, false), QString());
        // It follows the main window's minimising, but once closed stays closed.
        const auto minimiseAndRestore = [&window] {
            window->showMinimized();
            const bool hidden = !previewShown(*window);
            window->showNormal();
            QTest::qWait(20);
            return hidden;
        };
        QVERIFY(minimiseAndRestore() && previewShown(*window));
        window->ventanita()->close();
        QVERIFY(minimiseAndRestore() && !previewShown(*window));

        arrangeSwapped(*window, QPoint(1, 1), QPoint(2, 1));
        QAction *item = act(*window, "M_Ver_Solo_Piezas_Montadas");
        const auto state = [&] {
            return commandState(*window) + (item->isChecked() ? " checked" : "") +
                   (act(*window, "M_Por_Unos_Segundos")->isEnabled() ? " few seconds" : "");
        };
        // Pieces away from home are black, and the board ignores the mouse.
        item->trigger();
        QCOMPARE(state(), QStringLiteral("open save view checked"));
        play(*window, QStringLiteral("L1,1>2,1"));
        const auto blacked = [](int c, int r) { return r == 1 && c <= 2 ? qRgb(0, 0, 0) : blockColor(c, r); };
        QCOMPARE(placesProblem(image(*window), 4, 4, blacked, true), QString());
        // Leaving the mode redraws the board and gives the commands back.
        item->trigger();
        QCOMPARE(boardProblem(*window, false), QString());
        QCOMPARE(state(), QStringLiteral("open input save view zoom few seconds"));

        window->boardView()->zoomIn();
        const float zoom = window->boardView()->getZoom();
        qint64 now = 50000;
        window->setClock([&now] { return now; });
        QStringList seen;
        const auto look = [&](qint64 step) {
            seen << placesProblem(image(*window), 4, 4, blockColor, false);
            now += step;
        };
        // The assembled picture stays until 3000 ms have passed; the command returns only then.
        QTimer::singleShot(30, window.get(), [&] { look(2999); });
        QTimer::singleShot(250, window.get(), [&] { look(1); });
        // Should the wait ignore the clock, this ends it rather than hang the test.
        QTimer::singleShot(5000, window.get(), [&now] { now += 1000000; });
        act(*window, "M_Por_Unos_Segundos")->trigger();
        QCOMPARE(seen, (QStringList{QString(), QString()}));
        QVERIFY(now < 1000000);
        // Afterwards the board is back as it was, at the same zoom.
        QCOMPARE(boardProblem(*window, false), QString());
        QCOMPARE(window->boardView()->getZoom(), zoom);

        // Exit answered Yes during the view closes the window at once.
        QTimer::singleShot(30, window.get(), [&window] {
            Messages::queueAnswer(Messages::Answer::Yes);
            act(*window, "M_Salir")->trigger();
        });
        QTimer::singleShot(5000, window.get(), [&now] { now += 1000000; });
        act(*window, "M_Por_Unos_Segundos")->trigger();
        QVERIFY(now < 1000000 && !window->isVisible());
    }
    // A game saved through the dialog and named on the command line reaches the game as the
    // file holds it, and saving it again under another name writes the same bytes.
    void puzzleFileThroughTheWindow()
    {
        const auto saveAs = [](tess2mainform &window, const QString &name) {
            onNextModal([name](QWidget *modal) {
                modal->findChild<QLineEdit *>("TextSalvarComo")->setText(name);
                modal->findChild<QPushButton *>("OKButton")->click();
            });
            window.guardarPuzzle();
        };
        const auto first = build(3, 2, true);
        arrangeSwapped(*first, QPoint(1, 1), QPoint(3, 2));
        saveAs(*first, QStringLiteral("partida"));

        const auto window = startWindow(m_root.filePath("partida.pzz"));
        onNextModal([](QWidget *modal) { modal->findChild<QPushButton *>("OKButton")->click(); });
        window->abrirDialogoNuevoPuzzle();
        QCOMPARE(dump(window->session().board()), QStringLiteral("1,1=3,2 3,2=1,1"));
        QVERIFY(window->session().current().sliding);
        saveAs(*window, QStringLiteral("copia"));
        QCOMPARE(PictureSamples::fileBytes(m_root.filePath("copia.pzz")),
                 PictureSamples::fileBytes(m_root.filePath("partida.pzz")));
    }

    // A file dropped from a file manager opens the dialog on it; what the program does not
    // read is refused by the drop cursor and opens nothing.
    void dropFiles()
    {
        const auto window = startWindow();
        QVERIFY(QDir(m_root.path()).mkpath("carpeta.jpg"));
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(m_root.filePath("soltada.png")));
        QVERIFY(QFile(m_root.filePath("notas.txt")).open(QIODevice::WriteOnly));
        const auto drop = [&window](const QList<QUrl> &urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &enter);
            QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &dropped);
            return enter.isAccepted() || dropped.isAccepted();
        };
        const auto file = [this](const char *name) { return QUrl::fromLocalFile(m_root.filePath(name)); };
        QVERIFY(!drop({file("carpeta.jpg")}));
        QVERIFY(!drop({file("gone.jpg")}));
        QVERIFY(!drop({file("notas.txt"), file("soltada.png")}));
        QVERIFY(!drop({QUrl("https://example.org/foto.jpg")}));
        QString shown;
        onNextModal([&shown](QWidget *modal) { shown = modal->findChild<QLabel *>("LabArchivo")->text(); });
        QVERIFY(drop({file("soltada.png"), file("notas.txt")}));
        QTRY_COMPARE(shown, QStringLiteral("soltada.png"));
        QVERIFY(Messages::shown().isEmpty());
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
