#include "WindowTestKit.h"

#include "app/BoardView.h"
#include "app/GameKeeper.h"
#include "app/StatusPanels.h"
#include "app/tess2mainform.h"
#include "puzzlefile/PzzFile.h"
#include "settings/StateFolders.h"

#include <QtTest>
#include <QtWidgets>

using namespace WindowTestKit;

namespace
{

// Every place's home, so two boards compare as text.
QString dump(const TableroClass &t)
{
    QStringList out;
    for (qint16 c = 1, hx = 0, hy = 0; c <= t.getCasillasX(); ++c) {
        for (qint16 r = 1; r <= t.getCasillasY(); ++r) {
            t.getCasilla(c, r, hx, hy);
            out << QStringLiteral("%1,%2").arg(hx).arg(hy);
        }
    }
    return out.join(QLatin1Char(' '));
}

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
        GameSetup setup;
        setup.archivo = path;
        setup.archivoSinPath = QStringLiteral("flor.png");
        setup.extension = QStringLiteral("png   ");
        setup.columns = 4;
        setup.rows = 3;
        setup.picture = picture;
        TableroClass board;
        board.Inicializar(4, 3, 4, 3, setup.extension, false, false);
        board.IntercambiarFichas(1, 1, 4, 3);
        board.setNumeroDeMovimientos(0);
        setup.board = board;
        window->Nuevopuzzle(setup);
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

    // The game closed in play comes back with its board, counter, history, name and zoom.
    void gameComesBackAfterClose()
    {
        QString board;
        qint32 moves = 0;
        float zoom = 0;
        {
            const auto window = play();
            window->boardView()->zoomIn();
            zoom = window->boardView()->getZoom();
            board = dump(window->session().board());
            moves = window->session().moves();
            QVERIFY(window->keeper()->timePanel()->text().contains(QLatin1Char(':')));
        }
        QVERIFY(QFile::exists(state(QStringLiteral("current.pzz"))));
        const auto again = startWindow();
        QVERIFY(again->keeper()->resume());
        GameSession &s = again->session();
        QCOMPARE(dump(s.board()), board);
        QCOMPARE(s.moves(), moves);
        QCOMPARE(again->statusPanels()->panel(6)->text(), QStringLiteral("%1 movements").arg(moves));
        QCOMPARE(s.archivoSinPath(), QStringLiteral("flor.png"));
        QCOMPARE(again->boardView()->getZoom(), zoom);
        QVERIFY(s.redo());
        QVERIFY(s.undo() && s.undo() && s.undo());
        QVERIFY(!s.canUndo());
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
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString kept = GameKeeper::keptPath(bytes);
        QVERIFY(QFile::exists(kept));
        if (!side.isEmpty()) {
            QFile damaged(kept);
            QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
            damaged.write(side);
        }
        const auto window = startWindow(saved);
        TableroClass board;
        PzzFile pzz;
        QCOMPARE(PzzFile::read(bytes, pzz), PzzFile::Check::Ok);
        board.setBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY,
                       pzz.extensionText());
        GameSetup setup;
        setup.archivo = saved;
        setup.archivoSinPath = QStringLiteral("guardado.pzz");
        setup.extension = pzz.extensionText();
        setup.picture = QImage(120, 90, QImage::Format_RGB32);
        setup.board = board;
        window->Nuevopuzzle(setup);
        QTEST(window->session().moves(), "moves");
        QCOMPARE(window->session().canUndo(), side.isEmpty());
        QCOMPARE(QFile::exists(kept + QStringLiteral(".damaged")), !side.isEmpty());
    }

    void damagedGameIsSetAside_data()
    {
        QTest::addColumn<int>("keep"); // bytes of the saved game kept, from its start
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("empty") << 0 << QByteArray();
        QTest::newRow("garbage") << 0 << QByteArray("not a puzzle file at all, just words");
        QTest::newRow("truncated") << 40 << QByteArray();
        // The layout passes, the picture does not: the full reading still refuses it.
        QTest::newRow("picture is no picture") << 30 + 4 * 12 << QByteArray(64, 'x');
    }

    // Nothing is deleted and nothing wrong is resumed: the window starts without a game.
    void damagedGameIsSetAside()
    {
        QFETCH(int, keep);
        QFETCH(QByteArray, tail);
        play().reset();
        QFile file(state(QStringLiteral("current.pzz")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll().left(keep) + tail;
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const auto window = startWindow();
        QVERIFY(!window->keeper()->resume());
        QCOMPARE(window->session().state(), GameState::NoPicture);
        QVERIFY(!file.exists());
        QFile damaged(state(QStringLiteral("current.pzz.damaged")));
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        QCOMPARE(damaged.readAll(), bytes);
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
        QCOMPARE(window->keeper()->bestResults().entries().size(), 1);
        QCOMPARE(window->keeper()->bestResults().entries().at(0).moves, 1);
        QVERIFY(!window->keeper()->notice()->text().isEmpty());
        window->keeper()->bestResultsAction()->trigger();
        auto *list = window->findChild<QTableWidget *>();
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->rowCount(), 1);
    }
};

QTEST_MAIN(tst_GameKeeper)
#include "tst_gamekeeper.moc"
