#include "WindowTestKit.h"

#include "app/BoardView.h"
#include "app/GameKeeper.h"
#include "app/StatusPanels.h"
#include "app/tess2mainform.h"
#include "board/BoardDump.h"
#include "picture/PictureSamples.h"
#include "settings/StateFolders.h"

#include <QtTest>
#include <QtWidgets>

using namespace PictureSamples;
using namespace WindowTestKit;

namespace
{

QString state(const QString &name)
{
    return StateFolders::stateFolder() + QLatin1Char('/') + name;
}

} // namespace

class tst_GameKeeper : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;

    // A window playing a 4 × 3 puzzle of a picture file, one exchange away from assembled
    // before three moves are made and the last one undone.
    std::unique_ptr<tess2mainform> play()
    {
        auto window = startWindow();
        const QString path = m_root.filePath(QStringLiteral("flor.png"));
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(path);
        TableroClass board;
        board.Inicializar(4, 3, 4, 3, QStringLiteral("png   "), false, false);
        board.IntercambiarFichas(1, 1, 4, 3);
        board.setNumeroDeMovimientos(0);
        window->Nuevopuzzle(
            {path, QStringLiteral("flor.png"), board.getExtension(), 4, 3, false, picture, {}, board});
        GameSession &s = window->session();
        for (const auto &[from, to] :
             {std::pair<GamePlace, GamePlace>{{1, 2}, {2, 2}}, {{3, 1}, {3, 2}}, {{2, 3}, {1, 3}}}) {
            s.press(from, 1, 0);
            s.release(to, 1, 0);
        }
        s.undo();
        return window;
    }

private slots:
    void initTestCase() { prepareEnvironment(m_root.path()); }
    void init()
    {
        forgetKeptGames();
        writeConfig({0, m_root.path()});
    }
    void cleanup() { stopWatchingModals(); }

    // The game closed in play comes back with its board, counter, history, name and zoom.
    void gameComesBackAfterClose()
    {
        const auto kept = [](tess2mainform &window) {
            const GameSession &s = window.session();
            return QStringList{dump(s.board()), QString::number(s.moves()),
                               window.statusPanels()->panel(6)->text(), s.archivoSinPath(),
                               QString::number(window.boardView()->getZoom())}
                .join(QLatin1Char('|'));
        };
        QString before;
        {
            const auto window = play();
            window->boardView()->zoomIn();
            before = kept(*window);
            QVERIFY(window->keeper()->timePanel()->text().contains(QLatin1Char(':')));
        }
        const auto again = startWindow();
        QVERIFY(again->keeper()->resume());
        QCOMPARE(kept(*again), before);
        GameSession &s = again->session();
        QVERIFY(s.redo() && s.undo() && s.undo() && s.undo() && !s.canUndo());
        QCOMPARE(s.moves(), 0);
    }

    void continuedFileKeepsItsHistory_data()
    {
        QTest::addColumn<QByteArray>("side"); // replaces the kept side data when not empty
        QTest::addColumn<int>("moves");
        QTest::newRow("kept") << QByteArray() << 2;
        QTest::newRow("garbage is set aside") << QByteArray("{\"version\": 1, \"moves\": ") << 0;
    }

    // A puzzle file the player saved comes back with its counter and history when continued.
    void continuedFileKeepsItsHistory()
    {
        QFETCH(QByteArray, side);
        const QString saved = m_root.filePath(QStringLiteral("guardado.pzz"));
        QFile::remove(saved);
        {
            const auto window = play();
            window->keeper()->flush();
            QVERIFY(QFile::copy(state(QStringLiteral("current.pzz")), saved));
            window->keeper()->keepSaved(saved);
        }
        const QString kept = GameKeeper::keptPath(fileBytes(saved));
        QVERIFY(QFile::exists(kept));
        QVERIFY(side.isEmpty() || writeBytes(kept, side));
        const auto window = startWindow(saved);
        onNextModal([](QWidget *modal) { modal->findChild<QPushButton *>("OKButton")->click(); });
        window->abrirDialogoNuevoPuzzle();
        QTEST(window->session().moves(), "moves");
        QCOMPARE(window->session().canUndo(), side.isEmpty());
        QCOMPARE(QFile::exists(kept + QStringLiteral(".damaged")), !side.isEmpty());
    }

    // The layout of the kept game passes, its picture does not: the full reading refuses it,
    // sets it aside untouched and starts without a game. The core test sets aside the games
    // whose layout fails.
    void damagedPictureIsSetAside()
    {
        play().reset();
        const QString game = state(QStringLiteral("current.pzz"));
        const QByteArray bytes = fileBytes(game).left(30 + 4 * 12) + QByteArray(64, 'x');
        QVERIFY(writeBytes(game, bytes));
        const auto window = startWindow();
        QVERIFY(!window->keeper()->resume());
        QCOMPARE(window->session().state(), GameState::NoPicture);
        QVERIFY(!QFile::exists(game));
        QCOMPARE(fileBytes(game + QStringLiteral(".damaged")), bytes);
    }

    // A second copy at once keeps nothing and says so; the first one's game stays.
    void secondCopyKeepsNothing()
    {
        const auto first = play();
        const auto second = startWindow();
        QVERIFY(second->keeper()->notice()->text().contains(QStringLiteral("Another copy")));
        QVERIFY(!second->keeper()->resume());
    }

    // A finished game is no longer resumed, and it counts in the best results.
    void finishedGameIsRecorded()
    {
        const auto window = play();
        GameSession &s = window->session();
        s.undo();
        s.undo();
        s.press({1, 1}, 1, 0);
        s.release({4, 3}, 1, 0);
        QCOMPARE(s.state(), GameState::Assembled);
        QVERIFY(!QFile::exists(state(QStringLiteral("current.pzz"))));
        QCOMPARE(window->keeper()->bestResults().entries().value(0).moves, 1);
        QVERIFY(!window->keeper()->notice()->text().isEmpty());
        window->keeper()->bestResultsAction()->trigger();
        auto *list = window->findChild<QTableWidget *>();
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->rowCount(), 1);
    }
};

QTEST_MAIN(tst_GameKeeper)
#include "tst_gamekeeper.moc"
