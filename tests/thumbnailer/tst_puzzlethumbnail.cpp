#include "PuzzleThumbnail.h"

#include "puzzlefile/PzzFile.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>
#include <QtTest>

namespace
{

const QColor quarters[2][2] = {{Qt::red, Qt::blue}, {Qt::green, Qt::yellow}}; // [column][row]

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The CRC of a PNG chunk (type and data).
quint32 pngCrc(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A picture of four coloured quarters.
QByteArray quarterPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    QPainter painter(&image);
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < 2; ++r)
            painter.fillRect(c * w, r * h, w, h, quarters[c][r]);
    }
    painter.end();
    return encoded(image, "png");
}

// A 2 × 2 puzzle whose place (c, r) holds the piece from home[c][r] (columns and rows from 1).
QByteArray puzzle(const QList<QPoint> &homes, bool sliding, const QByteArray &picture)
{
    PzzFile pzz;
    pzz.columns = pzz.rows = pzz.fichasX = pzz.fichasY = 2;
    pzz.style = PzzFile::styleValue(sliding);
    pzz.extension = PzzFile::extensionField(QStringLiteral("png"));
    pzz.homeColumns = pzz.homeRows = TableroClass::Table(3, QVector<qint16>(3, 0));
    for (int i = 0; i < 4; ++i) {
        pzz.homeColumns[1 + i / 2][1 + i % 2] = qint16(homes[i].x());
        pzz.homeRows[1 + i / 2][1 + i % 2] = qint16(homes[i].y());
    }
    pzz.picture = picture;
    return pzz.toBytes();
}

const QList<QPoint> swapped = {{2, 2}, {1, 2}, {2, 1}, {1, 1}}; // places (1,1) (1,2) (2,1) (2,2)

} // namespace

class tst_puzzlethumbnail : public QObject
{
    Q_OBJECT

private slots:
    void piecesWhereThePlayerLeftThem_data();
    void piecesWhereThePlayerLeftThem();
    void refusesWhatIsNotASoundPuzzle_data();
    void refusesWhatIsNotASoundPuzzle();
};

void tst_puzzlethumbnail::piecesWhereThePlayerLeftThem_data()
{
    QTest::addColumn<bool>("sliding");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("side");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("normal, reduced to fit") << false << QSize(80, 40) << 40 << QSize(40, 20);
    QTest::newRow("sliding, its empty place black") << true << QSize(40, 80) << 40 << QSize(20, 40);
    QTest::newRow("small picture never enlarged") << false << QSize(32, 32) << 256 << QSize(32, 32);
}

void tst_puzzlethumbnail::piecesWhereThePlayerLeftThem()
{
    QFETCH(bool, sliding);
    QFETCH(QSize, picture);
    QFETCH(int, side);
    QFETCH(QSize, expected);

    const QImage shown = PuzzleThumbnail::render(puzzle(swapped, sliding, quarterPicture(picture)), side);
    QCOMPARE(shown.size(), expected);
    const int w = expected.width() / 2;
    const int h = expected.height() / 2;
    for (int i = 0; i < 4; ++i) {
        const int c = i / 2;
        const int r = i % 2;
        const QPoint home = swapped[i] - QPoint(1, 1);
        const bool empty = sliding && home == QPoint(1, 1);
        const QColor piece = empty ? QColor(Qt::black) : quarters[home.x()][home.y()];
        QCOMPARE(shown.pixelColor(c * w + w / 2, r * h + h / 2), piece);
    }
    // The grid runs between the places.
    QCOMPARE(shown.pixelColor(w, h / 2), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(w / 2, h), QColor(Qt::black));
}

void tst_puzzlethumbnail::refusesWhatIsNotASoundPuzzle_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray picture = quarterPicture(QSize(16, 16));
    const QByteArray sound = puzzle(swapped, false, picture);
    QByteArray repeated = sound;
    // Place (1, 2) claims the piece of place (1, 1): home (2, 2) twice, (1, 2) never.
    qToLittleEndian<qint16>(2, repeated.data() + PzzFile::HeaderSize + 4);
    qToLittleEndian<qint16>(2, repeated.data() + PzzFile::HeaderSize + 6);
    QByteArray wide = sound;
    qToLittleEndian<qint16>(31, wide.data() + 12);

    // A sound picture header that claims 14142 × 14142 pixels (200 megapixels).
    QByteArray huge = picture.left(33);
    qToBigEndian<quint32>(14142, huge.data() + 16);
    qToBigEndian<quint32>(14142, huge.data() + 20);
    qToBigEndian<quint32>(pngCrc(huge.mid(12, 17)), huge.data() + 29);
    huge += picture.mid(33);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut") << sound.left(20);
    QTest::newRow("table cut") << sound.left(PzzFile::HeaderSize + 6);
    QTest::newRow("no picture") << sound.left(PzzFile::HeaderSize + 16);
    QTest::newRow("picture cut") << sound.left(sound.size() - 20);
    QTest::newRow("picture not a picture") << sound.left(PzzFile::HeaderSize + 16) + QByteArray(500, 'x');
    QTest::newRow("wrong magic") << QByteArray(sound).replace(0, 2, "PK");
    QTest::newRow("version 2") << QByteArray(sound).replace(2, 1, "\x02");
    QTest::newRow("a piece twice") << repeated;
    QTest::newRow("31 columns") << wide;
    QTest::newRow("200 megapixel picture") << puzzle(swapped, false, huge);
    QTest::newRow("a picture, not a puzzle") << picture;
}

void tst_puzzlethumbnail::refusesWhatIsNotASoundPuzzle()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(PuzzleThumbnail::render(bytes, 128).isNull());
}

QTEST_MAIN(tst_puzzlethumbnail)
#include "tst_puzzlethumbnail.moc"
