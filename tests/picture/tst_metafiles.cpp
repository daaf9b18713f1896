#include "picture/PictureSamples.h"

#include "platform/PictureLoader.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace PictureSamples;

namespace {

// The middles of the sample metafiles: the geometric WMF's red core and the stained-glass
// EMF's golden heart. Both samples are 800 x 600 pixels.
const QColor core(200, 40, 40);
const QColor heart(250, 210, 40);
const QColor refused;

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

QByteArray emfRecord(quint32 type, const QList<quint32> &words)
{
    return littleEndian<quint32>({type, quint32(8 + 4 * words.size())}) + littleEndian(words);
}

// The record goes just before the EOF record, which ends the file; the header's counts
// are left to lie.
QByteArray beforeEof(QByteArray bytes, qsizetype eofBytes, const QByteArray &record)
{
    return bytes.insert(bytes.size() - eofBytes, record);
}

} // namespace

class tst_Metafiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_sandbox;
    const QByteArray m_wmf = sampleBytes("samples/geometrico.wmf");
    const QByteArray m_emf = sampleBytes("samples/vitral.emf");

private slots:
    void initTestCase() { QVERIFY(enterSandbox(m_sandbox)); }
    void draws_data();
    void draws();
    void refusesHostileMetafiles_data();
    void refusesHostileMetafiles();
    void survivesMutations_data();
    void survivesMutations();
    // libwmf writes the bitmaps of a metafile to files of their own unless told otherwise.
    void cleanupTestCase() { QCOMPARE(filesBelow(m_sandbox.path()), QStringList()); }
};

void tst_Metafiles::draws_data()
{
    const QByteArray &wmf = m_wmf, &emf = m_emf;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("middle");

    const QSize size(800, 600);
    // The WMF sample sets a transparent background, under which libwmf draws every fill half
    // transparent: the core would come out orange over the yellow star behind it.
    QTest::newRow("WMF") << wmf << size << core;
    QTest::newRow("WMF at 1440 units per inch")
        << patched<quint16>(wmf, {{14, 1440}}) << QSize(53, 40) << core;
    QTest::newRow("WMF frame of 800 inches") << patched<quint16>(wmf, {{14, 1}}) << QSize(4000, 3000) << core;
    QTest::newRow("WMF without placeable header") << wmf.mid(22) << size << core;
    QTest::newRow("WMF counts far too large")
        << patched(wmf, {{28, 0xFFFFFFFF}, {34, 0xFFFFFFFF}}) << size << core;
    const QByteArray text = QByteArrayLiteral("a<b &\xD1\x01!") + littleEndian<quint16>({100, 20});
    QTest::newRow("WMF text with markup, Latin-1 and control characters")
        << beforeEof(wmf, 6, wmfRecord(0x0521, {8}, text)) << size << core;
    QTest::newRow("WMF bitmap") << beforeEof(wmf, 6, stretchDib(40, 2, 2, 24)) << size << QColor(0, 0, 255);
    QTest::newRow("EMF") << emf << size << heart;
    QTest::newRow("EMF counts far too large")
        << patched(emf, {{48, 0x7FFFFFFF}, {52, 0x7FFFFFFF}}) << size << heart;
    QTest::newRow("EMF description outside the header")
        << patched(emf, {{60, 0x40000000}, {64, 0xFFFFFF00}}) << size << heart;
    QTest::newRow("EMF frame of 20 km")
        << patched(emf, {{32, 2000000000}, {36, 1500000000}}) << QSize(4000, 3000) << QColor();
}

void tst_Metafiles::draws()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QColor, middle);

    QCOMPARE(PictureLoader::peekSize(bytes), size);
    const QImage image = PictureLoader::loadData(bytes);
    QCOMPARE(image.size(), size);
    QVERIFY(!middle.isValid() || near(image.pixel(image.rect().center()), middle));
    const QImage small = PictureLoader::loadDataScaled(bytes, QSize(80, 60));
    QCOMPARE(small.size(), QSize(80, 60));
    QVERIFY(!middle.isValid() || near(small.pixel(40, 30), middle));
}

void tst_Metafiles::refusesHostileMetafiles_data()
{
    const QByteArray &wmf = m_wmf, &emf = m_emf;
    // The colour in the middle should the library draw the picture anyway; none when the
    // bytes must be refused.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QColor>("middle");

    for (const QByteArray &metafile : {wmf, emf}) {
        const char *name = metafile.startsWith('\x01') ? "EMF" : "WMF";
        for (int twelfths = 0; twelfths < 12; ++twelfths)
            QTest::addRow("%s cut to %d/12", name, twelfths)
                << metafile.left(metafile.size() * twelfths / 12) << refused;
        QTest::addRow("%s without its last byte", name) << metafile.chopped(1) << refused;
    }
    // Records that claim far more points, objects or characters than they hold.
    for (quint16 function : {0x0324, 0x0325, 0x0538, 0x012D, 0x01F0, 0x0521, 0x0A32, 0x02FB, 0x0626})
        QTest::addRow("WMF record %x claiming 60000", function)
            << beforeEof(wmf, 6, wmfRecord(function, {60000, 0x4241, 10, 10})) << core;
    for (quint32 type : {3, 4, 37, 39, 40, 84, 86})
        QTest::addRow("EMF record %u claiming 2^30", type)
            << beforeEof(emf, 20,
                         emfRecord(type, {0xFFFF, 0, 9, 9, 0x40000000, 1, 1, 0x40000000, 76, 0x40000000}))
            << heart;

    QTest::newRow("WMF record size beyond the file") << patched(wmf, {{40, 0xFFFFFFFF}}) << refused;
    QTest::newRow("WMF record of 0 words") << patched(wmf, {{40, 0}}) << refused;
    QTest::newRow("WMF 0 units per inch") << patched<quint16>(wmf, {{14, 0}}) << refused;
    QTest::newRow("WMF frame of zero width") << patched<quint16>(wmf, {{10, 0}}) << refused;
    QTest::newRow("WMF header other than 9 words") << patched<quint16>(wmf, {{24, 12}}) << refused;
    QTest::newRow("WMF without EOF record") << wmf.chopped(6) << refused;
    QTest::newRow("WMF header with no object slots") << patched<quint16>(wmf, {{32, 0}}) << core;
    QTest::newRow("WMF more objects than the table holds")
        << beforeEof(wmf, 6, wmfRecord(0x02FC, {0, 0x00FF, 0, 0}).repeated(12)) << core;
    QTest::newRow("WMF bitmap of 60000 x 60000")
        << beforeEof(wmf, 6, stretchDib(40, 60000, 60000, 24)) << refused;
    QTest::newRow("WMF bitmap beyond its record")
        << beforeEof(wmf, 6, stretchDib(40, 200, 200, 24)) << refused;
    QTest::newRow("WMF bitmap of negative width") << beforeEof(wmf, 6, stretchDib(40, -2, 2, 24)) << refused;
    QTest::newRow("WMF bitmap of 2^31 colours")
        << beforeEof(wmf, 6, stretchDib(40, 2, 2, 8, 1u << 31)) << refused;
    QTest::newRow("WMF bitmap header of 4 GB")
        << beforeEof(wmf, 6, stretchDib(0xFF000028, 2, 2, 24)) << refused;
    QTest::newRow("EMF record size beyond the file") << patched(emf, {{148, 0xFFFFFFF0}}) << refused;
    QTest::newRow("EMF record size 0") << patched(emf, {{148, 0}}) << refused;
    QTest::newRow("EMF record size not a multiple of 4") << patched(emf, {{148, 10}}) << refused;
    QTest::newRow("EMF header shorter than a header") << patched(emf, {{4, 40}}) << refused;
    QTest::newRow("EMF empty frame and bounds")
        << patched(emf, {{16, 0xFFFFFFFF}, {20, 0xFFFFFFFF}, {32, 0}, {36, 0}}) << refused;
    QTest::newRow("EMF without EOF record") << emf.chopped(20) << refused;
    QTest::newRow("EMF header with no object slots") << patched<quint16>(emf, {{56, 0}}) << heart;
}

void tst_Metafiles::refusesHostileMetafiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QColor, middle);

    const QImage image = PictureLoader::loadData(bytes);
    QVERIFY(image.isNull() || (middle.isValid() && near(image.pixel(400, 300), middle)));
    QVERIFY(middle.isValid() || !PictureLoader::peekSize(bytes).isValid());
    QVERIFY(middle.isValid() || PictureLoader::loadDataScaled(bytes, QSize(100, 100)).isNull());
}

void tst_Metafiles::survivesMutations_data()
{
    const QByteArray &wmf = m_wmf, &emf = m_emf;
    QTest::addColumn<QByteArray>("bytes");

    QRandomGenerator random(20240611);
    for (const QByteArray &seed : {wmf, emf}) {
        for (int round = 0; round < 100; ++round) {
            QByteArray mutated = seed;
            for (int change = 0; change <= round % 6; ++change)
                mutated[random.bounded(int(seed.size()))] = char(random.bounded(256));
            QTest::addRow("%s mutation %d", seed.startsWith('\x01') ? "EMF" : "WMF", round) << mutated;
        }
    }
}

void tst_Metafiles::survivesMutations()
{
    QFETCH(QByteArray, bytes);

    const QSize peeked = PictureLoader::peekSize(bytes);
    const QImage image = PictureLoader::loadData(bytes);
    QVERIFY(image.isNull() || (image.size() == peeked && image.width() <= PictureLoader::metafileMaxSide &&
                               image.height() <= PictureLoader::metafileMaxSide));
}

QTEST_MAIN(tst_Metafiles)
#include "tst_metafiles.moc"
