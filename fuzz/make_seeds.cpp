#include "board/TableroClass.h"
#include "puzzlefile/PzzFile.h"
#include "settings/ConfigFileHandler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

// Writes the small seed corpora of the fuzz targets: a few sound puzzle files with each
// picture format, near misses of them, and configuration lines in the writer's own form.
// The output depends only on the code, so running it again changes no file.
namespace
{

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray picture(const char *format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::yellow);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray puzzle(qint16 columns, qint16 rows, bool sliding, const QString &extension,
                  const QByteArray &image)
{
    TableroClass board;
    board.setSeed(columns * 100 + rows);
    board.Inicializar(columns, rows, columns, rows, extension, true, sliding);
    PzzFile pzz;
    board.getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY);
    pzz.extension = PzzFile::extensionField(extension);
    pzz.style = PzzFile::styleValue(sliding);
    pzz.picture = image;
    return pzz.toBytes();
}

QByteArray configLine(qint16 language, const QString &drive, const QString &path, bool dificil, bool firstRun)
{
    QTemporaryDir folder;
    ConfigFileHandler config(folder.path());
    config.setLanguage(language);
    config.setDialogDrive(drive);
    config.setDialogPath(path);
    config.setListX(7);
    config.setListY(5);
    config.setOptionDificil(dificil);
    config.setPrimeraVezQueSeEjecuta(firstRun);
    return config.configLine();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
        return 2;
    }
    ConfigFileHandler::setErrorReporter([](const QString &) {});
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("pzz"));
    out.mkpath(QStringLiteral("config"));

    const QByteArray sound = puzzle(4, 3, false, QStringLiteral("png"), picture("PNG", 16, 12));
    const QList<QPair<QString, QByteArray>> pzz = {
        {QStringLiteral("normal-4x3-png.pzz"), sound},
        {QStringLiteral("sliding-2x2-jpeg.pzz"),
         puzzle(2, 2, true, QStringLiteral("JPG"), picture("JPEG", 8, 8))},
        {QStringLiteral("normal-30x30-bmp.pzz"),
         puzzle(30, 30, false, QStringLiteral("bmp"), picture("BMP", 6, 4))},
        {QStringLiteral("sliding-3x5-extension-gif.pzz"),
         puzzle(3, 5, true, QStringLiteral("gif"), picture("PNG", 5, 5))},
        {QStringLiteral("wrong-magic.pzz"), QByteArray(sound).replace(0, 2, "PK")},
        {QStringLiteral("version-2.pzz"), QByteArray(sound).replace(2, 1, "\x02")},
        {QStringLiteral("no-picture.pzz"), sound.left(78)},
    };
    bool ok = true;
    for (const auto &seed : pzz)
        ok = put(out.filePath(QStringLiteral("pzz/") + seed.first), seed.second) && ok;

    const QList<QPair<QString, QByteArray>> config = {
        {QStringLiteral("english.txt"),
         configLine(0, QStringLiteral("/"), QStringLiteral("/home/ana/Imágenes"), false, true)},
        {QStringLiteral("spanish.txt"),
         configLine(1, QStringLiteral("/media/usb"), QStringLiteral("/media/usb/fotos, \"viejas\""), true,
                    false)},
        {QStringLiteral("galician.txt"), configLine(2, QString(), QString(), false, false)},
        {QStringLiteral("old-version.txt"),
         QByteArray("\"0.9\",1,\"/\",\"/tmp\",1,1,4,4,#FALSE#,#TRUE#\r\n")},
        {QStringLiteral("short.txt"), QByteArray("\"1.0\",0,\"/\"")},
        {QStringLiteral("empty.txt"), QByteArray()},
    };
    for (const auto &seed : config)
        ok = put(out.filePath(QStringLiteral("config/") + seed.first), seed.second) && ok;
    return ok ? 0 : 1;
}
