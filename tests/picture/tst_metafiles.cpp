#include "picture/EmfBytes.h"
#include "picture/PictureSamples.h"

#include "platform/PictureLoader.h"

#include <QtEndian>
#include <QtTest>

#include <random>

using namespace PictureSamples;

namespace {

const QColor green(0, 128, 0);
const QColor red(255, 0, 0);

// Green at the corners, red in the middle: the test drawing came out where it belongs.
bool showsRedEllipseOnGreen(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    return !image.isNull() && near(image.pixel(w / 2, h / 2), red) &&
           near(image.pixel(w / 10, h / 10), green) &&
           near(image.pixel(w - 1 - w / 10, h - 1 - h / 10), green) && near(image.pixel(w / 2, h / 6), green);
}

QByteArray goodWmf()
{
    return wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300)));
}

// Offsets of the EMF records, in file order.
QList<qsizetype> emfRecords(const QByteArray &bytes)
{
    QList<qsizetype> offsets;
    qsizetype pos = 0;
    while (bytes.size() - pos >= 8) {
        offsets << pos;
        const quint32 type = qFromLittleEndian<quint32>(bytes.constData() + pos);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + pos + 4);
        if (type == 14 || size < 8)
            break;
        pos += size;
    }
    return offsets;
}

qsizetype firstEmfRecord(const QByteArray &bytes, quint32 type)
{
    for (qsizetype offset : emfRecords(bytes)) {
        if (qFromLittleEndian<quint32>(bytes.constData() + offset) == type)
            return offset;
    }
    return -1;
}

// A record spliced in just before the EOF record, with the header counts left as they
// were (the loader must not trust them either).
QByteArray withEmfRecordBeforeEof(QByteArray bytes, const QByteArray &record)
{
    bytes.insert(firstEmfRecord(bytes, 14), record);
    return bytes;
}

QByteArray emfRecord(quint32 type, const QList<quint32> &words)
{
    QByteArray record;
    record.resize(8 + 4 * words.size());
    poke32(record, 0, type);
    poke32(record, 4, quint32(record.size()));
    for (int i = 0; i < words.size(); ++i)
        poke32(record, 8 + 4 * i, words[i]);
    return record;
}

// Every result of hostile bytes must be either refused or a picture within the caps.
bool refusedOrBounded(const QImage &image)
{
    return image.isNull() || (image.width() <= PictureLoader::metafileMaxSide &&
                              image.height() <= PictureLoader::metafileMaxSide);
}

// What a damaged metafile may come to.
enum class Outcome {
    Refused,        // not a picture
    Drawn,          // the damage is repaired or harmless: the picture is whole
    RefusedOrDrawn, // records after the drawing lie; the library may give up or skip them
};

void checkOutcome(const QByteArray &bytes, Outcome outcome)
{
    const QImage image = PictureLoader::loadData(bytes);
    switch (outcome) {
    case Outcome::Refused:
        QVERIFY(!PictureLoader::peekSize(bytes).isValid());
        QVERIFY(image.isNull());
        QVERIFY(PictureLoader::loadDataScaled(bytes, QSize(100, 100)).isNull());
        break;
    case Outcome::Drawn:
        QVERIFY(showsRedEllipseOnGreen(image));
        break;
    case Outcome::RefusedOrDrawn:
        QVERIFY(image.isNull() || showsRedEllipseOnGreen(image));
        break;
    }
}

// The test drawing followed by records that lie about what they hold.
QByteArray wmfEndingWith(const QList<WmfRecord> &lies)
{
    return wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300)) + lies);
}

// A StretchDIB record that draws a bitmap into (10, 10, 50 x 50) of the window: a
// bitmap header with the given fields, followed by the given pixels.
WmfRecord stretchDib(quint32 headerSize, qint32 width, qint32 height, quint16 bits, quint32 colours,
                     const QByteArray &pixels)
{
    QList<quint16> parameters{0x0020, 0x00CC, 0, quint16(height), quint16(width), 0, 0, 50, 50, 10, 10};
    const quint32 header[] = {headerSize, quint32(width), quint32(height), quint32(1 | bits << 16), 0, 0, 0, 0,
                              colours,    0};
    for (quint32 word : header)
        parameters << quint16(word & 0xFFFF) << quint16(word >> 16);
    for (qsizetype i = 0; i + 1 < pixels.size(); i += 2)
        parameters << qFromLittleEndian<quint16>(pixels.constData() + i);
    return {0x0F43, parameters};
}

// Two rows of two blue pixels, each row padded to four bytes.
const QByteArray bluePixels("\xFF\x00\x00\xFF\x00\x00\x00\x00\xFF\x00\x00\xFF\x00\x00\x00\x00", 16);

} // namespace

Q_DECLARE_METATYPE(Outcome)

class tst_Metafiles : public QObject
{
    Q_OBJECT

private slots:
    void drawsWmf_data();
    void drawsWmf();
    void drawsEmf();
    void drawsWmfWithTransparentBackgroundSolid();
    void drawsWmfBitmaps();
    void drawsWmfText_data();
    void drawsWmfText();
    void capsAbsurdFrames_data();
    void capsAbsurdFrames();
    void scalesMetafilesToTheSizeAsked();
    void refusesHostileWmf_data();
    void refusesHostileWmf();
    void refusesTruncatedMetafiles_data();
    void refusesTruncatedMetafiles();
    void refusesHostileEmf_data();
    void refusesHostileEmf();
    void survivesMutatedMetafiles_data();
    void survivesMutatedMetafiles();
    void drawsTheSamples_data();
    void drawsTheSamples();
};

void tst_Metafiles::drawsWmf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    QTest::newRow("placeable, 96 units per inch") << goodWmf() << QSize(400, 300);
    QTest::newRow("placeable, 1440 units per inch")
        << wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(2880, 1440)), QRect(0, 0, 2880, 1440), 1440)
        << QSize(192, 96);
    QTest::newRow("placeable frame away from the origin")
        << wmf(greenFieldRedEllipse(QPoint(100, 200), QSize(400, 300)), QRect(100, 200, 400, 300))
        << QSize(400, 300);
    QTest::newRow("no placeable header: the window extent in pixels")
        << wmf(greenFieldRedEllipse(QPoint(100, 100), QSize(640, 480)), QRect()) << QSize(640, 480);
}

void tst_Metafiles::drawsWmf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);

    QCOMPARE(PictureLoader::peekSize(bytes), size);
    const QImage image = PictureLoader::loadData(bytes);
    QCOMPARE(image.size(), size);
    QVERIFY(showsRedEllipseOnGreen(image));
}

void tst_Metafiles::drawsEmf()
{
    const QByteArray bytes = EmfBytes::greenFieldRedEllipse();
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(PictureLoader::peekSize(bytes), QSize(320, 240));
    const QImage image = PictureLoader::loadData(bytes);
    QCOMPARE(image.size(), QSize(320, 240));
    QVERIFY(showsRedEllipseOnGreen(image));
}

void tst_Metafiles::drawsWmfWithTransparentBackgroundSolid()
{
    QList<WmfRecord> records = greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300));
    records.prepend({0x0102, {1}}); // SetBkMode TRANSPARENT
    const QImage image = PictureLoader::loadData(wmf(records));
    QVERIFY(showsRedEllipseOnGreen(image));
    QVERIFY(near(image.pixel(200, 150), red, 8));
    QVERIFY(near(image.pixel(20, 20), green, 8));
}

void tst_Metafiles::drawsWmfBitmaps()
{
    const QByteArray bytes = wmf({{0x020C, {300, 400}}, stretchDib(40, 2, 2, 24, 0, bluePixels)});
    const QImage image = PictureLoader::loadData(bytes);
    QCOMPARE(image.size(), QSize(400, 300));
    QVERIFY(near(image.pixel(35, 35), QColor(0, 0, 255)));
    QVERIFY(near(image.pixel(65, 65), QColor(255, 255, 255)));
    QVERIFY(near(image.pixel(200, 150), QColor(255, 255, 255)));
}

void tst_Metafiles::drawsWmfText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("Tesselon");
    QTest::newRow("XML markup characters") << QByteArray("a<b & c>d");
    QTest::newRow("Latin-1 accents") << QByteArray("\xD1"
                                                   "and\xFA ca\xF1\xF3n");
    QTest::newRow("control characters") << QByteArray("uno\x01dos\x1Btres");
}

void tst_Metafiles::drawsWmfText()
{
    QFETCH(QByteArray, text);

    QByteArray padded = text;
    if (padded.size() % 2)
        padded += '\0';
    QList<quint16> textOut{quint16(text.size())};
    for (qsizetype i = 0; i < padded.size(); i += 2)
        textOut << qFromLittleEndian<quint16>(padded.constData() + i);
    textOut << 100 << 20; // y, x
    // Height, width, escapement, orientation, weight, four words of byte-sized fields,
    // then the face name "Arial" with its terminating zero.
    const QList<quint16> font{quint16(-60), 0, 0, 0, 700, 0, 0, 0, 0, 'A' | 'r' << 8, 'i' | 'a' << 8, 'l'};
    const QList<WmfRecord> records{
        {0x020C, {300, 400}}, // SetWindowExt
        {0x02FB, font},       // CreateFontIndirect
        {0x012D, {0}},        // SelectObject
        {0x0209, {0, 0}},     // SetTextColor black
        {0x0102, {1}},        // SetBkMode TRANSPARENT
        {0x0521, textOut},    // TextOut
    };

    const QImage image = PictureLoader::loadData(wmf(records));
    QCOMPARE(image.size(), QSize(400, 300));
    int dark = 0;
    for (int y = 90; y < 180; ++y) {
        for (int x = 10; x < 390; ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    }
    QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
    QCOMPARE(qGray(image.pixel(200, 280)), 255);
}

void tst_Metafiles::capsAbsurdFrames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    QTest::newRow("WMF frame of 32000 inches")
        << wmf(greenFieldRedEllipse(QPoint(-16000, -8000), QSize(32000, 16000)),
               QRect(-16000, -8000, 32000, 16000), 1)
        << QSize(4000, 2000);
    QTest::newRow("WMF window of 30000 x 300 pixels")
        << wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(30000, 300)), QRect()) << QSize(4000, 40);

    QByteArray hugeFrame = EmfBytes::greenFieldRedEllipse();
    poke32(hugeFrame, 24, quint32(-2000000000));
    poke32(hugeFrame, 28, quint32(-1000000000));
    poke32(hugeFrame, 32, 2000000000);
    poke32(hugeFrame, 36, 1000000000);
    QTest::newRow("EMF frame of 40 km") << hugeFrame << QSize(4000, 2000);
}

void tst_Metafiles::capsAbsurdFrames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);

    QCOMPARE(PictureLoader::peekSize(bytes), size);
    QCOMPARE(PictureLoader::loadData(bytes).size(), size);
}

void tst_Metafiles::scalesMetafilesToTheSizeAsked()
{
    const QImage fromWmf = PictureLoader::loadDataScaled(goodWmf(), QSize(900, 675));
    QCOMPARE(fromWmf.size(), QSize(900, 675));
    QVERIFY(showsRedEllipseOnGreen(fromWmf));
    const QImage fromEmf = PictureLoader::loadDataScaled(EmfBytes::greenFieldRedEllipse(), QSize(64, 48));
    QCOMPARE(fromEmf.size(), QSize(64, 48));
    QVERIFY(showsRedEllipseOnGreen(fromEmf));
}

void tst_Metafiles::refusesHostileWmf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Outcome>("outcome");

    const QByteArray good = goodWmf();
    const qsizetype header = 22;
    const qsizetype firstRecord = header + 18;

    QByteArray hugeRecord = good;
    poke32(hugeRecord, firstRecord, 0xFFFFFFFFu);
    QTest::newRow("record size beyond the file") << hugeRecord << Outcome::Refused;
    for (quint32 words : {0u, 1u, 2u}) {
        QByteArray tiny = good;
        poke32(tiny, firstRecord, words);
        QTest::addRow("record size of %u words", words) << tiny << Outcome::Refused;
    }
    QByteArray noUnits = good;
    poke16(noUnits, 14, 0);
    QTest::newRow("placeable header with 0 units per inch") << noUnits << Outcome::Refused;
    QTest::newRow("placeable frame of zero width")
        << wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300)), QRect(0, 0, 0, 300)) << Outcome::Refused;
    QTest::newRow("window extent of zero height")
        << wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(400, 0)), QRect()) << Outcome::Refused;
    QByteArray badHeader = good;
    poke16(badHeader, header + 2, 12);
    QTest::newRow("header size other than 9 words") << badHeader << Outcome::Refused;
    QTest::newRow("no EOF record") << good.chopped(6) << Outcome::Refused;

    QByteArray wrongCounts = good;
    poke32(wrongCounts, header + 6, 0xFFFFFFFFu);
    poke32(wrongCounts, header + 12, 0xFFFFFFFFu);
    QTest::newRow("header file size and largest record far too large") << wrongCounts << Outcome::Drawn;

    QTest::newRow("polygon claiming 30000 points")
        << wmfEndingWith({{0x0324, {30000, 10, 10, 200, 10, 100, 150}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("polypolygon claiming 5000 polygons")
        << wmfEndingWith({{0x0538, {5000, 3, 3}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("polyline claiming 65535 points")
        << wmfEndingWith({{0x0325, {65535, 0, 0}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("select of slot 60000") << wmfEndingWith({{0x012D, {60000}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("delete of slot 60000") << wmfEndingWith({{0x01F0, {60000}}}) << Outcome::RefusedOrDrawn;
    QList<WmfRecord> brushes;
    for (int i = 0; i < 12; ++i)
        brushes << WmfRecord{0x02FC, {0, 0x00FF, 0, 0}};
    QTest::newRow("more objects than the table holds") << wmfEndingWith(brushes) << Outcome::RefusedOrDrawn;
    QByteArray noSlots = good;
    poke16(noSlots, header + 10, 0);
    QTest::newRow("header with no object slots") << noSlots << Outcome::RefusedOrDrawn;
    QTest::newRow("bitmap claiming 60000 x 60000 pixels")
        << wmfEndingWith({stretchDib(40, 60000, 60000, 24, 0, bluePixels)}) << Outcome::Refused;
    QTest::newRow("bitmap claiming more pixels than its record holds")
        << wmfEndingWith({stretchDib(40, 200, 200, 24, 0, bluePixels)}) << Outcome::Refused;
    QTest::newRow("bitmap with a palette of 2^31 colours")
        << wmfEndingWith({stretchDib(40, 2, 2, 8, 0x80000000u, bluePixels)}) << Outcome::Refused;
    QTest::newRow("bitmap of negative width")
        << wmfEndingWith({stretchDib(40, -2, 2, 24, 0, bluePixels)}) << Outcome::Refused;
    QTest::newRow("bitmap header claiming 4 GB")
        << wmfEndingWith({stretchDib(0xFF000028u, 2, 2, 24, 0, bluePixels)}) << Outcome::Refused;
    QTest::newRow("text longer than its record")
        << wmfEndingWith({{0x0521, {4000, 0x4241, 10, 10}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("extended text longer than its record")
        << wmfEndingWith({{0x0A32, {10, 10, 3000, 0, 0x4241}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("font without a face name end")
        << wmfEndingWith({{0x02FB, {20, 0, 0, 0, 400, 0, 0, 0, 0x4141, 0x4141, 0x4141}}})
        << Outcome::RefusedOrDrawn;
    QTest::newRow("escape claiming 60000 bytes")
        << wmfEndingWith({{0x0626, {15, 60000, 1, 2}}}) << Outcome::RefusedOrDrawn;
    QTest::newRow("window shrunk to nothing after drawing")
        << wmfEndingWith({{0x020C, {0, 0}}, {0x0418, {9, 9, 1, 1}}}) << Outcome::RefusedOrDrawn;
}

void tst_Metafiles::refusesHostileWmf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Outcome, outcome);

    checkOutcome(bytes, outcome);
}

void tst_Metafiles::refusesTruncatedMetafiles_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray metafiles[] = {goodWmf(),
                                    wmf(greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300)), QRect()),
                                    EmfBytes::greenFieldRedEllipse()};
    const char *names[] = {"placeable WMF", "standard WMF", "EMF"};
    for (int i = 0; i < 3; ++i) {
        for (qsizetype length = 0; length < metafiles[i].size(); length += 3)
            QTest::addRow("%s cut to %lld bytes", names[i], qlonglong(length)) << metafiles[i].left(length);
        QTest::addRow("%s without its last byte", names[i]) << metafiles[i].chopped(1);
    }
}

void tst_Metafiles::refusesTruncatedMetafiles()
{
    QFETCH(QByteArray, bytes);

    QVERIFY(!PictureLoader::peekSize(bytes).isValid());
    QVERIFY(PictureLoader::loadData(bytes).isNull());
}

void tst_Metafiles::refusesHostileEmf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Outcome>("outcome");

    const QByteArray good = EmfBytes::greenFieldRedEllipse();
    const QList<qsizetype> records = emfRecords(good);
    QVERIFY(records.size() > 3);

    QByteArray hugeRecord = good;
    poke32(hugeRecord, records[2] + 4, 0xFFFFFFF0u);
    QTest::newRow("record size beyond the file") << hugeRecord << Outcome::Refused;
    QByteArray zeroRecord = good;
    poke32(zeroRecord, records[2] + 4, 0);
    QTest::newRow("record size 0") << zeroRecord << Outcome::Refused;
    QByteArray oddRecord = good;
    poke32(oddRecord, records[2] + 4, 10);
    QTest::newRow("record size not a multiple of 4") << oddRecord << Outcome::Refused;
    QByteArray shortHeader = good;
    poke32(shortHeader, 4, 40);
    QTest::newRow("header record shorter than a header") << shortHeader << Outcome::Refused;
    QByteArray noSize = good;
    for (int offset : {8, 12, 24, 28, 32, 36})
        poke32(noSize, offset, 0);
    poke32(noSize, 16, quint32(-1));
    poke32(noSize, 20, quint32(-1));
    QTest::newRow("empty frame and empty bounds") << noSize << Outcome::Refused;
    QTest::newRow("no EOF record") << good.left(firstEmfRecord(good, 14)) << Outcome::Refused;

    QByteArray lyingCounts = good;
    poke32(lyingCounts, 48, 0x7FFFFFFF);
    poke32(lyingCounts, 52, 0x7FFFFFFF);
    QTest::newRow("header byte and record counts far too large") << lyingCounts << Outcome::Drawn;
    QByteArray description = good;
    poke32(description, 60, 0x40000000);
    poke32(description, 64, 0xFFFFFF00u);
    QTest::newRow("description far outside the header") << description << Outcome::Drawn;

    QTest::newRow("polygon claiming 2^30 points")
        << withEmfRecordBeforeEof(good, emfRecord(3, {0, 0, 100, 100, 0x40000000u, 10, 10, 50, 50}))
        << Outcome::RefusedOrDrawn;
    QTest::newRow("select of an object that was never made")
        << withEmfRecordBeforeEof(good, emfRecord(37, {0x7FFF})) << Outcome::RefusedOrDrawn;
    QTest::newRow("brush made in a slot far beyond the table")
        << withEmfRecordBeforeEof(good, emfRecord(39, {0xFFFF, 0, 0xFF, 0})) << Outcome::RefusedOrDrawn;
    QTest::newRow("delete of an object that was never made")
        << withEmfRecordBeforeEof(good, emfRecord(40, {0x1234})) << Outcome::RefusedOrDrawn;
    QTest::newRow("text claiming 2^30 characters")
        << withEmfRecordBeforeEof(good, emfRecord(84, {0, 0, 10, 10, 1, 0, 0, 10, 10, 0x40000000u, 76, 0, 0,
                                                       0, 0, 0, 0, 0, 0x00410041}))
        << Outcome::RefusedOrDrawn;
    QByteArray noHandles = good;
    poke16(noHandles, 56, 0);
    QTest::newRow("header with no object slots") << noHandles << Outcome::RefusedOrDrawn;
}

void tst_Metafiles::refusesHostileEmf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Outcome, outcome);

    checkOutcome(bytes, outcome);
}

void tst_Metafiles::survivesMutatedMetafiles_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QList<WmfRecord> withObjects = greenFieldRedEllipse(QPoint(0, 0), QSize(400, 300));
    withObjects << WmfRecord{0x0324, {3, 10, 10, 200, 10, 100, 150}}                        // Polygon
                << WmfRecord{0x0538, {2, 3, 3, 0, 0, 50, 0, 0, 50, 60, 60, 90, 60, 60, 90}} // PolyPolygon
                << WmfRecord{0x0325, {2, 0, 0, 300, 200}};                                  // Polyline
    const QByteArray seeds[] = {wmf(withObjects), EmfBytes::greenFieldRedEllipse()};
    const char *names[] = {"WMF", "EMF"};
    std::mt19937 random(20240611);
    for (int s = 0; s < 2; ++s) {
        const QByteArray &seed = seeds[s];
        std::uniform_int_distribution<qsizetype> position(0, seed.size() - 1);
        std::uniform_int_distribution<int> value(0, 255);
        for (int round = 0; round < 150; ++round) {
            QByteArray mutated = seed;
            const int changes = 1 + round % 6;
            for (int c = 0; c < changes; ++c)
                mutated[position(random)] = char(value(random));
            QTest::addRow("%s mutation %d", names[s], round) << mutated;
        }
    }
}

void tst_Metafiles::survivesMutatedMetafiles()
{
    QFETCH(QByteArray, bytes);

    const QSize peeked = PictureLoader::peekSize(bytes);
    const QImage image = PictureLoader::loadData(bytes);
    QVERIFY(refusedOrBounded(image));
    if (!image.isNull())
        QCOMPARE(image.size(), peeked);
}

void tst_Metafiles::drawsTheSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("WMF") << QStringLiteral("samples/geometrico.wmf");
    QTest::newRow("EMF") << QStringLiteral("samples/vitral.emf");
}

void tst_Metafiles::drawsTheSamples()
{
    QFETCH(QString, file);

    const QImage image = PictureLoader::loadFile(runtimeFile(file));
    QCOMPARE(image.size(), QSize(800, 600));
    // A colourful picture: many distinct colours, not a blank or single-colour canvas.
    QSet<QRgb> colours;
    for (int y = 5; y < image.height(); y += 37) {
        for (int x = 5; x < image.width(); x += 41)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY2(colours.size() > 12, qPrintable(QString::number(colours.size())));
}

QTEST_MAIN(tst_Metafiles)
#include "tst_metafiles.moc"
