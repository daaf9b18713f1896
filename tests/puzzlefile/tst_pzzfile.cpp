#include "puzzlefile/PzzSamples.h"

#include <QTemporaryFile>
#include <QtTest>

using namespace PzzSamples;

Q_DECLARE_METATYPE(PzzFile::Check)

namespace
{

// A 4 × 3 Normal-style puzzle, solved except that places (1, 1) and (2, 3) have exchanged pieces.
PzzFile fourByThree(const QByteArray &picture)
{
    TableroClass board;
    board.Inicializar(4, 3, 4, 3, QStringLiteral("jpg"), false, false);
    board.IntercambiarFichas(1, 1, 2, 3);
    return puzzle(board, picture);
}

// A device without positions or size, like a pipe.
class Stream : public QIODevice
{
public:
    explicit Stream(const QByteArray &bytes) : m_bytes(bytes) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 n = qMin(maxSize, qint64(m_bytes.size()) - m_at);
        memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};

} // namespace

class tst_PzzFile : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void refusals_data();
    void refusals();
    void sourcesKeepTheirIdentity();
    void oversizedFileRefusedBeforeReading();
    void sequentialDevice();
    void extensionField_data();
    void extensionField();
};

void tst_PzzFile::layout()
{
    const QByteArray picture = pictureBytes("PNG");
    const QByteArray bytes = fourByThree(picture).toBytes();

    QCOMPARE(bytes.size(), 78 + picture.size());
    QCOMPARE(bytes.left(30).toHex(' '),
             QByteArray("1e 05 01 00 00 00 6a 70 67 20 20 20 04 00 03 00 04 00 03 00 "
                        "00 00 00 00 00 00 00 00 00 00"));
    // Column by column, the row changing fastest: home column, then home row.
    QCOMPARE(bytes.mid(placeOffset(1, 1, 3), 4).toHex(' '), QByteArray("02 00 03 00"));
    QCOMPARE(bytes.mid(placeOffset(1, 2, 3), 4).toHex(' '), QByteArray("01 00 02 00"));
    QCOMPARE(bytes.mid(placeOffset(2, 1, 3), 4).toHex(' '), QByteArray("02 00 01 00"));
    QCOMPARE(bytes.mid(placeOffset(2, 3, 3), 4).toHex(' '), QByteArray("01 00 01 00"));
    QCOMPARE(bytes.mid(placeOffset(4, 3, 3), 4).toHex(' '), QByteArray("04 00 03 00"));
    QCOMPARE(bytes.mid(78), picture);

    PzzFile sliding = fourByThree(pictureBytes("BMP", Qt::red, 90, 70));
    sliding.style = PzzFile::styleValue(true);
    const QByteArray other = sliding.toBytes();
    QCOMPARE(other.mid(20, 2).toHex(), QByteArray("ffff"));
    QCOMPARE(withInt16(other, 20, 0).left(78), bytes.left(78));
}

void tst_PzzFile::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PzzFile::Check>("expected");

    const QByteArray good = fourByThree(pictureBytes("PNG")).toBytes();
    const auto damaged = PzzFile::Check::Damaged;

    QTest::newRow("sound file") << good << PzzFile::Check::Ok;
    QTest::newRow("any nonzero style reads as sliding") << withInt16(good, 20, 1) << PzzFile::Check::Ok;
    QTest::newRow("reserved fields ignored")
        << withInt16(withInt16(good, 4, 9), 24, -3) << PzzFile::Check::Ok;

    const QList<QPair<const char *, int>> cuts = {
        {"empty", 0},          {"half a magic", 1},       {"magic alone", 2},       {"half a version", 3},
        {"no reserved", 4},    {"no extension", 6},       {"half an extension", 9}, {"no columns", 12},
        {"no rows", 14},       {"no second columns", 16}, {"no second rows", 18},   {"no style", 20},
        {"no reserved A", 22}, {"no reserved B", 26},     {"header minus one", 29}, {"no table", 30},
        {"half an entry", 32}, {"table minus one", 77},   {"no picture", 78}};
    for (const auto &cut : cuts)
        QTest::addRow("truncated: %s", cut.first) << good.left(cut.second) << damaged;

    QTest::newRow("magic 0x051F") << withInt16(good, 0, 0x051F) << PzzFile::Check::WrongMagic;
    QTest::newRow("magic byte-swapped") << withInt16(good, 0, 0x1E05) << PzzFile::Check::WrongMagic;
    QTest::newRow("wrong magic tested before version")
        << withInt16(withInt16(good, 0, 0), 2, 2) << PzzFile::Check::WrongMagic;
    QTest::newRow("wrong magic, nothing else") << withInt16(good, 0, 7).left(2) << PzzFile::Check::WrongMagic;
    QTest::newRow("version 2") << withInt16(good, 2, 2) << PzzFile::Check::WrongVersion;
    QTest::newRow("version 0") << withInt16(good, 2, 0) << PzzFile::Check::WrongVersion;
    QTest::newRow("version 2, header cut") << withInt16(good, 2, 2).left(10) << PzzFile::Check::WrongVersion;

    for (const qint16 count : {qint16(0), qint16(1), qint16(-1), qint16(31), qint16(32767), qint16(-32768)}) {
        QTest::addRow("columns %d", count) << withInt16(withInt16(good, 12, count), 16, count) << damaged;
        QTest::addRow("rows %d", count) << withInt16(withInt16(good, 14, count), 18, count) << damaged;
    }
    QTest::newRow("table short for 5 columns")
        << withInt16(withInt16(good, 12, 5), 16, 5).left(78) << damaged;
    QTest::newRow("second columns differ") << withInt16(good, 16, 3) << damaged;
    QTest::newRow("second rows differ") << withInt16(good, 18, 4) << damaged;
    QTest::newRow("second columns 0") << withInt16(good, 16, 0) << damaged;

    const int place12 = placeOffset(1, 2, 3);
    QTest::newRow("home repeated") << withInt16(withInt16(good, place12, 2), place12 + 2, 3) << damaged;
    QTest::newRow("home column 0") << withInt16(good, place12, 0) << damaged;
    QTest::newRow("home column 5") << withInt16(good, place12, 5) << damaged;
    QTest::newRow("home row 4") << withInt16(good, place12 + 2, 4) << damaged;
    QTest::newRow("home row -1") << withInt16(good, place12 + 2, -1) << damaged;

    QTest::newRow("slash in extension") << QByteArray(good).replace(6, 3, "../") << damaged;
    QTest::newRow("NUL in extension") << QByteArray(good).replace(9, 1, QByteArray(1, '\0')) << damaged;
}

void tst_PzzFile::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PzzFile::Check, expected);

    PzzFile read;
    QCOMPARE(PzzFile::read(bytes, read), expected);
}

void tst_PzzFile::sourcesKeepTheirIdentity()
{
    const QByteArray foreign = withInt16(withInt16(fourByThree("pic").toBytes(), 0, 0x1234), 2, 9);

    PzzFile read;
    QCOMPARE(PzzFile::read(foreign, read, PzzFile::Identity::Ignore), PzzFile::Check::Ok);
    QCOMPARE(read.magic, qint16(0x1234));
    QCOMPARE(read.version, qint16(9));
    QCOMPARE(read.toBytes(), foreign);
    QCOMPARE(PzzFile::read(withInt16(foreign, 12, 0), read, PzzFile::Identity::Ignore),
             PzzFile::Check::Damaged);
}

void tst_PzzFile::oversizedFileRefusedBeforeReading()
{
    // A sparse file one byte over the limit, which takes no room on the disk.
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(fourByThree("p").toBytes().left(78));
    QVERIFY(file.resize(PzzFile::MaxFileBytes + 1));
    file.seek(0);

    PzzFile read;
    QCOMPARE(PzzFile::read(file, read), PzzFile::Check::Damaged);
    QVERIFY(read.picture.isEmpty());
}

void tst_PzzFile::sequentialDevice()
{
    const QByteArray picture(3 << 20, 'p');
    Stream stream(fourByThree(picture).toBytes());

    PzzFile read;
    QCOMPARE(PzzFile::read(stream, read), PzzFile::Check::Ok);
    QCOMPARE(read.picture, picture);
}

void tst_PzzFile::extensionField_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("short, padded") << "jpg" << QByteArray("jpg   ");
    QTest::newRow("case kept") << "JPG" << QByteArray("JPG   ");
    QTest::newRow("long, cut") << "jpeg2000" << QByteArray("jpeg20");
    QTest::newRow("none") << "" << QByteArray("      ");
    QTest::newRow("slash replaced") << "a/b" << QByteArray("a_b   ");
    QTest::newRow("control replaced") << "\tx" << QByteArray("_x    ");
    QTest::newRow("latin-1 kept") << QString::fromUtf8("ñ") << QByteArray("\xF1     ");
}

void tst_PzzFile::extensionField()
{
    QFETCH(QString, extension);
    QFETCH(QByteArray, field);

    QCOMPARE(PzzFile::extensionField(extension), field);
    QVERIFY(PzzFile::extensionFieldIsSafe(field));
}

QTEST_GUILESS_MAIN(tst_PzzFile)
#include "tst_pzzfile.moc"
