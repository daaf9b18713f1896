// Decoding a very large photo for the new-puzzle dialog's preview: a 200-megapixel JPEG
// and a 60-megapixel PNG, drawn and encoded here, go through the loader as the dialog
// takes them (the size first, then the picture reduced for the board) and, beside that,
// whole or at the largest size the memory limit allows. Prints the time of each step and
// the peak memory of the process during it. Then each file is clicked in the new-puzzle
// dialog itself: the longest time its event loop stays blocked while the preview is
// decoded (a timer ticks every 5 ms and the widest gap between ticks is taken; the target
// is under 50 ms) and the time until the preview is shown.

#include "PictureLoader.h"
#include "changeSizeImage.h"
#include "dialog/Dialog.h"
#include "settings/ConfigFileHandler.h"
#include "settings/comun.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

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

void spinUntil(const std::function<bool()> &done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Clicks the file in the shown dialog and waits for its preview, ticking meanwhile.
void previewInDialog(const QString &folder, const QString &name)
{
    ConfigFileHandler config(folder);
    config.setDialogDrive(comun::driveOf(folder));
    config.setDialogPath(folder);
    Dialog dialog(DialogHost{[&config]() -> ConfigFileHandler & { return config; }, QString(), {}});
    dialog.show();
    auto *list = dialog.findChild<QListView *>(QStringLiteral("File1"));
    QPersistentModelIndex row;
    spinUntil([&] {
        for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r) {
            const QModelIndex index = list->model()->index(r, 0, list->rootIndex());
            if (index.data().toString() == name)
                row = QPersistentModelIndex(index);
        }
        return row.isValid();
    });
    if (!row.isValid()) {
        std::printf("  %s did not appear in the file list\n", qPrintable(name));
        return;
    }

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    // The same ticking for a second with nothing to do: what the machine's load alone costs.
    sinceTick.start();
    ticker.start();
    QElapsedTimer idle;
    idle.start();
    spinUntil([&] { return idle.elapsed() >= 1000; });
    std::printf("  %-34s %8lld ms\n", "longest gap when idle", qint64(longestGap));
    longestGap = 0;
    QElapsedTimer shown;
    shown.start();
    sinceTick.restart();
    emit list->clicked(row);
    const qint64 click = sinceTick.elapsed();
    longestGap = std::max(longestGap, click);
    spinUntil([&] { return !dialog.picture().isNull(); });
    const qint64 toPreview = shown.elapsed();
    ticker.stop();
    std::printf("  %-34s %8lld ms blocked at most (target < 50); the click itself %lld ms\n",
                "event loop while decoding", qint64(longestGap), click);
    std::printf("  %-34s %8lld ms  -> %d x %d\n", "time to the shown preview", toPreview,
                dialog.picture().width(), dialog.picture().height());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    QApplication app(argc, argv);
    std::printf("Limit on decoded memory: %d MB\n", PictureLoader::allocationLimitMB);
    QElapsedTimer making;
    making.start();
    const QByteArray jpeg = encoded(16384, 12208, "jpeg", 90);
    const QByteArray png = encoded(9000, 6667, "png", 80);
    std::printf("(drawing and encoding both took %.1f s)\n\n", making.nsecsElapsed() / 1e9);
    run("JPEG 16384 x 12208 (200 MP)", jpeg);
    run("PNG 9000 x 6667 (60 MP)", png);

    std::printf("\nPreviewed in the dialog\n");
    for (const auto &[name, bytes] :
         {std::pair{QStringLiteral("big.jpg"), jpeg}, std::pair{QStringLiteral("big.png"), png}}) {
        QFile file(QDir(folder.path()).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }
    for (const QString &name : {QStringLiteral("big.jpg"), QStringLiteral("big.png")}) {
        std::printf("%s\n", qPrintable(name));
        previewInDialog(folder.path(), name);
    }
    return 0;
}
