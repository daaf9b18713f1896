#include "puzzlefile/PzzSamples.h"

#include <QTemporaryFile>
#include <QtTest>

using namespace PzzSamples;

namespace
{

// A 4 × 3 puzzle, solved except that places (1, 1) and (2, 3) have exchanged pieces.
PzzFile fourByThree(const QByteArray &picture, bool sliding = false)
{
    TableroClass board;
    board.Inicializar(4, 3, 4, 3, QStringLiteral("jpg"), false, false);
    board.IntercambiarFichas(1, 1, 2, 3);
    return puzzle(board, picture, sliding);
}

} // namespace

class tst_PzzFile : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void oversizedFileRefusedBeforeReading();
    void extensionField_data();
    void extensionField();
};

void tst_PzzFile::layout()
{
    const QByteArray picture = pictureBytes("PNG");
    const QByteArray bytes = fourByThree(picture).toBytes();

    QCOMPARE(bytes.size(), 78 + picture.size());
    QCOMPARE(bytes.left(30).toHex(' '), QByteArray("1e 05 01 00 00 00 6a 70 67 20 20 20 04 00 03 00 04 00 "
                                                   "03 00 00 00 00 00 00 00 00 00 00 00"));
    // Column by column, the row changing fastest: home column, then home row.
    QCOMPARE(bytes.mid(placeOffset(1, 1, 3), 4).toHex(' '), QByteArray("02 00 03 00"));
    QCOMPARE(bytes.mid(placeOffset(1, 2, 3), 4).toHex(' '), QByteArray("01 00 02 00"));
    QCOMPARE(bytes.mid(placeOffset(2, 3, 3), 4).toHex(' '), QByteArray("01 00 01 00"));
    QCOMPARE(bytes.mid(placeOffset(4, 3, 3), 4).toHex(' '), QByteArray("04 00 03 00"));
    QCOMPARE(bytes.mid(78), picture);

    // Another picture changes nothing before it; the sliding style is stored as -1.
    const QByteArray other = fourByThree(pictureBytes("BMP", Qt::red, 90, 70), true).toBytes();
    QCOMPARE(other.mid(20, 2).toHex(), QByteArray("ffff"));
    QCOMPARE(withInt16(other, 20, 0).left(78), bytes.left(78));
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

void tst_PzzFile::extensionField_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("short, padded") << "JPG" << QByteArray("JPG   ");
    QTest::newRow("long, cut") << "jpeg2000" << QByteArray("jpeg20");
    QTest::newRow("slash replaced") << "a/b" << QByteArray("a_b   ");
    QTest::newRow("control replaced") << "\tx" << QByteArray("_x    ");
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
