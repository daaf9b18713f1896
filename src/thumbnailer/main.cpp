// tesselon-thumbnailer -s SIZE INPUT OUTPUT: writes a PNG of the puzzle file INPUT, the
// board as the player left it, fitted within SIZE × SIZE pixels. File managers run it on
// files they did not choose, so it limits itself before reading a byte: a damaged or
// hostile file ends it quickly with a non-zero status and no output.

#include "PuzzleThumbnail.h"

#include "puzzlefile/PzzFile.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

#include <sys/resource.h>

namespace
{

constexpr rlim_t cpuSeconds = 2;
constexpr rlim_t addressSpaceBytes = rlim_t(256) * 1024 * 1024;
constexpr int largestSide = 4096;

bool lowerLimit(int resource, rlim_t value)
{
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0)
        return false;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < value)
        value = limit.rlim_max;
    limit.rlim_cur = value;
    return setrlimit(resource, &limit) == 0;
}

bool limitResources()
{
    bool ok = lowerLimit(RLIMIT_CPU, cpuSeconds);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space for its shadow memory; tests
    // built with it keep only the time limit.
#else
    ok = ok && lowerLimit(RLIMIT_AS, addressSpaceBytes);
#endif
    return ok;
}

int usage()
{
    std::fprintf(stderr, "usage: tesselon-thumbnailer -s SIZE INPUT OUTPUT\n");
    return 2;
}

int run(int argc, char *argv[])
{
    if (argc != 5 || std::strcmp(argv[1], "-s") != 0)
        return usage();
    char *end = nullptr;
    const long side = std::strtol(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || side < 1 || side > largestSide)
        return usage();

    // The program never shows a window: it must run where no display is reachable, as in
    // the sandbox that desktops start thumbnailers in.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    // Only a plain file: opening a named pipe would wait for a writer, beyond any limit on
    // processor time.
    const QString path = QString::fromLocal8Bit(argv[3]);
    QFile input(path);
    if (!QFileInfo(path).isFile() || input.size() > PzzFile::MaxFileBytes ||
        !input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tesselon-thumbnailer: cannot read %s\n", argv[3]);
        return 1;
    }
    const QImage thumbnail = PuzzleThumbnail::render(input.readAll(), int(side));
    if (thumbnail.isNull()) {
        std::fprintf(stderr, "tesselon-thumbnailer: %s is not a puzzle file that can be shown\n", argv[3]);
        return 1;
    }
    QSaveFile output(QString::fromLocal8Bit(argv[4]));
    if (!output.open(QIODevice::WriteOnly) || !thumbnail.save(&output, "png") || !output.commit()) {
        std::fprintf(stderr, "tesselon-thumbnailer: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!limitResources()) {
        std::fprintf(stderr, "tesselon-thumbnailer: cannot limit its own resources\n");
        return 1;
    }
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr,
                     "tesselon-thumbnailer: the puzzle needs more memory than a thumbnail may take\n");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tesselon-thumbnailer: %s\n", e.what());
    }
    return 1;
}
