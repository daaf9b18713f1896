// The automatic save of a game whose picture is 20 MB: how long a move's save blocks the
// window's thread (taking the snapshot and handing it over), and how long the write itself
// takes on its own thread. Prints the medians and the worst case.

#include "game/AutosaveWriter.h"
#include "game/GameSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
PzzFile largeGame(qint16 side)
{
    PzzFile p;
    p.columns = p.rows = p.fichasX = p.fichasY = side;
    p.extension = PzzFile::extensionField(QStringLiteral("jpg"));
    p.homeColumns = p.homeRows = TableroClass::Table(side + 1, QVector<qint16>(side + 1, 0));
    for (qint16 c = 1; c <= side; ++c)
        for (qint16 r = 1; r <= side; ++r) {
            p.homeColumns[c][r] = c;
            p.homeRows[c][r] = r;
        }
    p.picture.resize(20 * 1000 * 1000);
    QRandomGenerator gen(7);
    gen.fillRange(reinterpret_cast<quint32 *>(p.picture.data()), p.picture.size() / 4);
    return p;
}

void report(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %8.3f ms   worst %8.3f ms\n", what, ms[ms.size() / 2], ms.back());
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    AutosaveWriter writer(dir.path());
    if (!writer.acquire()) {
        std::fprintf(stderr, "cannot lock %s\n", qPrintable(dir.path()));
        return 1;
    }
    const PzzFile game = largeGame(30);
    std::vector<double> blocked;
    std::vector<double> written;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        AutosaveWriter::Game snapshot{game, SideData(), {}};
        snapshot.side.moves = i;
        writer.schedule(std::move(snapshot));
        blocked.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        writer.flush();
        written.push_back(timer.nsecsElapsed() / 1e6);
    }
    report("move to autosave handed over (window thread)", blocked);

    // What the window's thread adds before the hand-over: the board and the history of a
    // long game, as the kept game holds them.
    GameSession session;
    GameSetup setup;
    setup.extension = QStringLiteral("jpg   ");
    setup.columns = setup.rows = 30;
    setup.picture = QImage(300, 300, QImage::Format_RGB32);
    session.start(setup);
    for (qint16 i = 0; i < 1000; ++i) {
        const GamePlace a{qint16(1 + i % 30), qint16(1 + i / 30 % 30)};
        session.press(a, 1, 0);
        session.release({qint16(31 - a.column), a.row}, 1, 0);
    }
    std::vector<double> snapshots;
    std::vector<double> histories;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        AutosaveWriter::Game snapshot{game, SideData(), {}};
        session.board().getBoard(snapshot.pzz.homeColumns, snapshot.pzz.homeRows, snapshot.pzz.columns,
                                 snapshot.pzz.rows, snapshot.pzz.fichasX, snapshot.pzz.fichasY);
        snapshot.history = session.historyToJsonLater();
        snapshot.side.historyPosition = session.historyPosition();
        snapshots.push_back(timer.nsecsElapsed() / 1e6);
        // The next move detaches the session's list from the snapshot's.
        session.undo();
        session.redo();
        timer.restart();
        snapshot.side.history = snapshot.history();
        histories.push_back(timer.nsecsElapsed() / 1e6);
    }
    report("30 x 30 board + 1000-move history (window)", snapshots);
    report("that history as JSON (writer thread)", histories);
    report("write of 20 MB game + side data (own thread)", written);
    return 0;
}
