#include "EmfSample.h"
#include "PictureEncoders.h"
#include "WmfWriter.h"
#include "board/TableroClass.h"
#include "io/LittleEndian.h"
#include "puzzlefile/PzzFile.h"
#include "settings/ConfigFileHandler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

// Writes the small seed corpora of the fuzz targets: a few sound puzzle files with each
// picture format, near misses of them, configuration lines in the writer's own form, and
// small pictures of every format the loader reads (HEIC and AVIF are encoded from
// picture/quadrants.png by fuzz/build.sh). The output depends only on the code, so
// running it again changes no file.
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

QByteArray progressiveJpeg()
{
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    return bytes;
}

// A metafile with a pen, a brush, the three kinds of shape and a bitmap record, which
// carries two rows of two pixels under a 40-byte bitmap header.
QByteArray metafile()
{
    WmfWriter wmf(40, 30, 96);
    wmf.select(wmf.createPen(Qt::black, 1));
    wmf.select(wmf.createBrush(Qt::yellow));
    wmf.rectangle(QRect(2, 2, 20, 12));
    wmf.ellipse(QRect(20, 10, 18, 18));
    wmf.polygon({QPoint(0, 29), QPoint(10, 15), QPoint(20, 29)});
    QByteArray bytes = wmf.finish();
    QByteArray record(22 + 40 + 16, '\0');
    char *at = record.data();
    LittleEndian::append<quint32>(at, quint32(record.size() / 2));
    for (const quint16 word : {0x0F43, 0x0020, 0x00CC, 0, 2, 2, 0, 0, 10, 10, 5, 5})
        LittleEndian::append<quint16>(at, word);
    for (const quint32 field : {40u, 2u, 2u, 1u | 24u << 16})
        LittleEndian::append<quint32>(at, field);
    return bytes.insert(bytes.size() - 6, record);
}

QList<QPair<QString, QByteArray>> pictureSeeds()
{
    const std::vector<unsigned char> emf = EmfSample::stainedGlass();
    const QByteArray jpeg = picture("JPEG", 16, 12);
    return {
        {QStringLiteral("small.jpg"), jpeg},
        {QStringLiteral("sideways.jpg"), PictureEncoders::withOrientation(jpeg, 6)},
        {QStringLiteral("progressive.jpg"), progressiveJpeg()},
        {QStringLiteral("small.png"), picture("PNG", 16, 12)},
        {QStringLiteral("small.gif"), PictureEncoders::gif(QImage::fromData(picture("PNG", 16, 12)))},
        {QStringLiteral("small.bmp"), picture("BMP", 16, 12)},
        {QStringLiteral("small.ico"), picture("ICO", 16, 16)},
        {QStringLiteral("small.webp"), picture("WEBP", 16, 12)},
        {QStringLiteral("small.tif"), picture("TIFF", 16, 12)},
        {QStringLiteral("quadrants.png"), picture("PNG", 32, 24)},
        {QStringLiteral("small.wmf"), metafile()},
        {QStringLiteral("vitral.emf"),
         QByteArray(reinterpret_cast<const char *>(emf.data()), qsizetype(emf.size()))},
    };
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
    out.mkpath(QStringLiteral("picture"));

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
    for (const auto &seed : pictureSeeds())
        ok = put(out.filePath(QStringLiteral("picture/") + seed.first), seed.second) && ok;
    return ok ? 0 : 1;
}
