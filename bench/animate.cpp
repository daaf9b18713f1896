// The cost of one animation frame on a 30 x 30 board at the largest zoom: a swap of two
// pieces, and a group move in which all 900 pieces glide. A 60 Hz frame lasts 16.7 ms.

#include "board/TableroClass.h"
#include "view/BoardRenderer.h"
#include "view/PieceGlide.h"

#include <QElapsedTimer>
#include <QPainter>

#include <cstdio>

namespace
{
double frameMs(const PieceGlide &glide, const QImage &board, QImage &screen, const QRect &visible)
{
    constexpr int Frames = 30;
    QElapsedTimer timer;
    timer.start();
    // As the board surface does: only what changed since the last frame, each part of it
    // painted by the frame alone.
    for (int i = 1; i <= Frames; ++i) {
        const QRegion changed = glide.changed(qreal(i - 1) / Frames, qreal(i) / Frames) & visible;
        QPainter painter(&screen);
        painter.setClipRegion(changed);
        for (const QRect &rect : changed)
            glide.paintFrame(painter, board, qreal(i) / Frames, rect);
    }
    return timer.nsecsElapsed() / 1e6 / Frames;
}
} // namespace

int main()
{
    TableroClass board;
    board.setSeed(3);
    board.Inicializar(30, 30, 30, 30, QStringLiteral("jpg"), true, false);
    QImage picture(1000, 750, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (const qreal ratio : {1.0, 2.0}) {
        BoardRenderer renderer;
        renderer.setTablero(&board);
        renderer.setSource(picture);
        renderer.setDevicePixelRatio(ratio);
        // A side of 33000 units of 1/1440 inch is 2200 pixels at 96 dpi.
        renderer.setBoardSize(QSizeF(2200, 1650));
        renderer.PaintTablero(1);
        QImage boardImage = renderer.image();
        boardImage.setDevicePixelRatio(1);
        QImage screen(boardImage.size(), QImage::Format_RGB32);
        const auto placeRect = [&](QPoint p) {
            return renderer.placeDeviceRect(qint16(p.x()), qint16(p.y()));
        };

        PieceGlide swap;
        swap.plan({{{3, 4}, {27, 25}}}, placeRect);
        // Every piece one place to the right, the last of each row back to the first.
        QVector<std::pair<QPoint, QPoint>> shift;
        for (int r = 1; r <= 30; ++r)
            for (int c = 30; c > 1; --c)
                shift.append({{c, r}, {c - 1, r}});
        PieceGlide group;
        group.plan(shift, placeRect);
        // What the screen shows of the board is all that is painted: the whole board, and
        // the part a maximised window on a 1920 x 1080 screen has room for.
        const QRect whole = boardImage.rect();
        const QRect window = whole & QRect(0, 0, int(1880 * ratio), int(950 * ratio));
        std::printf("ratio %.0f  %dx%d  swap frame %7.3f ms   %d pieces frame %7.3f ms, %7.3f ms in a "
                    "1920x1080 window\n",
                    ratio, boardImage.width(), boardImage.height(), frameMs(swap, boardImage, screen, whole),
                    int(group.pieces().size()), frameMs(group, boardImage, screen, whole),
                    frameMs(group, boardImage, screen, window));
    }
    return 0;
}
