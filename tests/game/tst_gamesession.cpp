#include "board/RasterOp.h"
#include "game/GameSession.h"
#include "io/RunTimeError.h"

#include <QtTest>

namespace
{

// Places whose piece is not home: "column,row=homeColumn,homeRow ...".
QString dump(const TableroClass &t)
{
    QStringList out;
    for (qint16 c = 1; c <= t.getCasillasX(); ++c) {
        for (qint16 r = 1, hx = 0, hy = 0; r <= t.getCasillasY(); ++r) {
            t.getCasilla(c, r, hx, hy);
            if (hx != c || hy != r)
                out << QStringLiteral("%1,%2=%3,%4").arg(c).arg(r).arg(hx).arg(hy);
        }
    }
    return out.join(QLatin1Char(' '));
}

// A game on an assembled board of the grid, after one exchange of the two places given.
GameSetup setupOf(qint16 columns, qint16 rows, bool sliding, const QString &exchange)
{
    GameSetup setup;
    setup.archivoSinPath = QStringLiteral("flor.jpg");
    setup.extension = QStringLiteral("jpg   ");
    setup.columns = columns;
    setup.rows = rows;
    setup.sliding = sliding;
    setup.picture = QImage(columns * 10, rows * 10, QImage::Format_RGB32);
    TableroClass board;
    board.Inicializar(columns, rows, columns, rows, setup.extension, false, false);
    const QStringList s = exchange.split(QLatin1Char(','));
    if (s.size() == 4)
        board.IntercambiarFichas(s[0].toShort(), s[1].toShort(), s[2].toShort(), s[3].toShort());
    setup.board = board;
    return setup;
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
        // I inverted), A when the game becomes assembled and P when it is unsolved again.
        QTest::addColumn<bool>("sliding");  // Normal-style boards are 4 × 3, sliding ones 3 × 3
        QTest::addColumn<QString>("start"); // the two places of one exchange made beforehand
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("moves");
        QTest::newRow("plain click counts a move") << false << "1,1,2,1"
                                                   << "d1@2,2 u1@2,2"
                                                   << "2,2:I 2,2:N 2,2:N"
                                                   << "1,1=2,1 2,1=1,1" << 1;
        QTest::newRow("drag exchanges") << false << "1,1,2,1"
                                        << "d1@1,1 u1@3,1"
                                        << "1,1:I 3,1:N 1,1:N"
                                        << "1,1=3,1 2,1=1,1 3,1=2,1" << 1;
        QTest::newRow("unmarked piece limits the group") << false << "1,3,2,3"
                                                         << "d2@3,1 d2@1,2 d1s@3,1 u1s@3,1 d1@1,2 u1@3,2"
                                                         << "3,1:I 1,2:I 3,1:N 1,2:I 1,2:N 1,2:N"
                                                         << "1,3=2,3 2,3=1,3" << 1;
        QTest::newRow("two marked pieces move right") << false << ""
                                                      << "d2@2,1 d1@3,1 u1@4,1"
                                                      << "2,1:I 3,1:I 4,1:N 3,1:N 3,1:N 2,1:N"
                                                      << "2,1=4,1 3,1=2,1 4,1=3,1" << 2;
        QTest::newRow("group moves up and left") << false << ""
                                                 << "d2@4,3 d2@4,3 d2@4,2 d1@3,2 u1@1,1"
                                                 << "4,3:I 4,3:N 4,2:I 3,2:I 1,1:N 3,2:N 2,1:N 4,2:N"
                                                 << "1,1=3,2 2,1=4,2 3,2=1,1 4,2=2,1" << 2;
        QTest::newRow("group pushed off the board moves in place") << false << "1,3,4,3"
                                                                   << "d2@2,1 d1@2,2 u1@1,1"
                                                                   << "2,1:I 2,2:I 2,1:N 2,1:N 2,2:N 2,2:N"
                                                                   << "1,3=4,3 4,3=1,3" << 2;
        QTest::newRow("release off the board") << false << "1,1,2,1"
                                               << "d1@2,2 u1@0,0"
                                               << "2,2:I 2,2:N 2,2:N"
                                               << "1,1=2,1 2,1=1,1" << 1;
        QTest::newRow("last drag completes") << false << "1,1,2,1"
                                             << "d1@1,1 u1@2,1"
                                             << "1,1:I 2,1:N 1,1:N A"
                                             << "" << 1;
        QTest::newRow("click ends an assembled shuffle") << false << ""
                                                         << "d1@3,2 u1@3,2"
                                                         << "3,2:I 3,2:N 3,2:N A"
                                                         << "" << 1;
        QTest::newRow("slides complete, then nothing moves") << true << ""
                                                             << "d1@3,2 u1@3,2 d2@3,3 d1@3,2"
                                                             << "3,3:N 3,2:N 3,2:N 3,3:N A"
                                                             << "" << 2;
        QTest::newRow("sliding ignores non-neighbours") << true << ""
                                                        << "d1@2,2 d1@1,1 d1@3,3"
                                                        << ""
                                                        << "" << 0;
        // A group move is one step; undo gives back the count and redo the move.
        QTest::newRow("group undone and redone")
            << false << ""
            << "d2@2,1 d1@3,1 u1@4,1 U"
            << "2,1:I 3,1:I 4,1:N 3,1:N 3,1:N 2,1:N 3,1:N 2,1:N 4,1:N 3,1:N"
            << "" << 0;
        QTest::newRow("undo, redo, redo past the end")
            << false << ""
            << "d2@2,1 d1@3,1 u1@4,1 U Y Y"
            << "2,1:I 3,1:I 4,1:N 3,1:N 3,1:N 2,1:N 3,1:N 2,1:N 4,1:N 3,1:N 4,1:N 3,1:N 3,1:N 2,1:N"
            << "2,1=4,1 3,1=2,1 4,1=3,1" << 2;
        // Undo forgets the marks, redrawing their places.
        QTest::newRow("undo clears marks") << false << ""
                                           << "d1@1,1 u1@2,1 d2@4,3 U"
                                           << "1,1:I 2,1:N 1,1:N 4,3:I 4,3:N 2,1:N 1,1:N"
                                           << "" << 0;
        QTest::newRow("undo of the last move plays on") << true << "3,3,3,2"
                                                        << "d1@3,3 U Y"
                                                        << "3,2:N 3,3:N A 3,2:N 3,3:N P 3,2:N 3,3:N A"
                                                        << "" << 1;
        // X drops the marks and the piece picked up, as Escape does.
        QTest::newRow("drop forgets the marks") << false << "1,1,2,1"
                                                << "d2@3,2 d1@3,1 X d1@1,1 u1@1,1"
                                                << "3,2:I 3,1:I 3,2:N 3,1:N 1,1:I 1,1:N 1,1:N"
                                                << "1,1=2,1 2,1=1,1" << 1;
        // A new move after an undo drops what could be redone.
        QTest::newRow("new move ends redo") << true << ""
                                            << "d1@3,2 U d1@2,3 Y"
                                            << "3,3:N 3,2:N 3,3:N 3,2:N 3,3:N 2,3:N"
                                            << "2,3=3,3 3,3=2,3" << 1;
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
    }

    void interpret_data()
    {
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("presses"); // right-button presses made first
        QTest::addColumn<QString>("event");   // d or u, button, @column,row
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("exchanges");
        QTest::newRow("left press marks") << false << ""
                                          << "d1@2,2" << int(MoveKind::Mark) << 0;
        QTest::newRow("right press on a mark unmarks") << false << "2,2"
                                                       << "d2@2,2" << int(MoveKind::Unmark) << 0;
        QTest::newRow("right release does nothing") << false << "2,2"
                                                    << "u2@2,2" << int(MoveKind::None) << 0;
        QTest::newRow("one marked piece swaps") << false << "2,2"
                                                << "u1@3,2" << int(MoveKind::Swap) << 1;
        QTest::newRow("two marked pieces are a group") << false << "2,2 3,2"
                                                       << "u1@3,2" << int(MoveKind::Group) << 2;
        QTest::newRow("press off the board") << false << ""
                                             << "d1@0,0" << int(MoveKind::None) << 0;
        QTest::newRow("slide beside the empty place") << true << ""
                                                      << "d1@4,2" << int(MoveKind::Slide) << 1;
        QTest::newRow("sliding release") << true << ""
                                         << "u1@4,3" << int(MoveKind::None) << 0;
    }

    void interpret()
    {
        QFETCH(bool, sliding);
        QFETCH(QString, presses);
        QFETCH(QString, event);
        GameSession session;
        session.start(setupOf(4, 3, sliding, QString()));
        for (const QString &p : presses.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            session.press({p.section(',', 0, 0).toShort(), p.section(',', 1).toShort()}, 2, 0);
        const QStringList at = event.mid(3).split(QLatin1Char(','));
        const GamePlace place{at[0].toShort(), at[1].toShort()};
        const int button = event.mid(1, 1).toInt();
        const GameMove move = event.startsWith(QLatin1Char('d')) ? session.interpretPress(place, button, 0)
                                                                 : session.interpretRelease(place, button, 0);
        QTEST(int(move.kind), "kind");
        QTEST(int(move.exchanges.size()), "exchanges");
        // Deciding changes nothing.
        QVERIFY(dump(session.board()).isEmpty() && session.moves() == 0 && !session.canUndo());
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
