// Board painting figures: a full repaint of a 30 x 30 board at the fit size and at the
// largest zoom the toolbar allows, one place redrawn on its own, and the whole picture
// stretched over the board.

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "view/BoardRenderer.h"

#include <QImage>

#include <chrono>
#include <cstdio>
#include <random>

namespace
{

using Clock = std::chrono::steady_clock;

QImage noisePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::mt19937 rng(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | (rng() & 0x00FFFFFFu);
    }
    return picture;
}

template <typename F> double microsecondsPer(int runs, F &&work)
{
    work();
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i)
        work();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / runs;
}

void measure(const char *label, BoardRenderer &renderer, const QSizeF &board, qreal ratio)
{
    renderer.setDevicePixelRatio(ratio);
    renderer.setBoardSize(board);
    renderer.PaintTablero(1);

    const double full = microsecondsPer(40, [&] { renderer.PaintTablero(1); });
    int n = 0;
    const double single = microsecondsPer(2000, [&] {
        const qint16 x = qint16(n % 30 + 1);
        const qint16 y = qint16(n / 30 % 30 + 1);
        renderer.PaintCasilla(x, y, n % 2 ? RasterOp::InvertedCopy : RasterOp::Copy);
        ++n;
    });
    const double assembled = microsecondsPer(40, [&] { renderer.paintAssembled(); });
    std::printf("%-28s %5dx%-5d  full %8.1f us  one place %6.1f us  ratio %6.1f  assembled %8.1f us\n", label,
                renderer.image().width(), renderer.image().height(), full, single, full / single, assembled);
}

} // namespace

int main()
{
    TableroClass board;
    board.setSeed(12345);
    board.Inicializar(30, 30, 30, 30, QStringLiteral("jpg"), true, false);

    // A picture at the size the reduction leaves, fitted to a viewport of about 1000 x 750.
    BoardRenderer renderer;
    renderer.setTablero(&board);
    renderer.setSource(noisePicture(1000, 750));

    measure("fit", renderer, QSizeF(1000, 750), 1.0);
    measure("fit, pixel ratio 2", renderer, QSizeF(1000, 750), 2.0);
    // A side of 33000 units of 1/1440 inch is 2200 pixels at 96 dpi.
    measure("largest zoom", renderer, QSizeF(2200, 1650), 1.0);
    measure("largest zoom, pixel ratio 2", renderer, QSizeF(2200, 1650), 2.0);
    return 0;
}
