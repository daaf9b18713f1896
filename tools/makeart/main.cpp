// Draws the program's icons and sample pictures into <runtime folder>/icons and
// <runtime folder>/samples and, given an icon theme folder, the application icon in the
// sizes desktops ask for (hicolor/<n>x<n>/apps/tesselon.png and a scalable SVG); with
// --test-pictures, the pictures the picture tests read. Run by the build; nothing it
// writes is kept in the repository.

#include "EmfSample.h"
#include "PictureEncoders.h"
#include "SamplePictures.h"
#include "ToolbarArt.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>

namespace
{

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "makeart: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        return {};
    return bytes;
}

// The theme's icon keeps a margin of one grid unit, so the orbits' electrons, which touch
// the edge of the window icon, are never cut off at large sizes.
void paintThemeAtom(QPainter &painter, double side, bool thinOrbits)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 24.0, side / 24.0);
    painter.translate(12, 12);
    painter.scale(22.0 / 24.0, 22.0 / 24.0);
    painter.translate(-12, -12);
    ToolbarArt::paintAtom(painter, thinOrbits);
}

QImage themeAtom(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintThemeAtom(painter, side, side >= 24);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray atomSvg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(24, 24));
    generator.setViewBox(QRectF(0, 0, 24, 24));
    generator.setTitle(QStringLiteral("Tesselon"));
    QPainter painter(&generator);
    paintThemeAtom(painter, 24, true);
    painter.end();
    return bytes;
}

bool writeThemeIcons(const QDir &theme)
{
    bool ok = true;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(side);
        ok &= theme.mkpath(folder) && writeFile(theme.filePath(folder + QStringLiteral("/tesselon.png")),
                                                encoded(themeAtom(side), "png"));
    }
    ok &= theme.mkpath(QStringLiteral("hicolor/scalable/apps")) &&
          writeFile(theme.filePath(QStringLiteral("hicolor/scalable/apps/tesselon.svg")), atomSvg());
    return ok;
}

// Quadrants of red, green, blue and yellow clockwise from the top left, in a landscape
// frame: after turning, a wrong orientation shows up in every quadrant.
QImage quadrants()
{
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(QColor(30, 60, 220));
    QPainter painter(&image);
    painter.fillRect(0, 0, 120, 45, QColor(30, 200, 60));
    painter.fillRect(0, 0, 60, 90, QColor(240, 220, 30));
    painter.fillRect(0, 0, 60, 45, QColor(220, 30, 30));
    return image;
}

// Photos as phones store them when held sideways, and PNGs the build hands to heif-enc
// for HEIC and AVIF pictures of the same quadrants, one with its last quadrant transparent.
bool writeTestPictures(const QDir &folder)
{
    bool ok = true;
    for (const quint16 orientation : {3, 6, 8}) {
        const QImage stored = PictureEncoders::storedForOrientation(quadrants(), orientation);
        ok &= writeFile(folder.filePath(QStringLiteral("sideways-%1.jpg").arg(orientation)),
                        PictureEncoders::withOrientation(encoded(stored, "jpeg", 95), orientation));
    }
    ok &= writeFile(folder.filePath(QStringLiteral("quadrants.png")), encoded(quadrants(), "png"));
    QImage clearCorner = quadrants().convertToFormat(QImage::Format_ARGB32);
    for (int y = 45; y < 90; ++y)
        for (int x = 60; x < 120; ++x)
            clearCorner.setPixel(x, y, qRgba(0, 0, 0, 0));
    ok &= writeFile(folder.filePath(QStringLiteral("clear-corner.png")), encoded(clearCorner, "png"));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--test-pictures") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        return QDir().mkpath(folder) && writeTestPictures(QDir(folder)) ? 0 : 1;
    }
    if (argc != 2 && argc != 3) {
        std::fprintf(
            stderr,
            "usage: makeart <runtime folder> [<icon theme folder>] | makeart --test-pictures <folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("icons")) || !root.mkpath(QStringLiteral("samples"))) {
        std::fprintf(stderr, "makeart: cannot create the folders below %s\n", argv[1]);
        return 1;
    }
    const QString icons = root.filePath(QStringLiteral("icons")) + QLatin1Char('/');
    const QString samples = root.filePath(QStringLiteral("samples")) + QLatin1Char('/');
    constexpr int toolbarSide = 24;

    const std::vector<unsigned char> vitral = EmfSample::stainedGlass();
    bool ok = true;
    ok &= writeFile(icons + "Atom.ico", PictureEncoders::ico({ToolbarArt::atom(32), ToolbarArt::atom(16)}));
    ok &= writeFile(icons + "open.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::openFolder(toolbarSide)));
    ok &= writeFile(icons + "save.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::saveDisk(toolbarSide)));
    ok &= writeFile(icons + "zoom_out.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::zoomOut(toolbarSide)));
    ok &= writeFile(icons + "zoom_in.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::zoomIn(toolbarSide)));
    ok &= writeFile(icons + "fit.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::fitArrows(toolbarSide)));
    ok &= writeFile(icons + "undo.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::undoArrow(toolbarSide)));
    ok &= writeFile(icons + "redo.bmp", PictureEncoders::bmpWithAlpha(ToolbarArt::redoArrow(toolbarSide)));
    ok &= writeFile(samples + "paisaje.jpg", encoded(SamplePictures::landscape(), "jpeg", 90));
    ok &= writeFile(samples + "mosaico.gif", PictureEncoders::gif(SamplePictures::mosaic()));
    ok &= writeFile(samples + "reloj.bmp", encoded(SamplePictures::clock(), "bmp"));
    ok &= writeFile(samples + "ciudad.jpg", encoded(SamplePictures::city(), "jpeg", 90));
    ok &= writeFile(samples + "geometrico.wmf", SamplePictures::geometricWmf());
    ok &= writeFile(samples + "vitral.emf",
                    QByteArray(reinterpret_cast<const char *>(vitral.data()), qsizetype(vitral.size())));
    if (argc == 3)
        ok &= writeThemeIcons(QDir(QString::fromLocal8Bit(argv[2])));
    return ok ? 0 : 1;
}
