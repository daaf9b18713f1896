// Decoding a very large photo for the new-puzzle dialog's preview: a 200-megapixel JPEG
// and a 60-megapixel PNG, drawn and encoded here, go through the loader as the dialog
// takes them (the size first, then the picture reduced for the board) and, beside that,
// whole or at the largest size the memory limit allows. Prints the time of each step and
// the peak memory of the process during it.

#include "PictureLoader.h"
#include "changeSizeImage.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdio>
#include <functional>

namespace
{

// A picture with detail everywhere, so that it compresses like a photo rather than like
// a flat colour: smooth gradients under a fine texture that changes from row to row.
QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint32 texture = (quint32(x) * 2654435761u ^ quint32(y) * 40503u) >> 27;
            line[x] = qRgb((x * 255 / width + texture) & 0xFF, (y * 255 / height + texture) & 0xFF,
                           ((x + y) / 64 + texture * 3) & 0xFF);
        }
    }
    return image;
}

QByteArray encoded(int width, int height, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.write(photoLike(width, height));
    return bytes;
}

// The highest resident memory since the last reset, in megabytes.
long peakMemoryMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// Lets the next peak be measured from the memory in use now.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void measure(const char *step, const std::function<QSize()> &work)
{
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    const QSize size = work();
    std::printf("  %-34s %8.0f ms  %5ld MB peak  -> %d x %d\n", step, timer.nsecsElapsed() / 1e6,
                peakMemoryMB(), size.width(), size.height());
}

void run(const char *title, const QByteArray &bytes)
{
    std::printf("%s, %.1f MB of file\n", title, bytes.size() / 1e6);
    resetPeak();
    std::printf("  %-34s %8s     %5ld MB before\n", "", "", peakMemoryMB());
    measure("peekSize", [&] { return PictureLoader::peekSize(bytes); });
    measure("loadDataReduced (board, preview)",
            [&] { return changeSizeImage::loadDataReduced(bytes).size(); });
    measure("loadDataScaled 160 x 120 (thumb)",
            [&] { return PictureLoader::loadDataScaled(bytes, QSize(160, 120)).size(); });
    measure("loadData (whole, within limit)", [&] { return PictureLoader::loadData(bytes).size(); });
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::printf("Limit on decoded memory: %d MB\n", PictureLoader::allocationLimitMB);
    QElapsedTimer making;
    making.start();
    const QByteArray jpeg = encoded(16384, 12208, "jpeg", 90);
    const QByteArray png = encoded(9000, 6667, "png", 80);
    std::printf("(drawing and encoding both took %.1f s)\n\n", making.nsecsElapsed() / 1e9);
    run("JPEG 16384 x 12208 (200 MP)", jpeg);
    run("PNG 9000 x 6667 (60 MP)", png);
    return 0;
}
