#include "picture/PictureSamples.h"

#include "dialog/changeSizeImage.h"
#include "platform/PictureLoader.h"

#include <QtTest>

using namespace PictureSamples;

namespace {

// One-pixel black and white squares: a reduction that picks pixels instead of averaging
// them shows black and white, an averaging one shows grey.
QImage checkerboard()
{
    QImage image(2000, 1200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(image.rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    return image;
}

bool evenlyGrey(const QImage &image)
{
    for (int y = 2; y < image.height() - 2; y += 7) {
        for (int x = 2; x < image.width() - 2; x += 7) {
            if (std::abs(qGray(image.pixel(x, y)) - 128) > 48)
                return false;
        }
    }
    return !image.isNull();
}

} // namespace

class tst_changeSizeImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_sandbox;

private slots:
    void initTestCase() { QVERIFY(enterSandbox(m_sandbox)); }
    void targetSize_data();
    void targetSize();
    void averagesPixels_data();
    void averagesPixels();
    void loadDataReduced_data();
    void loadDataReduced();
    void reducesEverySample();
    void refusesNoPicture();
    // The reduction never goes through a file, not even a temporary one.
    void cleanupTestCase() { QCOMPARE(filesBelow(m_sandbox.path()), QStringList()); }
};

void tst_changeSizeImage::targetSize_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("target");

    QTest::newRow("at both limits: kept") << QSize(1001, 901) << QSize(1001, 901);
    QTest::newRow("one pixel too wide") << QSize(1002, 500) << QSize(900, 449);
    QTest::newRow("one pixel too high") << QSize(800, 902) << QSize(710, 800);
    QTest::newRow("at the width limit, very high") << QSize(1001, 5000) << QSize(160, 800);
    QTest::newRow("wide and high: only the width rule") << QSize(2000, 4000) << QSize(900, 1800);
    QTest::newRow("a wide strip keeps one row") << QSize(5000, 3) << QSize(900, 1);
    QTest::newRow("a high strip keeps one column") << QSize(3, 5000) << QSize(1, 800);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(1, 1);
}

void tst_changeSizeImage::targetSize()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, target);

    QCOMPARE(changeSizeImage::targetSize(pixels), target);
    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(quadrants(pixels.width(), pixels.height())));
    QCOMPARE(reducer.picReduced().size(), target);
}

void tst_changeSizeImage::averagesPixels_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("BMP") << QByteArray("bmp");
    QTest::newRow("JPEG, scaled by the decoder") << QByteArray("jpeg");
}

void tst_changeSizeImage::averagesPixels()
{
    QFETCH(QByteArray, format);

    const QImage board = checkerboard();
    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(board));
    QVERIFY(evenlyGrey(reducer.picReduced()));
    const QImage loaded = changeSizeImage::loadDataReduced(encoded(board, format.constData(), 100));
    QCOMPARE(loaded.size(), QSize(900, 540));
    QVERIFY(evenlyGrey(loaded));
}

void tst_changeSizeImage::loadDataReduced_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("target");

    QTest::newRow("JPEG 2999 x 1999") << QSize(2999, 1999) << QByteArray("jpeg") << QSize(900, 600);
    QTest::newRow("JPEG 1003 x 3001") << QSize(1003, 3001) << QByteArray("jpeg") << QSize(900, 2693);
    QTest::newRow("JPEG 800 x 1600") << QSize(800, 1600) << QByteArray("jpeg") << QSize(400, 800);
    QTest::newRow("BMP 1200 x 700") << QSize(1200, 700) << QByteArray("bmp") << QSize(900, 525);
}

void tst_changeSizeImage::loadDataReduced()
{
    QFETCH(QSize, pixels);
    QFETCH(QByteArray, format);
    QFETCH(QSize, target);

    const QImage picture = quadrants(pixels.width(), pixels.height());
    const QImage reduced = changeSizeImage::loadDataReduced(encoded(picture, format.constData(), 90));
    QCOMPARE(reduced.size(), target);
    QVERIFY(showsQuadrants(reduced));
}

void tst_changeSizeImage::reducesEverySample()
{
    const QString samples = QStringLiteral(TESSELON_RUNTIME_DIR "/samples");
    const QStringList files = filesBelow(samples);
    QCOMPARE(files.size(), 6);
    for (const QString &file : files) {
        const QSize size = PictureLoader::peekSize(PictureLoader::readFile(file));
        QCOMPARE(changeSizeImage::loadFileReduced(file).size(), changeSizeImage::targetSize(size));
    }
    QCOMPARE(filesBelow(samples), files);
}

void tst_changeSizeImage::refusesNoPicture()
{
    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(quadrants(1200, 700)));
    QVERIFY(!reducer.setPicture(QImage()));
    QVERIFY(reducer.picReduced().isNull());
    const QByteArray jpeg = encoded(quadrants(3000, 2000), "jpeg", 90);
    QVERIFY(changeSizeImage::loadDataReduced(jpeg.left(jpeg.size() / 2)).isNull());
    QVERIFY(changeSizeImage::loadDataReduced(QByteArray()).isNull());
    QVERIFY(changeSizeImage::loadFileReduced("/no/such/folder/foto.jpg").isNull());
}

QTEST_MAIN(tst_changeSizeImage)
#include "tst_changesizeimage.moc"
