// Prints what undo costs on a 30 × 30 board at the largest zoom: from the Undo command (what
// Ctrl+Z triggers) to the repainted places of the board image, for a group move of all 900 pieces; and how
// long 10,000 moves take to undo one by one.
#include "LargestBoard.h"
#include "app/BoardWidget.h"
#include "game/GameSession.h"
#include "view/BoardRenderer.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Every piece one place to the right, the last of each row back to the first.
GameMove rowsTurned(qint16 n)
{
    GameMove move;
    move.kind = MoveKind::Group;
    for (qint16 r = 1; r <= n; ++r) {
        for (qint16 c = n; c > 1; --c)
            move.exchanges.append({{c, r}, {qint16(c - 1), r}});
    }
    return move;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const qint16 n = 30;
    QImage picture(900, 675, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    LargestBoard board(picture, n);
    GameSession &session = board.session;
    BoardRenderer &renderer = board.renderer;
    QMainWindow window;
    auto *widget = new BoardWidget(&window);
    widget->setBoardImage(&renderer.image());
    window.setCentralWidget(widget);
    window.resize(2200, 1650);
    BatchPainter painter(renderer, *widget);
    session.setPlaceListener(&painter);

    // The Undo command as the window holds it.
    QAction undo(&window);
    undo.setShortcut(QKeySequence::Undo);
    window.addAction(&undo);
    QObject::connect(&undo, &QAction::triggered, &session, &GameSession::undo);
    window.show();

    std::vector<double> times;
    for (int i = 0; i < 30; ++i) {
        session.execute(rowsTurned(n));
        const auto start = Clock::now();
        undo.trigger();
        times.push_back(msSince(start));
    }
    std::printf("undo of a group move of %d pieces (%d exchanges), 2200 x 1650 board: median %.3f ms, "
                "worst %.3f ms (target under 2 ms)\n",
                n * n, int(rowsTurned(n).exchanges.size()), median(times),
                *std::max_element(times.begin(), times.end()));

    std::mt19937 random(11);
    std::uniform_int_distribution<int> place(1, n);
    const auto any = [&] { return GamePlace{qint16(place(random)), qint16(place(random))}; };
    for (int i = 0; i < 10000; ++i) {
        GameMove swap;
        swap.kind = MoveKind::Swap;
        swap.exchanges.append({any(), any()});
        session.execute(swap);
    }
    const auto start = Clock::now();
    int undone = 0;
    while (session.undo())
        ++undone;
    std::printf("%d moves undone one by one: %.1f ms in all, %.4f ms each; movements back to %d\n", undone,
                msSince(start), msSince(start) / std::max(1, undone), session.moves());
    return 0;
}
