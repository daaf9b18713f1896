// Times the way from a large photo to the picture a puzzle is cut from: a 6000 x 4000
// JPEG made here in memory is decoded straight to its reduced size, reduced by
// changeSizeImage, and, for comparison, decoded whole and then scaled.

#include "board/TableroClass.h"
#include "changeSizeImage.h"
#include "view/BoardRenderer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

// A busy picture, so the JPEG carries real detail: gradients, thousands of shapes and
// lines, text, and fine noise.
QByteArray detailedPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(30, 80, 160));
    sky.setColorAt(1, QColor(240, 200, 120));
    painter.fillRect(image.rect(), sky);

    std::mt19937 random(6000);
    std::uniform_int_distribution<int> x(0, width);
    std::uniform_int_distribution<int> y(0, height);
    std::uniform_int_distribution<int> channel(0, 255);
    std::uniform_int_distribution<int> extent(8, 260);
    for (int i = 0; i < 6000; ++i) {
        painter.setPen(QPen(QColor(channel(random), channel(random), channel(random)), 1 + i % 5));
        painter.setBrush(QColor(channel(random), channel(random), channel(random), 180));
        const QRect box(x(random), y(random), extent(random), extent(random));
        if (i % 3 == 0)
            painter.drawEllipse(box);
        else if (i % 3 == 1)
            painter.drawRect(box);
        else
            painter.drawLine(box.topLeft(), box.bottomRight());
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(48);
    painter.setFont(font);
    for (int row = 0; row < height; row += 120) {
        painter.setPen(QColor(channel(random), channel(random), channel(random)));
        painter.drawText(QPoint(20 + row % 300, row + 60),
                         QStringLiteral("Tesselon %1 — puzle de prueba").arg(row));
    }
    painter.end();
    for (int row = 0; row < height; ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(row));
        for (int column = 0; column < width; ++column) {
            const int noise = int(random() % 17) - 8;
            const QRgb p = line[column];
            line[column] = qRgb(std::clamp(qRed(p) + noise, 0, 255), std::clamp(qGreen(p) + noise, 0, 255),
                                std::clamp(qBlue(p) + noise, 0, 255));
        }
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg", 90);
    return bytes;
}

// Runs the step several times and prints the fastest and the median run.
void measure(const char *name, int runs, const std::function<QImage()> &step)
{
    std::vector<double> milliseconds;
    QSize size;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const QImage image = step();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        size = image.size();
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-52s %5d x %-5d  best %8.1f ms  median %8.1f ms\n", name, size.width(), size.height(),
                milliseconds.front(), milliseconds[milliseconds.size() / 2]);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int runs = 7;

    const auto madeAt = Clock::now();
    const QByteArray photo = detailedPhoto(6000, 4000);
    std::printf("6000 x 4000 JPEG made in memory: %.1f MB in %.0f ms\n", photo.size() / 1048576.0,
                std::chrono::duration<double, std::milli>(Clock::now() - madeAt).count());
    const QSize target = changeSizeImage::targetSize(QSize(6000, 4000));

    measure("(a) bare decode to the reduced size (setScaledSize)", runs, [&] {
        QBuffer buffer;
        buffer.setData(photo);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        reader.setScaledSize(target);
        return reader.read();
    });
    measure("(b) changeSizeImage::loadDataReduced", runs,
            [&] { return changeSizeImage::loadDataReduced(photo); });
    // What building a puzzle costs end to end: the reduced decode, a 30 x 30 shuffle and
    // every place drawn with its grid on a board that fits a 1200 x 800 viewport.
    TableroClass tablero;
    BoardRenderer renderer;
    renderer.setTablero(&tablero);
    measure("(b') decode + 30 x 30 shuffle + full board drawn", runs, [&] {
        const QImage picture = changeSizeImage::loadDataReduced(photo);
        tablero.Inicializar(30, 30, 30, 30, QStringLiteral("jpg"), true, false);
        renderer.setSource(picture);
        const float zoom = qMin(1200.0f / picture.width(), 800.0f / picture.height());
        renderer.setBoardSize(QSizeF(picture.width() * zoom, picture.height() * zoom));
        renderer.PaintTablero(1);
        return renderer.image();
    });
    measure("(c) full decode, then smooth scale", runs, [&] {
        return QImage::fromData(photo, "jpeg")
            .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });

    return 0;
}
