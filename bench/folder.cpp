// A folder of 20,000 pictures in the new-puzzle dialog. The dialog is opened on a file far
// down the folder, as a command line names it, and then shown again, as the next opening
// finds the file remembered. Prints, for each opening, the time until the file's row is the
// list's current one, selected and whole in sight, and the longest time the event loop
// stays blocked meanwhile and while the list goes on filling (a timer ticks every 5 ms and
// the widest gap between ticks is taken, beside the same when idle; the target is under
// 50 ms).

#include "dialog/Dialog.h"
#include "settings/ConfigFileHandler.h"
#include "settings/comun.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace
{

constexpr int FileCount = 20000;

// Turns the event loop until done answers true, or for at most a minute.
bool spinUntil(const std::function<bool()> &done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done()) {
        if (limit.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool shownAndChosen(const QListView *list, const QString &name)
{
    const QModelIndex current = list->currentIndex();
    return current.data().toString() == name && list->selectionModel()->isSelected(current) &&
           list->viewport()->rect().contains(list->visualRect(current));
}

// The widest gap between the ticks of a 5 ms timer while it runs.
class Ticker
{
public:
    Ticker()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_since.restart()); });
    }
    void start()
    {
        m_longest = 0;
        m_since.start();
        m_timer.start();
    }
    qint64 longest() const { return std::max(m_longest, m_since.elapsed()); }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

void report(const char *step, bool reached, qint64 toRow, qint64 blocked)
{
    if (!reached) {
        std::printf("  %-40s the row never came into sight\n", step);
        return;
    }
    std::printf("  %-40s %6lld ms to the row in sight, %5lld ms blocked at most\n", step, toRow, blocked);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", root.path().toLocal8Bit());
    QApplication app(argc, argv);

    const QString folder = QDir(root.path()).filePath(QStringLiteral("fotos"));
    QDir().mkpath(folder);
    QByteArray picture;
    QBuffer buffer(&picture);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(&buffer, "JPG");
    const QString chosen = QStringLiteral("foto_%1.jpg").arg(FileCount * 7 / 8, 5, 10, QLatin1Char('0'));
    for (int n = 0; n < FileCount; ++n) {
        const QString name = QStringLiteral("foto_%1.jpg").arg(n, 5, 10, QLatin1Char('0'));
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || (name == chosen && file.write(picture) != picture.size()))
            return 1;
    }
    std::printf("A folder of %d files; the one chosen is %s\n", FileCount, qPrintable(chosen));

    // The same ticking for a second with nothing to do: what the machine's load alone costs.
    Ticker ticker;
    ticker.start();
    QElapsedTimer idle;
    idle.start();
    spinUntil([&] { return idle.elapsed() >= 1000; });
    std::printf("  %-40s %6s    %5lld ms blocked at most\n", "idle, for comparison", "", ticker.longest());

    ConfigFileHandler config(root.path());
    config.setDialogDrive(comun::driveOf(root.path()));
    config.setDialogPath(root.path());
    ticker.start();
    QElapsedTimer opening;
    opening.start();
    Dialog dialog(
        DialogHost{[&config]() -> ConfigFileHandler & { return config; }, QDir(folder).filePath(chosen), {}});
    const qint64 built = opening.elapsed();
    dialog.show();
    auto *list = dialog.findChild<QListView *>(QStringLiteral("File1"));
    bool reached = spinUntil([&] { return shownAndChosen(list, chosen); });
    report("opened on the command line's file", reached, opening.elapsed(), ticker.longest());
    std::printf("  %-40s %6lld ms (part of the above)\n", "building the dialog", built);

    ticker.start();
    QElapsedTimer filling;
    filling.start();
    spinUntil([&] { return list->model()->rowCount(list->rootIndex()) >= FileCount; });
    const qint64 filled = filling.elapsed();
    // Sorting and laying out go on after the last row has come.
    QElapsedTimer settle;
    settle.start();
    spinUntil([&] { return settle.elapsed() >= 1500; });
    std::printf("  %-40s %6lld ms more, %5lld ms blocked at most; the row %s\n",
                "the list filling to the end", filled, ticker.longest(),
                shownAndChosen(list, chosen) ? "still in sight" : "out of sight");

    dialog.hide();
    list->scrollToTop();
    ticker.start();
    QElapsedTimer reopening;
    reopening.start();
    dialog.show();
    reached = spinUntil([&] { return shownAndChosen(list, chosen); });
    report("shown again, the file remembered", reached, reopening.elapsed(), ticker.longest());
    return 0;
}
