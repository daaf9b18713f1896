#include "picture/PictureSamples.h"

#include "PictureLoader.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace PictureSamples;

namespace
{

// A 4 x 2 bitmap of run-length encoded 8-bit pixels over a palette of black, red and blue.
QByteArray runLengthBitmap(const QByteArray &pixels)
{
    const auto size = quint32(pixels.size());
    return "BM" +
           littleEndian<quint32>(
               {66 + size, 0, 66, 40, 4, 2, 1 | 8 << 16, 1, size, 0, 0, 3, 0, 0, 0xFA0000, 0xFA}) +
           pixels;
}

// The middles of the sample metafiles: the geometric WMF's red core and the stained-glass
// EMF's golden heart. Both samples are 800 x 600 pixels.
const QColor core(200, 40, 40);
const QColor heart(250, 210, 40);

QByteArray wmfRecord(quint16 function, const QList<quint16> &parameters, const QByteArray &tail = {})
{
    const auto words = quint32(3 + parameters.size() + tail.size() / 2);
    return littleEndian<quint32>({words}) + littleEndian<quint16>({function}) + littleEndian(parameters) +
           tail;
}

// A StretchDIB record drawing two rows of two blue pixels over the 50 x 50 square in the
// middle of the WMF sample, under a bitmap header with the fields given.
QByteArray stretchDib(quint32 headerSize, qint32 width, qint32 height, quint16 bits, quint32 colours = 0)
{
    const QByteArray header = littleEndian<quint32>(
        {headerSize, quint32(width), quint32(height), 1u | bits << 16, 0, 0, 0, 0, colours, 0});
    const QByteArray pixels("\xFF\0\0\xFF\0\0\0\0\xFF\0\0\xFF\0\0\0\0", 16);
    return wmfRecord(0x0F43, {0x0020, 0x00CC, 0, quint16(height), quint16(width), 0, 0, 50, 50, 275, 375},
                     header + pixels);
}

// The record goes just before the EOF record, which ends the file; the header's counts
// are left to lie.
QByteArray beforeEof(QByteArray bytes, qsizetype eofBytes, const QByteArray &record)
{
    return bytes.insert(bytes.size() - eofBytes, record);
}

} // namespace

class tst_PictureLoader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_sandbox;
    const QByteArray m_wmf = builtPicture("samples/geometrico.wmf");
    const QByteArray m_emf = builtPicture("samples/vitral.emf");

private slots:
    void initTestCase() { QVERIFY(enterSandbox(m_sandbox)); }

    // Each row's bytes go into a file named like the row. The colour is that of the point
    // at the given fractions of the width and height, if fixed.
    void decodesByContent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QColor>("colour");
        const auto row = [](const char *tag, const QByteArray &bytes, QSize pixels, QPointF at, QColor c) {
            QTest::newRow(tag) << bytes << pixels << at << c;
        };

        // The bottom right quadrant is blue only when rows and columns come out in their order.
        const QImage picture = quadrants(120, 80);
        const QSize size = picture.size(), drawn(800, 600), big(4000, 3000);
        const QByteArray bmp = encoded(picture, "bmp");
        const QPointF corner(0.875, 0.875), middle(0.5, 0.5);
        const quint32 ones = 0xFFFFFFFF, most = 0x7FFFFFFF;
        const QColor blue = quadrantColours[2];
        row("JPEG named foto.bmp", encoded(picture, "jpeg", 90), size, corner, blue);
        row("BMP named foto.jpg", bmp, size, corner, blue);
        row("DIB without file header", bmp.mid(14), size, corner, blue);
        // A negative height reads the same rows top to bottom: the picture turns upside down.
        row("top-down BMP", patched(bmp, {{22, quint32(-80)}}), size, corner, quadrantColours[1]);
        row("ICO named icono.png", encoded(quadrants(32, 32), "ico"), QSize(32, 32), corner, blue);
        row("GIF named mosaico.jpg", builtPicture("samples/mosaico.gif"), drawn, corner, QColor(0x666666));
        row("run-length BMP", runLengthBitmap(QByteArrayLiteral("\x04\x01\x00\x00\x04\x02\x00\x01")),
            QSize(4, 2), corner, QColor(250, 0, 0));
        QImage clear(40, 40, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        row("transparent PNG, flattened on white", encoded(clear, "png"), QSize(40, 40), corner, Qt::white);
        row("WebP named foto.png", encoded(picture, "webp", 90), size, corner, blue);
        row("TIFF named foto.jpg", encoded(picture, "tiff"), size, corner, blue);
        // The generator's quadrants, 120 x 90: stored sideways or upside down with an
        // orientation tag, and encoded as HEIC and AVIF by heif-enc.
        const QSize landscape(120, 90);
        for (const char *name :
             {"sideways-3.jpg", "sideways-6.jpg", "sideways-8.jpg", "quadrants.heic", "quadrants.avif"})
            row(name, builtPicture(name), landscape, corner, blue);
        row("HEIC with a transparent quadrant", builtPicture("clear-corner.heic"), landscape, corner,
            Qt::white);

        const QByteArray &wmf = m_wmf, &emf = m_emf;
        // The WMF sample sets a transparent background, under which libwmf draws every fill half
        // transparent: the core would come out orange over the yellow star behind it.
        row("WMF", wmf, drawn, middle, core);
        row("WMF at 1440 units per inch", patched<quint16>(wmf, {{14, 1440}}), QSize(53, 40), middle, core);
        row("WMF frame of 800 inches", patched<quint16>(wmf, {{14, 1}}), big, middle, core);
        row("WMF without placeable header", wmf.mid(22), drawn, middle, core);
        row("WMF counts far too large", patched(wmf, {{28, ones}, {34, ones}}), drawn, middle, core);
        const QByteArray text = QByteArrayLiteral("a<b &\xD1\x01!") + littleEndian<quint16>({100, 20});
        row("WMF text with markup, Latin-1 and control characters",
            beforeEof(wmf, 6, wmfRecord(0x0521, {8}, text)), drawn, middle, core);
        row("WMF bitmap", beforeEof(wmf, 6, stretchDib(40, 2, 2, 24)), drawn, middle, QColor(0, 0, 255));
        row("EMF", emf, drawn, middle, heart);
        row("EMF counts far too large", patched(emf, {{48, most}, {52, most}}), drawn, middle, heart);
        row("EMF description outside the header", patched(emf, {{60, 0x40000000}, {64, 0xFFFFFF00}}), drawn,
            middle, heart);
        row("EMF frame of 20 km", patched(emf, {{32, 2000000000}, {36, 1500000000}}), big, middle, QColor());
    }

    void decodesByContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(QPointF, at);
        QFETCH(QColor, colour);
        QTemporaryDir folder;
        const QString file = folder.filePath(QTest::currentDataTag());
        QVERIFY(writeBytes(file, bytes));

        QCOMPARE(PictureLoader::peekSize(bytes), size);
        const QImage image = PictureLoader::loadFile(file);
        QCOMPARE(image.size(), size);
        const QImage fromMemory = PictureLoader::loadData(bytes);
        QCOMPARE(fromMemory.size(), size);
        const QImage scaled = PictureLoader::loadDataScaled(bytes, QSize(400, 300));
        QCOMPARE(scaled.size(), QSize(400, 300));
        for (const QImage &picture : {image, fromMemory, scaled}) {
            QCOMPARE(picture.format(), QImage::Format_RGB32);
            const QRgb pixel = picture.pixel(int(at.x() * picture.width()), int(at.y() * picture.height()));
            QVERIFY2(!colour.isValid() || near(pixel, colour), qPrintable(QColor(pixel).name()));
        }
    }

    // Bytes that must be refused, and damaged metafiles that the library may draw or not,
    // as long as it neither crashes nor draws beyond the caps.
    void refusesBadBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("refused");
        const auto row = [](const char *name, const QByteArray &bytes, bool refused = true) {
            QTest::newRow(name) << bytes << refused;
        };

        const QImage picture = quadrants(200, 150);
        const QByteArray jpeg = encoded(picture, "jpeg", 90), bmp = encoded(picture, "bmp");
        const QByteArray gif = builtPicture("samples/mosaico.gif"), ico = encoded(quadrants(32, 32), "ico");
        QList<quint32> noise(1000);
        QRandomGenerator(7).fillRange(noise.data(), noise.size());

        row("empty", QByteArray());
        row("random bytes", littleEndian(noise));
        row("SVG", "<svg xmlns='http://www.w3.org/2000/svg' width='9' height='9'/>");
        row("JPEG cut in half", jpeg.left(jpeg.size() / 2));
        row("GIF cut in half", gif.left(gif.size() / 2));
        row("BMP without its last byte", bmp.chopped(1));
        row("RLE bitmap without its end code", runLengthBitmap(QByteArrayLiteral("\x04\x01\x00\x00")));
        row("BMP claiming 2000 x 2000 over 200 x 150 pixels", patched(bmp, {{18, 2000}, {22, 2000}}));
        row("JPEG claiming 65535 x 65535 over 1000 bytes", flatJpeg(65535, 65535, false, 1000));
        const QByteArray heic = builtPicture("quadrants.heic"), avif = builtPicture("quadrants.avif");
        row("HEIC cut in half", heic.left(heic.size() / 2));
        row("HEIC without its last byte", heic.chopped(1));
        row("AVIF cut in half", avif.left(avif.size() / 2));
        QByteArray scrambled = heic;
        const qsizetype coded = heic.indexOf("mdat") + 4;
        for (qsizetype i = coded; i < scrambled.size(); ++i)
            scrambled[i] = char(noise[i % noise.size()]);
        row("HEIC with noise for its coded picture", scrambled, false);
        row("HEIC claiming 4 x 4",
            patched<quint32>(heic, {{heic.indexOf("ispe") + 8, qToBigEndian(4u)},
                                    {heic.indexOf("ispe") + 12, qToBigEndian(4u)}}),
            false);
        row("ICO entry pointing past the end", patched(ico, {{18, ico.size()}}));

        const QByteArray &wmf = m_wmf, &emf = m_emf;
        QRandomGenerator random(20240611);
        for (const QByteArray &metafile : {wmf, emf}) {
            const char *name = metafile.startsWith('\x01') ? "EMF" : "WMF";
            // The last cut keeps all but the last byte.
            for (qsizetype twelfths = 0; twelfths <= 12; ++twelfths)
                QTest::addRow("%s cut to %d/12", name, int(twelfths))
                    << metafile.left(std::min(metafile.size() * twelfths / 12, metafile.size() - 1)) << true;
            for (int round = 0; round < 100; ++round) {
                QByteArray mutated = metafile;
                for (int change = 0; change <= round % 6; ++change)
                    mutated[random.bounded(int(metafile.size()))] = char(random.bounded(256));
                QTest::addRow("%s mutation %d", name, round) << mutated << false;
            }
        }
        // Records that claim far more points, objects or characters than they hold.
        for (quint16 function : {0x0324, 0x0325, 0x0538, 0x012D, 0x01F0, 0x0521, 0x0A32, 0x02FB, 0x0626})
            QTest::addRow("WMF record %x claiming 60000", function)
                << beforeEof(wmf, 6, wmfRecord(function, {60000, 0x4241, 10, 10})) << false;
        const QList<quint32> huge{0xFFFF, 0, 9, 9, 0x40000000, 1, 1, 0x40000000, 76, 0x40000000};
        for (quint32 type : {3, 4, 37, 39, 40, 84, 86})
            QTest::addRow("EMF record %u claiming 2^30", type)
                << beforeEof(emf, 20, littleEndian<quint32>({type, 48}) + littleEndian(huge)) << false;
        for (quint32 words : {0u, 2u, 0xFFFFFFFFu})
            QTest::addRow("WMF record of %x words", words) << patched(wmf, {{40, words}}) << true;
        for (quint32 size : {0u, 10u, 0xFFFFFFF0u})
            QTest::addRow("EMF record size %x", size) << patched(emf, {{148, size}}) << true;

        row("WMF 0 units per inch", patched<quint16>(wmf, {{14, 0}}));
        row("WMF frame of zero width", patched<quint16>(wmf, {{10, 0}}));
        row("WMF header other than 9 words", patched<quint16>(wmf, {{24, 12}}));
        row("WMF without EOF record", wmf.chopped(6));
        row("WMF header with no object slots", patched<quint16>(wmf, {{32, 0}}), false);
        row("WMF more objects than the table holds",
            beforeEof(wmf, 6, wmfRecord(0x02FC, {0, 0x00FF, 0, 0}).repeated(12)), false);
        row("WMF bitmap of 60000 x 60000", beforeEof(wmf, 6, stretchDib(40, 60000, 60000, 24)));
        row("WMF bitmap beyond its record", beforeEof(wmf, 6, stretchDib(40, 200, 200, 24)));
        row("WMF bitmap of negative width", beforeEof(wmf, 6, stretchDib(40, -2, 2, 24)));
        row("WMF bitmap of 2^31 colours", beforeEof(wmf, 6, stretchDib(40, 2, 2, 8, 1u << 31)));
        row("WMF bitmap header of 4 GB", beforeEof(wmf, 6, stretchDib(0xFF000028, 2, 2, 24)));
        row("EMF header shorter than a header", patched(emf, {{4, 40}}));
        const QByteArray emptyFrame = patched(emf, {{16, 0xFFFFFFFF}, {20, 0xFFFFFFFF}, {32, 0}, {36, 0}});
        row("EMF empty frame and bounds", emptyFrame);
        row("EMF without EOF record", emf.chopped(20));
        row("EMF header with no object slots", patched<quint16>(emf, {{56, 0}}), false);
    }

    void refusesBadBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, refused);
        QString peekError, loadError;
        const QSize peeked = PictureLoader::peekSize(bytes, &peekError);
        const QImage image = PictureLoader::loadData(bytes, &loadError);
        const int cap = PictureLoader::metafileMaxSide;
        QVERIFY(image.isNull() || (image.size() == peeked && image.width() <= cap && image.height() <= cap));
        QVERIFY(!image.isNull() || !loadError.isEmpty());
        QVERIFY(!refused || (image.isNull() && !peeked.isValid()));
        QCOMPARE(refused ? peekError : PictureLoader::notPictureMessage(),
                 PictureLoader::notPictureMessage());
        QVERIFY(!refused || PictureLoader::loadDataScaled(bytes, QSize(100, 100)).isNull());
    }

    // The memory limit counts what is really decoded: a JPEG too large to decode whole opens
    // at the largest eighth of its size that fits, with the coefficients that a progressive
    // one keeps counted too. Pictures that fit no way are refused naming their size.
    void decodesWithinLimit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("loaded");
        // Refused when loaded is left out.
        const auto row = [](const char *name, const QByteArray &bytes, QSize size,
                            QSize loaded = QSize(0, 0)) { QTest::newRow(name) << bytes << size << loaded; };
        row("JPEG 20000 x 16000 at 3/8", flatJpeg(20000, 16000), QSize(20000, 16000), QSize(7500, 6000));
        row("progressive JPEG 8192 x 8192 at 5/8", flatJpeg(8192, 8192, true), QSize(8192, 8192),
            QSize(5120, 5120));
        row("progressive JPEG 30000 x 30000", flatJpeg(30000, 30000, true), QSize(30000, 30000));
        const QByteArray gif = builtPicture("samples/mosaico.gif"), heic = builtPicture("quadrants.heic");
        row("GIF screen of 65535 x 65535", patched<quint16>(gif, {{6, 65535}, {8, 65535}}),
            QSize(65535, 65535));
        const qsizetype ispe = heic.indexOf("ispe") + 8;
        row("HEIC of 20000 x 20000",
            patched<quint32>(heic, {{ispe, qToBigEndian(20000u)}, {ispe + 4, qToBigEndian(20000u)}}),
            QSize(20000, 20000));
    }

    void decodesWithinLimit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(QSize, loaded);
        QString peekError, loadError;
        const QSize peeked = PictureLoader::peekSize(bytes, &peekError);
        const QImage image = PictureLoader::loadData(bytes, &loadError);
        QCOMPARE(image.size(), loaded);
        QCOMPARE(peeked, loaded.isEmpty() ? QSize() : size);
        const QString tooLarge = loaded.isEmpty() ? PictureLoader::tooLargeMessage(size) : QString();
        QCOMPARE(peekError, tooLarge);
        QCOMPARE(loadError, tooLarge);
        QVERIFY(tooLarge.isEmpty() ||
                (tooLarge.contains(QString::number(size.width())) && tooLarge.contains("256")));
    }

    void refusesBadRequests()
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

    // libwmf writes the bitmaps of a metafile to files of their own unless told otherwise.
    void cleanupTestCase() { QCOMPARE(filesBelow(m_sandbox.path()), QStringList()); }
};

QTEST_MAIN(tst_PictureLoader)
#include "tst_pictureloader.moc"
