#include "picture/PictureSamples.h"

#include "PictureLoader.h"
#include "changeSizeImage.h"

#include <QtTest>

using namespace PictureSamples;

namespace
{

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
    bool grey = !image.isNull();
    for (int y = 2; y < image.height() - 2; y += 7)
        for (int x = 2; x < image.width() - 2; x += 7)
            grey = grey && std::abs(qGray(image.pixel(x, y)) - 128) <= 48;
    return grey;
}

} // namespace
class tst_changeSizeImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_sandbox;

private slots:
    void initTestCase() { QVERIFY(enterSandbox(m_sandbox)); }

    void targetSize_data()
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
    }

    void targetSize()
    {
        QFETCH(QSize, pixels);
        QTEST(changeSizeImage::targetSize(pixels), "target");
    }

    void setPicture()
    {
        changeSizeImage reducer;
        QVERIFY(reducer.setPicture(checkerboard()));
        QCOMPARE(reducer.picReduced().size(), QSize(900, 540));
        QVERIFY(evenlyGrey(reducer.picReduced()));
        QVERIFY(!reducer.setPicture(QImage()) && reducer.picReduced().isNull());
    }

    // A checkerboard must come out grey, anything else in its quadrants.
    void loadDataReduced_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("target");
        QTest::addColumn<bool>("grey");
        QTest::newRow("JPEG 2999 x 1999")
            << encoded(quadrants(2999, 1999), "jpeg", 90) << QSize(900, 600) << false;
        QTest::newRow("checkerboard JPEG") << encoded(checkerboard(), "jpeg", 100) << QSize(900, 540) << true;
        // Decoded at an eighth, 8188 x 8188, which just fits the limit; libjpeg decodes no
        // larger side than 65500.
        QTest::newRow("grey JPEG 65500 x 65500") << flatJpeg(65500, 65500) << QSize(900, 900) << true;
        QTest::newRow("grey JPEG 65501 x 8") << flatJpeg(65501, 8) << QSize(0, 0) << true;
    }

    void loadDataReduced()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, grey);
        const QImage reduced = changeSizeImage::loadDataReduced(bytes);
        QTEST(reduced.size(), "target");
        QVERIFY(reduced.isNull() || (grey ? evenlyGrey(reduced) : showsQuadrants(reduced)));
    }

    void reducesEverySample()
    {
        const QString samples = QStringLiteral(TESSELON_RUNTIME_DIR "/samples");
        const QStringList files = filesBelow(samples);
        QCOMPARE(files.size(), 6);
        for (const QString &file : files) {
            const QSize size = PictureLoader::peekSize(PictureLoader::readFile(file));
            QCOMPARE(changeSizeImage::loadFileReduced(file).size(), changeSizeImage::targetSize(size));
        }
        QCOMPARE(filesBelow(samples), files);
        QVERIFY(changeSizeImage::loadFileReduced(samples + "/no_such_file.jpg").isNull());
    }

    // The reduction never goes through a file, not even a temporary one.
    void cleanupTestCase() { QCOMPARE(filesBelow(m_sandbox.path()), QStringList()); }
};

QTEST_MAIN(tst_changeSizeImage)
#include "tst_changesizeimage.moc"
