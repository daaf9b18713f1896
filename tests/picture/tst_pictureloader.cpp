#include "picture/PictureSamples.h"

#include "platform/PictureLoader.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <random>

using namespace PictureSamples;

namespace {

quint32 crc32(const char *data, int length)
{
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 0; i < length; ++i) {
        crc ^= quint8(data[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

// A PNG whose chunks are all well formed, checksums included, but whose header claims
// the given size.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = encoded(quadrants(8, 8), "png");
    const qsizetype ihdr = bytes.indexOf("IHDR");
    qToBigEndian(width, bytes.data() + ihdr + 4);
    qToBigEndian(height, bytes.data() + ihdr + 8);
    qToBigEndian(crc32(bytes.constData() + ihdr, 17), bytes.data() + ihdr + 17);
    return bytes;
}

QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bytes = encoded(quadrants(20, 20), "bmp");
    poke32(bytes, 18, quint32(width));
    poke32(bytes, 22, quint32(height));
    return bytes;
}

QByteArray gifClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = fileBytes(runtimeFile(QStringLiteral("samples/mosaico.gif")));
    poke16(bytes, 6, width);
    poke16(bytes, 8, height);
    return bytes;
}

// A JPEG whose frame header claims the given size.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = encoded(quadrants(64, 48), "jpeg", 90);
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

// A 4 x 2 bitmap with three colours (black, red, blue) whose pixels are the given
// run-length encoded bytes.
QByteArray runLengthBitmap(const QByteArray &pixels)
{
    const quint32 offset = 14 + 40 + 3 * 4;
    QByteArray bytes("BM");
    bytes.resize(offset);
    poke32(bytes, 2, offset + quint32(pixels.size()));
    poke32(bytes, 6, 0);
    poke32(bytes, 10, offset);
    const quint32 info[] = {40, 4, 2, 1 | 8 << 16, 1, quint32(pixels.size()), 0, 0, 3, 3};
    for (int i = 0; i < 10; ++i)
        poke32(bytes, 14 + 4 * i, info[i]);
    const quint32 palette[] = {0x000000, 0xFA0000, 0x0000FA};
    for (int i = 0; i < 3; ++i)
        poke32(bytes, 54 + 4 * i, palette[i]);
    return bytes + pixels;
}

QByteArray randomBytes(int length, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(length, '\0');
    for (char &byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

} // namespace

class tst_PictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void decodesByContent_data();
    void decodesByContent();
    void ignoresTheFileName_data();
    void ignoresTheFileName();
    void refusesBadBytes_data();
    void refusesBadBytes();
    void decodesRunLengthBitmaps();
    void refusesFilesThatAreNotPictures();
    void flattensTransparencyOnWhite();
    void decodesTheProjectPictures_data();
    void decodesTheProjectPictures();
    void scalesWhileDecoding_data();
    void scalesWhileDecoding();
    void refusesEmptyTargetSizes();
};

void tst_PictureLoader::decodesByContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    const QImage picture = quadrants(120, 80);
    QTest::newRow("JPEG") << encoded(picture, "jpeg", 90) << QSize(120, 80);
    QTest::newRow("BMP") << encoded(picture, "bmp") << QSize(120, 80);
    QTest::newRow("PNG") << encoded(picture, "png") << QSize(120, 80);
    QTest::newRow("ICO") << encoded(quadrants(32, 32), "ico") << QSize(32, 32);
    QTest::newRow("DIB without file header") << encoded(picture, "bmp").mid(14) << QSize(120, 80);
    QTest::newRow("8-bit BMP") << encoded(picture.convertToFormat(QImage::Format_Indexed8), "bmp")
                               << QSize(120, 80);
    QTest::newRow("top-down BMP") << [&] {
        // A negative height stores the rows top to bottom.
        QByteArray bytes = encoded(picture, "bmp");
        const qsizetype pixels = 54;
        const int stride = 120 * 3;
        QByteArray flipped = bytes.left(pixels);
        for (int row = 79; row >= 0; --row)
            flipped += bytes.mid(pixels + row * stride, stride);
        poke32(flipped, 22, quint32(-80));
        return flipped;
    }() << QSize(120, 80);
}

void tst_PictureLoader::decodesByContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);

    QCOMPARE(PictureLoader::peekSize(bytes), size);
    const QImage image = PictureLoader::loadData(bytes);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY(showsQuadrants(image));
}

void tst_PictureLoader::ignoresTheFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const QImage picture = quadrants(90, 60);
    QTest::newRow("JPEG named .bmp") << "foto.bmp" << encoded(picture, "jpeg", 90);
    QTest::newRow("BMP named .jpg") << "foto.jpg" << encoded(picture, "bmp");
    QTest::newRow("PNG named .gif") << "dibujo.gif" << encoded(picture, "png");
    QTest::newRow("BMP named .dib") << "dibujo.dib" << encoded(picture, "bmp");
    QTest::newRow("no extension at all") << "sin_nombre" << encoded(picture, "jpeg", 90);
}

void tst_PictureLoader::ignoresTheFileName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QImage image = PictureLoader::loadFile(file.fileName());
    QCOMPARE(image.size(), QSize(90, 60));
    QVERIFY(showsQuadrants(image));
}

void tst_PictureLoader::refusesBadBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QImage picture = quadrants(200, 150);
    const QByteArray jpeg = encoded(picture, "jpeg", 90);
    const QByteArray bmp = encoded(picture, "bmp");
    const QByteArray png = encoded(picture, "png");
    const QByteArray gif = fileBytes(runtimeFile(QStringLiteral("samples/mosaico.gif")));
    QVERIFY(!gif.isEmpty());

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("\xFF");
    QTest::newRow("text") << QByteArray("Hola, esto no es una imagen.\n");
    for (unsigned seed : {1u, 2u, 3u})
        QTest::addRow("random bytes %u", seed) << randomBytes(int(1000 * seed), seed);
    QTest::newRow("SVG, which the loader does not take")
        << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'><rect width='10' "
                      "height='10'/></svg>");

    for (int quarter = 1; quarter <= 3; ++quarter) {
        QTest::addRow("JPEG cut to %d/4", quarter) << jpeg.left(jpeg.size() * quarter / 4);
        QTest::addRow("BMP cut to %d/4", quarter) << bmp.left(bmp.size() * quarter / 4);
        QTest::addRow("PNG cut to %d/4", quarter) << png.left(png.size() * quarter / 4);
        QTest::addRow("GIF cut to %d/4", quarter) << gif.left(gif.size() * quarter / 4);
    }
    QTest::newRow("JPEG without its end marker") << jpeg.chopped(2);
    QTest::newRow("JPEG header only") << jpeg.left(jpeg.indexOf("\xFF\xDA"));
    QTest::newRow("BMP without its last byte") << bmp.chopped(1);
    QTest::newRow("BMP headers only") << bmp.left(54);
    QTest::newRow("GIF header only") << gif.left(13);
    QTest::newRow("RLE bitmap without its end code")
        << runLengthBitmap(QByteArray("\x04\x01\x00\x00\x04\x02", 6));
    QTest::newRow("RLE bitmap cut inside a literal run")
        << runLengthBitmap(QByteArray("\x00\x04\x01\x02", 4));

    QTest::newRow("BMP claiming 2000 x 2000 over 20 x 20 pixels") << bmpClaiming(2000, 2000);
    QTest::newRow("BMP claiming 60000 x 60000") << bmpClaiming(60000, 60000);
    QTest::newRow("BMP claiming a negative width") << bmpClaiming(-20, 20);
    QTest::newRow("PNG claiming 60000 x 60000") << pngClaiming(60000, 60000);
    QTest::newRow("PNG claiming 20000 x 20000") << pngClaiming(20000, 20000);
    QTest::newRow("GIF claiming 65535 x 65535") << gifClaiming(65535, 65535);
    QTest::newRow("JPEG claiming 60000 x 60000") << jpegClaiming(60000, 60000);
    QTest::newRow("JPEG claiming 0 x 0") << jpegClaiming(0, 0);

    QByteArray icon = encoded(quadrants(32, 32), "ico");
    poke32(icon, 6 + 12, quint32(icon.size()));
    QTest::newRow("ICO entry pointing past the end") << icon;
    QByteArray noEntries = encoded(quadrants(32, 32), "ico");
    poke16(noEntries, 4, 500);
    QTest::newRow("ICO claiming 500 entries") << noEntries;
}

void tst_PictureLoader::refusesBadBytes()
{
    QFETCH(QByteArray, bytes);

    QVERIFY(!PictureLoader::peekSize(bytes).isValid());
    QVERIFY(PictureLoader::loadData(bytes).isNull());
    QVERIFY(PictureLoader::loadDataScaled(bytes, QSize(50, 50)).isNull());
}

void tst_PictureLoader::decodesRunLengthBitmaps()
{
    const QByteArray image = runLengthBitmap(QByteArray("\x04\x01\x00\x00\x04\x02\x00\x01", 8));
    const QImage picture = PictureLoader::loadData(image);
    QCOMPARE(picture.size(), QSize(4, 2));
    QCOMPARE(picture.pixel(0, 1), qRgb(250, 0, 0));
    QCOMPARE(picture.pixel(3, 0), qRgb(0, 0, 250));
}

void tst_PictureLoader::refusesFilesThatAreNotPictures()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(PictureLoader::loadFile(folder.filePath(QStringLiteral("no_such_file.jpg"))).isNull());
    QVERIFY(PictureLoader::loadFile(folder.path()).isNull());
    QVERIFY(PictureLoader::loadFile(QString()).isNull());
    QVERIFY(PictureLoader::readFile(QStringLiteral("/dev/zero")).isEmpty());

    QFile text(folder.filePath(QStringLiteral("notas.jpg")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("solo texto");
    text.close();
    QVERIFY(PictureLoader::readFile(text.fileName()).isEmpty());
    QVERIFY(PictureLoader::loadFile(text.fileName()).isNull());
}

void tst_PictureLoader::flattensTransparencyOnWhite()
{
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 10; y < 30; ++y) {
        for (int x = 10; x < 30; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 200));
    }
    const QImage image = PictureLoader::loadData(encoded(picture, "png"));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.pixel(2, 2), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(20, 20), qRgb(0, 0, 200));
}

void tst_PictureLoader::decodesTheProjectPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QColor>("colour");

    // Each sample with one pixel whose colour its drawing fixes.
    QTest::newRow("landscape JPEG") << "samples/paisaje.jpg" << QSize(1600, 1200) << QPoint(1290, 220)
                                    << QColor(255, 250, 200);
    QTest::newRow("mosaic GIF") << "samples/mosaico.gif" << QSize(800, 600) << QPoint(8, 6)
                                << QColor(255, 51, 51);
    QTest::newRow("clock BMP") << "samples/reloj.bmp" << QSize(720, 720) << QPoint(360, 360)
                               << QColor(200, 160, 60);
    QTest::newRow("town map JPEG") << "samples/ciudad.jpg" << QSize(1024, 768) << QPoint(820, 560)
                                   << QColor(140, 190, 235);
    QTest::newRow("window icon") << "icons/Atom.ico" << QSize(32, 32) << QPoint(1, 1) << QColor(Qt::white);
    for (const char *name : {"open", "save", "zoom_out", "zoom_in", "fit"})
        QTest::addRow("toolbar %s", name) << QStringLiteral("icons/%1.bmp").arg(QLatin1String(name))
                                          << QSize(24, 24) << QPoint(0, 12) << QColor(Qt::white);
}

void tst_PictureLoader::decodesTheProjectPictures()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);

    const QImage image = PictureLoader::loadFile(runtimeFile(file));
    QCOMPARE(image.size(), size);
    QVERIFY2(near(image.pixel(where), colour, 30), qPrintable(QColor(image.pixel(where)).name()));
}

void tst_PictureLoader::scalesWhileDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    const QImage picture = quadrants(1600, 1000);
    QTest::newRow("JPEG to an eighth and a bit") << encoded(picture, "jpeg", 90) << QSize(201, 126);
    QTest::newRow("JPEG to an odd size") << encoded(picture, "jpeg", 90) << QSize(900, 563);
    QTest::newRow("BMP") << encoded(picture, "bmp") << QSize(900, 563);
    QTest::newRow("PNG stretched") << encoded(picture, "png") << QSize(300, 600);
    QTest::newRow("JPEG enlarged") << encoded(quadrants(100, 80), "jpeg", 90) << QSize(250, 200);
}

void tst_PictureLoader::scalesWhileDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);

    const QImage image = PictureLoader::loadDataScaled(bytes, size);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY(showsQuadrants(image));
}

void tst_PictureLoader::refusesEmptyTargetSizes()
{
    const QByteArray jpeg = encoded(quadrants(100, 80), "jpeg", 90);
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize()).isNull());
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize(0, 10)).isNull());
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize(-5, 10)).isNull());
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize(60000, 60000)).isNull());
}

QTEST_MAIN(tst_PictureLoader)
#include "tst_pictureloader.moc"
