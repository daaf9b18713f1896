// Reading a puzzle file that carries a 20 MB picture. The reader's own work (parse the
// header and the table, check them and peek at the picture's header) is set against the
// decode of the picture, which the game needs once anyway; reading the file and the whole
// leerPuzzle are printed beside them. Prints the times, the ratios and the peak memory.

#include "PictureLoader.h"
#include "PuzzlePictures.h"
#include "board/TableroClass.h"
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
#include <utility>
#include <vector>

namespace
{

constexpr int Runs = 7;
constexpr qint64 TargetBytes = 20 * 1000 * 1000;

// The median time of the work; prepare runs before each measurement, untimed.
double medianMs(const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        if (prepare)
            prepare();
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
    SalvarLeerPuzzle2 io(puzzlePictures());
    if (io.salvarPuzzleFromImage(imagePath, QStringLiteral("picture.x"), board, false, puzzlePath).code !=
        0) {
        std::printf("%s: could not write the puzzle file\n", format);
        return;
    }

    QSize decodedSize;
    const double decode = medianMs([&] { decodedSize = PictureLoader::loadData(picture).size(); });
    const double decodeFile = medianMs([&] { PictureLoader::loadFile(imagePath); });

    QByteArray fileBytes;
    const double fileRead = medianMs([&] {
        QFile file(puzzlePath);
        file.open(QIODevice::ReadOnly);
        fileBytes = file.readAll();
    });

    // Each run parses its own unshared copy, as the reader does with the bytes it read.
    QByteArray copy;
    bool valid = false;
    const double parse = medianMs(
        [&] {
            PzzFile pzz;
            valid = PzzFile::read(std::move(copy), pzz) == PzzFile::Check::Ok &&
                    PictureLoader::peekSize(pzz.picture).isValid();
        },
        [&] { copy = QByteArray(fileBytes.constData(), fileBytes.size()); });

    TableroClass read;
    bool sliding = false;
    qint16 result = -99;
    const double leer = medianMs([&] { result = io.leerPuzzle(puzzlePath, read, sliding).code; });

    std::printf("%-4s picture %.1f MB (%dx%d), puzzle file %.1f MB\n", format, picture.size() / 1e6,
                decodedSize.width(), decodedSize.height(), QFile(puzzlePath).size() / 1e6);
    std::printf("     decode alone, from memory     %8.2f ms\n", decode);
    std::printf("     parse + validate, from memory %8.2f ms  (%.2f %% of the decode)%s\n", parse,
                100.0 * parse / decode, valid ? "" : "  NOT VALID");
    std::printf("     reading the file into memory  %8.2f ms\n", fileRead);
    std::printf("     picture file, read + decode   %8.2f ms\n", decodeFile);
    std::printf("     leerPuzzle, all of it         %8.2f ms  (%.2f x the picture file)%s\n", leer,
                leer / decodeFile, result == 0 ? "" : "  FAILED");
    std::printf("     peak memory so far            %8ld MB\n", peakMemoryMB());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    std::printf("median of %d runs each\n", Runs);
    measure("BMP", folder.path());
    measure("JPEG", folder.path());
    return 0;
}
