#include "game/AutosaveWriter.h"
#include "game/BestResults.h"
#include "game/KeyboardPlay.h"
#include "game/PlayClock.h"
#include "game/SideData.h"
#include "io/UnixSignalWatcher.h"
#include "picture/PictureSamples.h"
#include "settings/ExtraSettings.h"
#include "settings/ModuloIdioma.h"
#include "view/WindowTitle.h"

#include <QtTest>

#include <csignal>

namespace
{
// A 2 × 2 game whose top row lies swapped.
PzzFile smallGame(const QByteArray &picture = QByteArray("picture bytes"))
{
    PzzFile p;
    TableroClass board;
    board.Inicializar(2, 2, 2, 2, QStringLiteral("jpg   "), false, false);
    board.IntercambiarFichas(1, 1, 2, 1);
    board.getBoard(p.homeColumns, p.homeRows, p.columns, p.rows, p.fichasX, p.fichasY);
    p.extension = PzzFile::extensionField(QStringLiteral("jpg"));
    p.picture = picture;
    return p;
}

BestResult result(qint32 moves, qint64 timeMs, qint16 columns = 4)
{
    const QDateTime when(QDate(2026, 12, 6), QTime(20, 0), Qt::UTC);
    return BestResult{
        BestResults::pictureKey("picture bytes"), "paisaje.jpg", columns, 4, false, moves, timeMs, when};
}
} // namespace

using namespace PictureSamples;

class tst_GameKeeping : public QObject
{
    Q_OBJECT

private slots:
    void clockCountsOnlyWhileRunning()
    {
        qint64 now = 1000;
        PlayClock clock([&] { return now; });
        clock.reset(5000);
        now += 700; // paused: not counted
        clock.start();
        now += 2000;
        QCOMPARE(clock.elapsedMs(), qint64(7000));
        clock.pause();
        now += 9999;
        clock.start();
        clock.start(); // a second start must not restart the span
        now += 500;
        QCOMPARE(clock.elapsedMs(), qint64(7500));
    }

    void clockFormat_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("under a second") << qint64(999) << "0:00";
        QTest::newRow("minutes") << qint64(61000) << "1:01";
        QTest::newRow("last before an hour") << qint64(3599999) << "59:59";
        QTest::newRow("an hour") << qint64(3600000) << "1:00:00";
        QTest::newRow("hours") << qint64(((25 * 60 + 7) * 60 + 9) * 1000) << "25:07:09";
    }
    void clockFormat()
    {
        QFETCH(qint64, ms);
        QTEST(PlayClock::format(ms), "text");
    }

    // Side data comes back exactly as written, whatever its texts hold; damaged side data not
    // at all.
    void sideData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        SideData s;
        s.pzzSha256 = SideData::hashOf("x");
        s.moves = 41;
        s.timeMs = 123456;
        s.origin = QStringLiteral("/home/ana/Fotos/año \"nuevo\".jpg");
        s.name = QStringLiteral("año \"nuevo\".jpg");
        s.zoom = 1.21;
        s.history = QJsonArray{QJsonArray{1, 2, 3}, QJsonArray{4}};
        s.historyPosition = 1;
        const QByteArray g = s.toBytes();
        QTest::newRow("intact") << g;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n garbage");
        QTest::newRow("truncated") << g.left(g.size() / 2);
        QTest::newRow("newer version") << QByteArray(g).replace("\"version\":1", "\"version\":2");
        QTest::newRow("position beyond history") << QByteArray(g).replace("\"position\":1", "\"position\":3");
        QTest::newRow("negative moves") << QByteArray(g).replace("\"moves\":41", "\"moves\":-4");
        QTest::newRow("short hash") << QByteArray(g).replace(s.pzzSha256, "abc");
    }
    void sideData()
    {
        QFETCH(QByteArray, bytes);
        const std::optional<SideData> back = SideData::fromBytes(bytes);
        QCOMPARE(bool(back), QTest::currentDataTag() == QLatin1String("intact"));
        QVERIFY(!back || (back->origin == QStringLiteral("/home/ana/Fotos/año \"nuevo\".jpg") &&
                          back->history.size() == 2 && back->toBytes() == bytes));
    }

    void bestResultsCompareAndKeep()
    {
        QTemporaryDir dir;
        BestResults results(dir.path());
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);

        BestResults::Comparison c = results.record(result(30, 90000), picture);
        QVERIFY(c.first);
        QCOMPARE(BestResults::comparisonText(ModuloIdioma::English, c, 30, 90000),
                 QStringLiteral("Your first result for this puzzle: 30 movements in 1:30."));
        QVERIFY(QImage(results.thumbnailPath(result(0, 0).picture)).width() > 0);

        // Equal moves and more time do not beat it; fewer moves do.
        c = results.record(result(30, 95000), picture);
        QVERIFY(!c.first && !c.improved);
        QCOMPARE(BestResults::comparisonText(ModuloIdioma::Spanish, c, 30, 95000),
                 QStringLiteral("30 movimientos en 1:35. El mejor resultado es 30 movimientos en 1:30."));
        c = results.record(result(25, 200000), picture);
        QVERIFY(c.improved);
        QCOMPARE(
            BestResults::comparisonText(ModuloIdioma::Galician, c, 25, 200000),
            QStringLiteral("New best result: 25 movements in 3:20 (the best was 30 movements in 1:30)."));
        // Another grid of the same picture is another puzzle.
        QVERIFY(results.record(result(99, 1, 5), picture).first);

        BestResults again(dir.path());
        QCOMPARE(again.load(), BestResults::Load::Loaded);
        QCOMPARE(again.entries().size(), 2);
        QCOMPARE(again.entries().at(0).moves, 25);
        QCOMPARE(again.entries().at(0).games, 3);

        // The thumbnail goes with the last entry that uses it.
        QVERIFY(again.remove(0));
        QVERIFY(QFile::exists(again.thumbnailPath(result(0, 0).picture)));
        QVERIFY(again.remove(0));
        QVERIFY(!QFile::exists(again.thumbnailPath(result(0, 0).picture)));
        QVERIFY(!again.remove(0));
    }

    void damagedResultsAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xff garbage", 10);
        QTest::newRow("truncated") << QByteArray("{\"version\":1,\"results\":[{\"picture\":");
        QTest::newRow("newer version") << QByteArray("{\"version\":2,\"results\":[]}");
        QTest::newRow("impossible grid")
            << QByteArray("{\"version\":1,\"results\":[{\"picture\":\"" + QByteArray(64, 'a') +
                          "\",\"columns\":31,\"rows\":4,\"moves\":1,\"timeMs\":1,"
                          "\"when\":\"2026-01-01T00:00:00Z\",\"games\":1}]}");
    }
    void damagedResultsAreSetAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        BestResults results(dir.path());
        QVERIFY(writeBytes(results.filePath(), bytes));
        QCOMPARE(results.load(), BestResults::Load::SetAside);
        QVERIFY(results.entries().isEmpty());
        QVERIFY(!QFile::exists(results.filePath()));
        QCOMPARE(fileBytes(results.filePath() + QStringLiteral(".damaged")), bytes);
        // A second damaged file does not overwrite the first one set aside.
        QVERIFY(writeBytes(results.filePath(), "x"));
        results.load();
        QCOMPARE(fileBytes(results.filePath() + QStringLiteral(".damaged.2")), QByteArray("x"));
    }

    void autosaveWritesAndResumes()
    {
        QTemporaryDir dir;
        AutosaveWriter writer(dir.path());
        QVERIFY(writer.acquire());
        AutosaveWriter other(dir.path());
        QVERIFY2(!other.acquire(), "a second copy of the program must not share the saved game");

        AutosaveWriter::Game game{smallGame(), SideData()};
        game.side.moves = 7;
        game.side.history = QJsonArray{QJsonArray{1, 1, 2, 1}};
        game.side.historyPosition = 1;
        writer.schedule(game);
        game.side.moves = 8; // coalesced: the latest state wins
        writer.schedule(game);
        // Without a flush the last state still reaches the disk once the interval is over.
        std::optional<AutosaveWriter::Saved> saved;
        QTRY_VERIFY_WITH_TIMEOUT(
            (saved = AutosaveWriter::readSaved(dir.path())) && saved->side && saved->side->moves == 8, 5000);
        QCOMPARE(saved->pzz.toBytes(), smallGame().toBytes());
        QCOMPARE(saved->side->history, game.side.history);

        writer.discard();
        QVERIFY(!AutosaveWriter::readSaved(dir.path()));
    }

    void damagedSavedGames()
    {
        QTemporaryDir dir;
        const QString pzz = dir.filePath(QStringLiteral("current.pzz"));
        const QString side = dir.filePath(QStringLiteral("current.json"));
        QVERIFY(AutosaveWriter::write(dir.path(), {smallGame(), SideData()}).isEmpty());
        const QByteArray good = fileBytes(pzz);

        // Side data of other bytes is ignored, never applied to this board.
        QVERIFY(writeBytes(pzz, smallGame("other picture").toBytes()));
        std::optional<AutosaveWriter::Saved> saved = AutosaveWriter::readSaved(dir.path());
        QVERIFY(saved && !saved->side);
        QVERIFY(QFile::exists(side));

        // Damaged side data is set aside; the board still resumes.
        QVERIFY(writeBytes(pzz, good));
        QVERIFY(writeBytes(side, "{\"version\":1"));
        saved = AutosaveWriter::readSaved(dir.path());
        QVERIFY(saved && !saved->side);
        QVERIFY(QFile::exists(side + QStringLiteral(".damaged")));

        // An empty, foreign or truncated game is set aside whole and nothing resumes.
        for (const QByteArray &bytes :
             {QByteArray(), QByteArray("not a puzzle file"), good.left(good.size() - 33)}) {
            QVERIFY(writeBytes(pzz, bytes));
            QVERIFY(!AutosaveWriter::readSaved(dir.path()));
            QVERIFY(!QFile::exists(pzz));
            QCOMPARE(fileBytes(pzz + QStringLiteral(".damaged")), bytes);
            QFile::remove(pzz + QStringLiteral(".damaged"));
        }
    }

    void unwritableFolderIsReportedOnce()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("state"));
        AutosaveWriter writer(folder);
        QVERIFY(writer.acquire());
        // A file where the folder was: no write can succeed, whoever runs the test.
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(writeBytes(folder, "in the way"));
        QSignalSpy failed(&writer, &AutosaveWriter::failed);
        for (int i = 0; i < 3; ++i) {
            writer.schedule({smallGame(), SideData()});
            writer.flush();
        }
        QCOMPARE(failed.size(), 1);
        QCOMPARE(fileBytes(folder), QByteArray("in the way"));
    }

    // Keys as the presses and releases a mouse would make: "P1@2,1" is a left press at
    // column 2, row 1, "R2@..." a right release, "C" clearing the marks.
    void keyMap_data()
    {
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QPoint>("cursor");
        const auto row = [](const char *name, bool sliding, const char *keys, const char *inputs,
                            QPoint cursor) {
            QTest::newRow(name) << sliding << QString(keys) << QString(inputs) << cursor;
        };
        row("carry a piece", false, "S>>vS", "P1@1,1 R1@3,2", QPoint(3, 2));
        row("cursor stays on the board", false, "<^^>>>>>", "", QPoint(4, 1));
        row("mark, unmark, move the group", false, "M>MS>S", "P2@1,1 R2@1,1 P2@2,1 R2@2,1 P1@2,1 R1@3,1",
            QPoint(3, 1));
        row("no marking while carrying", false, "SMS", "P1@1,1 R1@1,1", QPoint(1, 1));
        row("escape drops nothing", false, "S>XS", "P1@1,1 C P1@2,1", QPoint(2, 1));
        // The empty place is at (2, 2) of the 4 x 3 board.
        row("slide each way", true, "<>^v", "P1@3,2 P1@1,2 P1@2,3 P1@2,1", QPoint(2, 1));
        row("no marks when sliding", true, "MX", "", QPoint(1, 1));
    }
    void keyMap()
    {
        QFETCH(bool, sliding);
        QFETCH(QString, keys);
        QFETCH(QPoint, cursor);
        using Key = KeyboardPlay::Key;
        const QHash<QChar, Key> keyOf{{'<', Key::Left},  {'>', Key::Right},  {'^', Key::Up},
                                      {'v', Key::Down},  {'S', Key::Select}, {'M', Key::Mark},
                                      {'X', Key::Cancel}};
        KeyboardPlay play;
        play.reset(4, 3);
        QStringList seen;
        for (const QChar k : keys) {
            for (const KeyboardPlay::Input &in : play.key(keyOf.value(k), sliding, QPoint(2, 2))) {
                const char kind = in.kind == KeyboardPlay::Input::Kind::Press ? 'P' : 'R';
                seen << (in.kind == KeyboardPlay::Input::Kind::ClearMarks
                             ? QStringLiteral("C")
                             : QString::asprintf("%c%d@%d,%d", kind, in.button, in.place.x(), in.place.y()));
            }
        }
        QTEST(seen.join(' '), "inputs");
        QCOMPARE(play.cursor(), cursor);
    }

    void windowTitle()
    {
        QCOMPARE(WindowTitle::text(ModuloIdioma::English, QString(), 0, 0, false),
                 QStringLiteral("Tesselon"));
        QCOMPARE(WindowTitle::text(ModuloIdioma::English, "paisaje.jpg", 12, 16, false),
                 QStringLiteral("paisaje.jpg - 12 of 16 in place - Tesselon"));
        QCOMPARE(WindowTitle::text(ModuloIdioma::Spanish, "mi juego.pzz", 16, 16, true),
                 QStringLiteral("mi juego.pzz - montado - Tesselon"));
        QCOMPARE(WindowTitle::text(ModuloIdioma::Galician, "a.gif", 3, 4, false),
                 QStringLiteral("a.gif - 3 of 4 in place - Tesselon"));
    }

    void extraSettingsKeepTheirOwnFile()
    {
        QTemporaryDir dir;
        QVERIFY(ExtraSettings(dir.path()).animations());
        ExtraSettings(dir.path()).setAnimations(false);
        QVERIFY(!ExtraSettings(dir.path()).animations());
        QVERIFY(!QFile::exists(dir.filePath("configfile.txt")));
        // A value that is not a boolean keeps the default.
        QVERIFY(writeBytes(dir.filePath("settings.ini"), "[play]\nanimations=perhaps\n"));
        QVERIFY(ExtraSettings(dir.path()).animations());
    }

    void terminationSignalsReachTheEventLoop()
    {
        UnixSignalWatcher watcher;
        QSignalSpy spy(&watcher, &UnixSignalWatcher::terminationRequested);
        ::raise(SIGHUP);
        ::raise(SIGTERM);
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).toInt(), SIGHUP);
        QCOMPARE(spy.at(1).at(0).toInt(), SIGTERM);
    }
};

QTEST_GUILESS_MAIN(tst_GameKeeping)
#include "tst_gamekeeping.moc"
