#include "picture/PictureSamples.h"

#include "dialog/changeSizeImage.h"
#include "platform/PictureLoader.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace PictureSamples;

namespace {

// One-pixel black and white squares: a reduction that picks pixels instead of averaging
// them shows black and white, an averaging one shows grey.
QImage checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return image;
}

bool evenlyGrey(const QImage &image)
{
    for (int y = 2; y < image.height() - 2; y += 7) {
        for (int x = 2; x < image.width() - 2; x += 7) {
            const int grey = qGray(image.pixel(x, y));
            if (grey < 80 || grey > 175)
                return false;
        }
    }
    return true;
}

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace

class tst_changeSizeImage : public QObject
{
    Q_OBJECT

private slots:
    void targetSize_data();
    void targetSize();
    void setPicture_data();
    void setPicture();
    void setPictureRefusesNoPicture();
    void reductionAveragesPixels_data();
    void reductionAveragesPixels();
    void loadDataReduced_data();
    void loadDataReduced();
    void loadDataReducedRefusesBadBytes();
    void loadFileReducedReadsTheSamples_data();
    void loadFileReducedReadsTheSamples();
    void writesNoFile();
};

void tst_changeSizeImage::targetSize_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("target");

    QTest::newRow("at both limits: kept") << QSize(1001, 901) << QSize(1001, 901);
    QTest::newRow("small: kept") << QSize(1000, 800) << QSize(1000, 800);
    QTest::newRow("one pixel too wide") << QSize(1002, 500) << QSize(900, 449);
    QTest::newRow("wide") << QSize(1200, 700) << QSize(900, 525);
    QTest::newRow("one pixel too high") << QSize(800, 902) << QSize(710, 800);
    QTest::newRow("high") << QSize(800, 950) << QSize(674, 800);
    QTest::newRow("at the width limit, very high") << QSize(1001, 5000) << QSize(160, 800);
    QTest::newRow("wide and high: only the width rule") << QSize(2000, 4000) << QSize(900, 1800);
    QTest::newRow("24-megapixel photo") << QSize(6000, 4000) << QSize(900, 600);
    QTest::newRow("a wide strip keeps one row") << QSize(5000, 3) << QSize(900, 1);
    QTest::newRow("a high strip keeps one column") << QSize(3, 5000) << QSize(1, 800);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(1, 1);
}

void tst_changeSizeImage::targetSize()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, target);

    QCOMPARE(changeSizeImage::targetSize(pixels), target);
}

void tst_changeSizeImage::setPicture_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QSize>("reduced");

    QTest::newRow("kept") << QSize(1001, 901) << QSize(1001, 901);
    QTest::newRow("too wide") << QSize(1002, 500) << QSize(900, 449);
    QTest::newRow("too high") << QSize(800, 902) << QSize(710, 800);
    QTest::newRow("both") << QSize(2000, 4000) << QSize(900, 1800);
}

void tst_changeSizeImage::setPicture()
{
    QFETCH(QSize, pixels);
    QFETCH(QSize, reduced);

    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(quadrants(pixels.width(), pixels.height())));
    QCOMPARE(reducer.picReduced().size(), reduced);
    QVERIFY(showsQuadrants(reducer.picReduced()));
}

void tst_changeSizeImage::setPictureRefusesNoPicture()
{
    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(quadrants(1200, 700)));
    QVERIFY(!reducer.setPicture(QImage()));
    QVERIFY(reducer.picReduced().isNull());
}

void tst_changeSizeImage::reductionAveragesPixels_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("BMP") << "bmp";
    QTest::newRow("PNG") << "png";
    QTest::newRow("JPEG, scaled by the decoder") << "jpeg";
}

void tst_changeSizeImage::reductionAveragesPixels()
{
    QFETCH(QString, format);

    const QImage board = checkerboard(2000, 1200);
    changeSizeImage reducer;
    QVERIFY(reducer.setPicture(board));
    QVERIFY(evenlyGrey(reducer.picReduced()));

    const QImage loaded = changeSizeImage::loadDataReduced(encoded(board, qPrintable(format), 100));
    QCOMPARE(loaded.size(), QSize(900, 540));
    QVERIFY(evenlyGrey(loaded));
}

void tst_changeSizeImage::loadDataReduced_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("target");

    QTest::newRow("JPEG 3000 x 2000") << encoded(quadrants(3000, 2000), "jpeg", 90) << QSize(900, 600);
    QTest::newRow("JPEG 2999 x 1999") << encoded(quadrants(2999, 1999), "jpeg", 90) << QSize(900, 600);
    QTest::newRow("JPEG 1003 x 3001") << encoded(quadrants(1003, 3001), "jpeg", 90) << QSize(900, 2693);
    QTest::newRow("JPEG 800 x 1600") << encoded(quadrants(800, 1600), "jpeg", 90) << QSize(400, 800);
    QTest::newRow("JPEG 1000 x 900, kept") << encoded(quadrants(1000, 900), "jpeg", 90) << QSize(1000, 900);
    QTest::newRow("BMP 1200 x 700") << encoded(quadrants(1200, 700), "bmp") << QSize(900, 525);
    QTest::newRow("PNG 1000 x 800, kept") << encoded(quadrants(1000, 800), "png") << QSize(1000, 800);
    QTest::newRow("WMF with a frame of 2000 x 1500")
        << wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(2000, 1500)), QRect(0, 0, 2000, 1500))
        << QSize(900, 675);
}

void tst_changeSizeImage::loadDataReduced()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, target);

    const QImage picture = changeSizeImage::loadDataReduced(bytes);
    QCOMPARE(picture.size(), target);
    if (!bytes.startsWith("\xD7\xCD\xC6\x9A"))
        QVERIFY(showsQuadrants(picture));
}

void tst_changeSizeImage::loadDataReducedRefusesBadBytes()
{
    const QByteArray jpeg = encoded(quadrants(3000, 2000), "jpeg", 90);
    QVERIFY(changeSizeImage::loadDataReduced(QByteArray()).isNull());
    QVERIFY(changeSizeImage::loadDataReduced(jpeg.left(jpeg.size() / 2)).isNull());
    QVERIFY(changeSizeImage::loadDataReduced(QByteArray("not a picture")).isNull());
    QVERIFY(changeSizeImage::loadFileReduced(QStringLiteral("/no/such/folder/foto.jpg")).isNull());
}

void tst_changeSizeImage::loadFileReducedReadsTheSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("target");

    QTest::newRow("landscape") << "samples/paisaje.jpg" << QSize(900, 675);
    QTest::newRow("town map") << "samples/ciudad.jpg" << QSize(900, 675);
    QTest::newRow("mosaic") << "samples/mosaico.gif" << QSize(800, 600);
    QTest::newRow("clock") << "samples/reloj.bmp" << QSize(720, 720);
    QTest::newRow("geometric WMF") << "samples/geometrico.wmf" << QSize(800, 600);
    QTest::newRow("stained-glass EMF") << "samples/vitral.emf" << QSize(800, 600);
}

void tst_changeSizeImage::loadFileReducedReadsTheSamples()
{
    QFETCH(QString, file);
    QFETCH(QSize, target);

    QCOMPARE(changeSizeImage::loadFileReduced(runtimeFile(file)).size(), target);
}

void tst_changeSizeImage::writesNoFile()
{
    // Every place a temporary file could plausibly go is pointed at an empty folder,
    // which must still be empty after every kind of picture was loaded and reduced.
    QTemporaryDir sandbox;
    QVERIFY(sandbox.isValid());
    const QByteArray names[] = {"HOME", "TMPDIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"};
    QList<std::optional<QByteArray>> saved;
    for (const QByteArray &name : names) {
        saved << (qEnvironmentVariableIsSet(name.constData()) ? std::optional(qgetenv(name.constData()))
                                                              : std::nullopt);
        qputenv(name.constData(), sandbox.path().toLocal8Bit());
    }
    const QString previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(sandbox.path()));
    const QString samples = runtimeFile(QStringLiteral("samples"));
    const QStringList before = filesBelow(samples);

    changeSizeImage reducer;
    for (const QString &file : before) {
        QVERIFY(!changeSizeImage::loadFileReduced(file).isNull());
        QVERIFY(reducer.setPicture(PictureLoader::loadFile(file)));
    }
    QVERIFY(reducer.setPicture(quadrants(2000, 1500)));

    QDir::setCurrent(previousFolder);
    for (int i = 0; i < saved.size(); ++i) {
        if (saved[i])
            qputenv(names[i].constData(), *saved[i]);
        else
            qunsetenv(names[i].constData());
    }
    QCOMPARE(filesBelow(sandbox.path()), QStringList());
    QCOMPARE(filesBelow(samples), before);
}

QTEST_MAIN(tst_changeSizeImage)
#include "tst_changesizeimage.moc"
