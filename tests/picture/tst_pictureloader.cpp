#include "picture/PictureSamples.h"

#include "platform/PictureLoader.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace PictureSamples;

namespace {

// A 4 x 2 bitmap of run-length encoded 8-bit pixels over a palette of black, red and blue.
QByteArray runLengthBitmap(const QByteArray &pixels)
{
    return patched(QByteArray("BM").leftJustified(66, '\0'), {{2, 66 + pixels.size()},
                                                              {10, 66},
                                                              {14, 40},
                                                              {18, 4},
                                                              {22, 2},
                                                              {26, 1 | 8 << 16},
                                                              {30, 1},
                                                              {34, pixels.size()},
                                                              {46, 3},
                                                              {58, 0xFA0000},
                                                              {62, 0xFA}}) +
           pixels;
}

} // namespace

class tst_PictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void decodesByContent_data();
    void decodesByContent();
    void refusesBadBytes_data();
    void refusesBadBytes();
    void refusesBadRequests();
};

void tst_PictureLoader::decodesByContent_data()
{
    // Each row's bytes go into a file named like the row.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QColor>("colour");

    // The bottom right quadrant is blue only when rows and columns come out in their order.
    const QImage picture = quadrants(120, 80);
    const QByteArray bmp = encoded(picture, "bmp");
    const QSize size(120, 80);
    const QPoint corner(90, 60);
    const QColor blue = quadrantColours[2];
    QTest::newRow("JPEG named foto.bmp") << encoded(picture, "jpeg", 90) << size << corner << blue;
    QTest::newRow("BMP named foto.jpg") << bmp << size << corner << blue;
    QTest::newRow("PNG named dibujo.gif") << encoded(picture, "png") << size << corner << blue;
    QTest::newRow("DIB without file header") << bmp.mid(14) << size << corner << blue;
    // A negative height reads the same rows top to bottom: the picture turns upside down.
    QTest::newRow("top-down BMP") << patched(bmp, {{22, quint32(-80)}}) << size << corner
                                  << quadrantColours[1];
    QTest::newRow("ICO named icono.png")
        << encoded(quadrants(32, 32), "ico") << QSize(32, 32) << QPoint(24, 24) << blue;
    QTest::newRow("GIF named mosaico.jpg")
        << sampleBytes("samples/mosaico.gif") << QSize(800, 600) << QPoint(8, 6) << QColor(255, 51, 51);
    QTest::newRow("run-length BMP") << runLengthBitmap(QByteArrayLiteral("\x04\x01\x00\x00\x04\x02\x00\x01"))
                                    << QSize(4, 2) << QPoint(0, 1) << QColor(250, 0, 0);
    QImage clear(40, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QTest::newRow("transparent PNG, flattened on white")
        << encoded(clear, "png") << QSize(40, 40) << QPoint(20, 20) << QColor(Qt::white);
}

void tst_PictureLoader::decodesByContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);

    QTemporaryDir folder;
    QFile file(folder.filePath(QTest::currentDataTag()));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    QCOMPARE(PictureLoader::peekSize(bytes), size);
    const QImage image = PictureLoader::loadFile(file.fileName());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QVERIFY2(near(image.pixel(where), colour), qPrintable(QColor(image.pixel(where)).name()));
}

void tst_PictureLoader::refusesBadBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QImage picture = quadrants(200, 150);
    const QByteArray jpeg = encoded(picture, "jpeg", 90);
    const QByteArray png = encoded(picture, "png");
    const QByteArray bmp = encoded(picture, "bmp");
    const QByteArray gif = sampleBytes("samples/mosaico.gif");
    const QByteArray ico = encoded(quadrants(32, 32), "ico");
    QList<quint32> noise(1000);
    QRandomGenerator(7).fillRange(noise.data(), noise.size());
    QByteArray bomb = jpeg;
    qToBigEndian<quint32>(60000u << 16 | 60000u, bomb.data() + bomb.indexOf("\xFF\xC0") + 5);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("random bytes") << littleEndian(noise);
    QTest::newRow("SVG") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>");
    QTest::newRow("JPEG cut in half") << jpeg.left(jpeg.size() / 2);
    QTest::newRow("PNG cut in half") << png.left(png.size() / 2);
    QTest::newRow("GIF cut in half") << gif.left(gif.size() / 2);
    QTest::newRow("BMP without its last byte") << bmp.chopped(1);
    QTest::newRow("RLE bitmap without its end code")
        << runLengthBitmap(QByteArrayLiteral("\x04\x01\x00\x00"));
    QTest::newRow("BMP claiming 2000 x 2000 over 200 x 150 pixels") << patched(bmp, {{18, 2000}, {22, 2000}});
    QTest::newRow("GIF screen claiming 65535 x 65535") << patched<quint16>(gif, {{6, 65535}, {8, 65535}});
    QTest::newRow("JPEG claiming 60000 x 60000") << bomb;
    QTest::newRow("ICO entry pointing past the end") << patched(ico, {{18, ico.size()}});
}

void tst_PictureLoader::refusesBadBytes()
{
    QFETCH(QByteArray, bytes);

    QVERIFY(!PictureLoader::peekSize(bytes).isValid());
    QVERIFY(PictureLoader::loadData(bytes).isNull());
    QVERIFY(PictureLoader::loadDataScaled(bytes, QSize(50, 50)).isNull());
}

void tst_PictureLoader::refusesBadRequests()
{
    QTemporaryDir folder;
    QVERIFY(PictureLoader::loadFile(folder.filePath("no_such_file.jpg")).isNull());
    QVERIFY(PictureLoader::loadFile(folder.path()).isNull());
    // An endless device must be refused, not read until memory runs out.
    QVERIFY(PictureLoader::readFile("/dev/zero").isEmpty());
    const QByteArray jpeg = encoded(quadrants(100, 80), "jpeg");
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize(0, 10)).isNull());
    QVERIFY(PictureLoader::loadDataScaled(jpeg, QSize(60000, 60000)).isNull());
}

QTEST_MAIN(tst_PictureLoader)
#include "tst_pictureloader.moc"
