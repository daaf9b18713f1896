#include "board/BoardDump.h"
#include "board/RasterOp.h"
#include "game/GameSession.h"
#include "io/RunTimeError.h"

#include <QtTest>

namespace
{

// A game on an assembled board of the grid, after one exchange of the two places given.
GameSetup setupOf(qint16 columns, qint16 rows, bool sliding, const QString &exchange)
{
    TableroClass board;
    board.Inicializar(columns, rows, columns, rows, QStringLiteral("jpg   "), false, false);
    const QStringList s = exchange.split(QLatin1Char(','));
    if (s.size() == 4)
        board.IntercambiarFichas(s[0].toShort(), s[1].toShort(), s[2].toShort(), s[3].toShort());
    const QImage picture(columns * 10, rows * 10, QImage::Format_RGB32);
    return {QString(), QStringLiteral("flor.jpg"), board.getExtension(), columns, rows, sliding, picture, {},
            board};
}

} // namespace

class TstGameSession : public QObject
{
    Q_OBJECT
private slots:
    void moves_data()
    {
        // Events: d presses and u releases with the button, s for Shift, @column,row (0,0 off
        // the board); U undoes, Y redoes. The trace lists the redrawn places (N normal,
        // I inverted), A when the game becomes assembled, P when it is unsolved again and,
        // after each undo or redo, = and the moves counted since the start.
        QTest::addColumn<bool>("sliding");  // Normal-style boards are 4 × 3, sliding ones 3 × 3
        QTest::addColumn<QString>("start"); // the two places of one exchange made beforehand
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("moves");
        const auto row = [](const char *name, bool sliding, const char *start, const char *events,
                            const char *trace, const char *board, int moves) {
            QTest::newRow(name) << sliding << QString(start) << QString(events) << QString(trace)
                                << QString(board) << moves;
        };
        row("drag exchanges", false, "1,1,2,1", "d1@1,1 u1@3,1", "1,1:I 3,1:N 1,1:N",
            "1,1=3,1 2,1=1,1 3,1=2,1", 1);
        row("unmarked piece limits the group", false, "1,3,2,3",
            "d2@3,1 d2@1,2 d1s@3,1 u1s@3,1 d1@1,2 u1@3,2", "3,1:I 1,2:I 3,1:N 1,2:I 1,2:N 1,2:N",
            "1,3=2,3 2,3=1,3", 1);
        row("group moves up and left", false, "", "d2@4,3 d2@4,3 d2@4,2 d1@3,2 u1@1,1",
            "4,3:I 4,3:N 4,2:I 3,2:I 1,1:N 3,2:N 2,1:N 4,2:N", "1,1=3,2 2,1=4,2 3,2=1,1 4,2=2,1", 2);
        row("group pushed off the board moves in place", false, "1,3,4,3", "d2@2,1 d1@2,2 u1@1,1",
            "2,1:I 2,2:I 2,1:N 2,1:N 2,2:N 2,2:N", "1,3=4,3 4,3=1,3", 2);
        row("release off the board", false, "1,1,2,1", "d1@2,2 u1@0,0", "2,2:I 2,2:N 2,2:N",
            "1,1=2,1 2,1=1,1", 1);
        row("last drag completes", false, "1,1,2,1", "d1@1,1 u1@2,1", "1,1:I 2,1:N 1,1:N A", "", 1);
        // A press off the board decides nothing.
        row("click ends an assembled shuffle", false, "", "d1@0,0 d1@3,2 u1@3,2", "3,2:I 3,2:N 3,2:N A", "",
            1);
        row("slides complete, then nothing moves", true, "", "d1@3,2 u1@3,2 d2@3,3 d1@3,2",
            "3,3:N 3,2:N 3,2:N 3,3:N A", "", 2);
        row("sliding ignores non-neighbours", true, "", "d1@2,2 d1@1,1 d1@3,3", "", "", 0);
        // A group move is one step: undo gives back its count and its places, redo the move;
        // redo past the end does nothing.
        row("undo, redo, redo past the end", false, "", "d2@2,1 d1@3,1 u1@4,1 U Y Y",
            "2,1:I 3,1:I 4,1:N 3,1:N 3,1:N 2,1:N 3,1:N 2,1:N 4,1:N 3,1:N =0 4,1:N 3,1:N 3,1:N 2,1:N =2 =2",
            "2,1=4,1 3,1=2,1 4,1=3,1", 2);
        // Undo forgets the marks, redrawing their places; a right release does nothing.
        row("undo clears marks", false, "", "d1@1,1 u1@2,1 d2@4,3 u2@4,3 U",
            "1,1:I 2,1:N 1,1:N 4,3:I 4,3:N 2,1:N 1,1:N =0", "", 0);
        row("undo of the last move plays on", true, "3,3,3,2", "d1@3,3 U Y",
            "3,2:N 3,3:N A 3,2:N 3,3:N P =0 3,2:N 3,3:N A =1", "", 1);
        // X drops the marks and the piece picked up, as Escape does.
        row("drop forgets the marks", false, "1,1,2,1", "d2@3,2 d1@3,1 X d1@1,1 u1@1,1",
            "3,2:I 3,1:I 3,2:N 3,1:N 1,1:I 1,1:N 1,1:N", "1,1=2,1 2,1=1,1", 1);
        // A new move after an undo drops what could be redone.
        row("new move ends redo", true, "", "d1@3,2 U d1@2,3 Y", "3,3:N 3,2:N 3,3:N 3,2:N =0 3,3:N 2,3:N =1",
            "2,3=3,3 3,3=2,3", 1);
    }

    void moves()
    {
        QFETCH(bool, sliding);
        QFETCH(QString, start);
        QFETCH(QString, events);
        GameSession session;
        session.start(setupOf(sliding ? 3 : 4, 3, sliding, start));
        const qint32 before = session.moves();
        QStringList trace;
        connect(&session, &GameSession::placeChanged, this, [&trace](qint16 c, qint16 r, quint32 op) {
            trace << QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(op == RasterOp::Copy ? 'N' : 'I');
        });
        connect(&session, &GameSession::stateChanged, this,
                [&trace](GameState s) { trace << (s == GameState::Assembled ? "A" : "P"); });
        for (const QString &token : events.split(QLatin1Char(' '))) {
            if (token == QLatin1String("X")) {
                session.dropMarks();
                continue;
            }
            if (token == QLatin1String("U") || token == QLatin1String("Y")) {
                token == QLatin1String("U") ? session.undo() : session.redo();
                trace << QStringLiteral("=%1").arg(session.moves() - before);
                continue;
            }
            const QStringList at = token.section(QLatin1Char('@'), 1).split(QLatin1Char(','));
            const GamePlace place{at[0].toShort(), at[1].toShort()};
            const int button = token.mid(1, 1).toInt();
            const int shift = token.at(2) == QLatin1Char('s') ? 1 : 0;
            token.startsWith(QLatin1Char('d')) ? session.press(place, button, shift)
                                               : session.release(place, button, shift);
        }
        QTEST(trace.join(QLatin1Char(' ')), "trace");
        QTEST(dump(session.board()), "board");
        QTEST(session.moves() - before, "moves");

        // The history kept between runs undoes and redoes on a new session as on this one.
        GameSession kept;
        GameSetup again = setupOf(sliding ? 3 : 4, 3, sliding, QString());
        again.board = session.board();
        kept.start(again);
        QVERIFY(kept.restoreKept(session.moves(), session.historyToJson(), session.historyPosition()));
        QCOMPARE(kept.moves(), session.moves());
        while (session.undo())
            QVERIFY(kept.undo());
        QVERIFY(!kept.canUndo());
        QCOMPARE(dump(kept.board()), dump(session.board()));
        QCOMPARE(kept.moves(), session.moves());
        while (session.redo())
            QVERIFY(kept.redo());
        QVERIFY(!kept.canRedo());
        QCOMPARE(dump(kept.board()), dump(session.board()));
        QCOMPARE(kept.moves(), session.moves());
    }

    void keptHistoryRefused_data()
    {
        QTest::addColumn<QByteArray>("history");
        QTest::addColumn<int>("position");
        const QByteArray swap = R"({"kind":"swap","exchanges":[[[1,1],[2,1]]],"before":4,"after":5})";
        QTest::newRow("position past the end") << "[" + swap + "]" << 2;
        QTest::newRow("negative position") << "[" + swap + "]" << -1;
        QTest::newRow("a mark is no step")
            << QByteArray(R"([{"kind":"mark","exchanges":[[[1,1],[2,1]]]}])") << 0;
        QTest::newRow("place off the board")
            << QByteArray(R"([{"kind":"swap","exchanges":[[[1,1],[5,1]]],"before":0,"after":1}])") << 1;
        QTest::newRow("no exchanges")
            << QByteArray(R"([{"kind":"slide","exchanges":[],"before":0,"after":1}])") << 1;
        QTest::newRow("no counts") << QByteArray(R"([{"kind":"swap","exchanges":[[[1,1],[2,1]]]}])") << 1;
    }

    // A kept history that does not fit the board is dropped whole; the counter stays.
    void keptHistoryRefused()
    {
        QFETCH(QByteArray, history);
        QFETCH(int, position);
        GameSession session;
        session.start(setupOf(4, 3, false, QString()));
        QVERIFY(!session.restoreKept(7, QJsonDocument::fromJson(history).array(), position));
        QCOMPARE(session.moves(), 7);
        QVERIFY(!session.canUndo());
        QVERIFY(!session.canRedo());
    }

    // Saving is offered while unsolved, and once assembled only for a game from a puzzle file.
    void saveOffered_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("archivoSinPath");
        QTest::addColumn<bool>("offered");
        QTest::newRow("no picture") << int(GameState::NoPicture) << "partida.pzz" << false;
        QTest::newRow("playing") << int(GameState::Playing) << "foto.jpg" << true;
        QTest::newRow("assembled game") << int(GameState::Assembled) << "partida.pzz" << true;
        QTest::newRow("assembled, upper case") << int(GameState::Assembled) << "PARTIDA.PZZ" << false;
        QTest::newRow("assembled picture") << int(GameState::Assembled) << "foto.pzz.jpg" << false;
    }

    void saveOffered()
    {
        QFETCH(int, state);
        QFETCH(QString, archivoSinPath);
        QTEST(::saveOffered(GameState(state), archivoSinPath), "offered");
    }

    // A new game replaces the old one whole, or not at all.
    void start()
    {
        GameSession session;
        QImage reducedFrom;
        session.setReducer([&reducedFrom](const QImage &picture) {
            reducedFrom = picture;
            return picture.scaled(900, 450);
        });
        GameSetup setup = setupOf(3, 3, true, QString());
        setup.board.reset();
        setup.picture = QImage(1002, 501, QImage::Format_RGB32);
        session.start(setup);
        QCOMPARE(session.state(), GameState::Playing);
        QCOMPARE(session.board().getCasillasX() * 10 + session.board().getCasillasY(), 33);
        QCOMPARE(session.moves(), 0);
        QCOMPARE(reducedFrom.size(), QSize(1002, 501));
        QCOMPARE(session.boardPicture().size(), QSize(900, 450));
        QCOMPARE(session.sourcePicture().size(), QSize(1002, 501));

        const GameSetup current = session.current();
        QVERIFY(current.board && current.sliding && current.archivoSinPath == "flor.jpg");
        QCOMPARE(dump(*current.board), dump(session.board()));

        setup.picture = QImage();
        QVERIFY_THROWS_EXCEPTION(RunTimeError, session.start(setup));
        QCOMPARE(session.boardPicture().size(), QSize(900, 450));
        // A puzzle file's board brings its grid, whatever the lists said.
        GameSetup fromFile = setupOf(4, 3, false, "1,1,2,1");
        fromFile.columns = 9;
        session.start(fromFile);
        QCOMPARE(session.columns() * 10 + session.rows(), 43);
        QVERIFY(!session.canUndo() && !session.canRedo() && session.moves() == 1);
        QCOMPARE(dump(session.board()), QStringLiteral("1,1=2,1 2,1=1,1"));
    }
};

QTEST_APPLESS_MAIN(TstGameSession)
#include "tst_gamesession.moc"
