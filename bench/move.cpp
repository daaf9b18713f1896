// Prints what one move costs on a 30 × 30 board at the largest zoom: a press and a
// release delivered to the board surface as mouse events, through the game session, to
// the repainted places of the board image; and, for comparison, a full repaint.
#include "LargestBoard.h"
#include "app/BoardWidget.h"
#include "game/GameSession.h"
#include "view/BoardRenderer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QImage detailedPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    for (int y = 0; y < h; y += 8)
        for (int x = 0; x < w; x += 8)
            p.fillRect(x, y, 8, 8, QColor::fromHsv((x * 7 + y * 3) % 360, 200, 100 + (x ^ y) % 155));
    return image;
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const qint16 n = 30;
    LargestBoard board(detailedPicture(900, 675), n);
    GameSession &session = board.session;
    BoardRenderer &renderer = board.renderer;
    const TableroClass &tablero = session.board();

    BoardWidget widget;
    widget.setBoardImage(&renderer.image());
    widget.resize(2200, 1650);
    widget.setGrid(&tablero, n, n);
    widget.setInputEnabled(true);

    QObject::connect(&widget, &BoardWidget::pressed, &session, &GameSession::press);
    QObject::connect(&widget, &BoardWidget::released, &session, &GameSession::release);
    BatchPainter painter(renderer, widget);
    session.setPlaceListener(&painter);

    std::vector<double> moves;
    std::vector<double> full;
    for (int i = 0; i < 200; ++i) {
        const QPointF from(10 + (i * 37) % 2180, 10 + (i * 53) % 1630);
        const QPointF to(10 + (i * 71) % 2180, 10 + (i * 29) % 1630);
        QMouseEvent press(QEvent::MouseButtonPress, from, from, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        const auto t0 = Clock::now();
        QApplication::sendEvent(&widget, &press);
        QApplication::sendEvent(&widget, &release);
        const auto t1 = Clock::now();
        moves.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        if (i % 10 == 0) {
            const auto f0 = Clock::now();
            renderer.PaintTablero(1);
            const auto f1 = Clock::now();
            full.push_back(std::chrono::duration<double, std::milli>(f1 - f0).count());
        }
    }
    const double move = median(moves);
    const double repaint = median(full);
    std::printf("30x30 board at 2200x1650 px, %d moves (press + release, two places redrawn)\n",
                tablero.getNumeroDeMovimientos());
    std::printf("move, mouse event to updated image: median %.3f ms\n", move);
    std::printf("full repaint:                       median %.3f ms\n", repaint);
    std::printf("full repaint / move:                %.1fx\n", repaint / move);
    return 0;
}
