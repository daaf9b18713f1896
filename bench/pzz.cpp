// Reading a puzzle file that carries a 20 MB picture: the reader's own work (read the
// bytes, check the header, the table and the picture's header) against decoding the
// picture, which the game has to do once anyway. Prints the times, their ratio and the
// peak memory of the process.

#include "board/TableroClass.h"
#include "platform/Messages.h"
#include "platform/PictureLoader.h"
#include "puzzlefile/PzzFile.h"
#include "puzzlefile/SalvarLeerPuzzle2.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

constexpr int Runs = 7;
constexpr qint64 TargetBytes = 20 * 1000 * 1000;

double medianMs(const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(1310);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | (random.generate() & 0xFFFFFFu);
    }
    return image;
}

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 100);
    return bytes;
}

// A picture of about TargetBytes in the given format: the side is found from the bytes
// per pixel of a small sample, since noise compresses about equally at any size.
QByteArray bigPicture(const char *format)
{
    const int sample = 400;
    const double bytesPerPixel = double(encode(noise(sample, sample), format).size()) / (sample * sample);
    const int side = int(std::sqrt(TargetBytes / bytesPerPixel));
    return encode(noise(side, side), format);
}

void measure(const char *format, const QString &folder)
{
    const QByteArray picture = bigPicture(format);
    const QString imagePath = folder + QStringLiteral("/picture.") + QString::fromLatin1(format).toLower();
    const QString puzzlePath = folder + QStringLiteral("/big.pzz");
    {
        QFile file(imagePath);
        file.open(QIODevice::WriteOnly);
        file.write(picture);
    }
    TableroClass board;
    board.Inicializar(30, 30, 30, 30, QString::fromLatin1(format), true, false);
    SalvarLeerPuzzle2 io;
    if (io.salvarPuzzleFromImage(imagePath, QStringLiteral("picture.x"), board, false, puzzlePath) != 0) {
        std::printf("%s: could not write the puzzle file\n", format);
        return;
    }

    QSize decodedSize;
    const double decode = medianMs([&] { decodedSize = PictureLoader::loadData(picture).size(); });

    bool valid = false;
    const double parse = medianMs([&] {
        QFile file(puzzlePath);
        file.open(QIODevice::ReadOnly);
        PzzFile pzz;
        valid =
            PzzFile::read(file, pzz) == PzzFile::Check::Ok && PictureLoader::peekSize(pzz.picture).isValid();
    });

    TableroClass read;
    bool sliding = false;
    qint16 result = -99;
    const double leer = medianMs([&] { result = io.leerPuzzle(puzzlePath, read, sliding); });

    std::printf("%-4s picture %.1f MB (%dx%d), puzzle file %.1f MB\n", format, picture.size() / 1e6,
                decodedSize.width(), decodedSize.height(), QFile(puzzlePath).size() / 1e6);
    std::printf("     decode alone           %8.2f ms\n", decode);
    std::printf("     read + validate        %8.2f ms  (%.1f %% of the decode)%s\n", parse,
                100.0 * parse / decode, valid ? "" : "  NOT VALID");
    std::printf("     leerPuzzle, all of it  %8.2f ms  (%.2f x the decode)%s\n", leer, leer / decode,
                result == 0 ? "" : "  FAILED");
    std::printf("     peak memory so far     %8ld MB\n", peakMemoryMB());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Messages::startScript();
    QTemporaryDir folder;
    std::printf("median of %d runs each\n", Runs);
    measure("BMP", folder.path());
    measure("JPEG", folder.path());
    return 0;
}
