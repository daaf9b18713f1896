#include "picture/PictureSamples.h"

#include "PuzzleThumbnail.h"
#include "puzzlefile/PzzFile.h"

#include <QtTest>

using namespace PictureSamples;

namespace
{

// The quadrant, clockwise from the top left, that place (c, r) of a 2 × 2 grid shows when
// its piece is home; columns and rows from 1.
int quadrantOf(QPoint place)
{
    return place.y() == 1 ? place.x() - 1 : 4 - place.x();
}

// The homes of the pieces at places (1, 1), (1, 2), (2, 1) and (2, 2) of puzzle().
const QList<QPoint> swapped = {{2, 2}, {1, 2}, {2, 1}, {1, 1}};

// A 2 × 2 puzzle whose corners (1, 1) and (2, 2) hold each other's piece.
QByteArray puzzle(bool sliding, const QByteArray &picture)
{
    TableroClass board;
    board.Inicializar(2, 2, 2, 2, QStringLiteral("png"), false, false);
    board.IntercambiarFichas(1, 1, 2, 2);
    PzzFile pzz;
    board.getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY);
    pzz.style = PzzFile::styleValue(sliding);
    pzz.extension = PzzFile::extensionField(board.getExtension());
    pzz.picture = picture;
    return pzz.toBytes();
}

} // namespace

class tst_puzzlethumbnail : public QObject
{
    Q_OBJECT

private slots:
    void piecesWhereThePlayerLeftThem_data()
    {
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("normal, reduced to fit") << false << QSize(80, 40) << 40 << QSize(40, 20);
        QTest::newRow("sliding, its empty place black") << true << QSize(40, 80) << 40 << QSize(20, 40);
        QTest::newRow("small picture never enlarged") << false << QSize(32, 32) << 256 << QSize(32, 32);
    }

    void piecesWhereThePlayerLeftThem()
    {
        QFETCH(bool, sliding);
        QFETCH(QSize, picture);
        QFETCH(int, side);
        QFETCH(QSize, expected);
        const QByteArray png = encoded(quadrants(picture.width(), picture.height()), "png");
        const QImage shown = PuzzleThumbnail::render(puzzle(sliding, png), side);
        QCOMPARE(shown.size(), expected);
        const int w = expected.width() / 2;
        const int h = expected.height() / 2;
        for (int i = 0; i < 4; ++i) {
            const bool empty = sliding && swapped[i] == QPoint(2, 2);
            const QColor piece = empty ? QColor(Qt::black) : quadrantColours[quadrantOf(swapped[i])];
            QCOMPARE(shown.pixelColor(i / 2 * w + w / 2, i % 2 * h + h / 2), piece);
        }
        // The grid runs between the places.
        QCOMPARE(shown.pixelColor(w, h / 2), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(w / 2, h), QColor(Qt::black));
    }

    // The file's own checks are the puzzle reader's and are tested with it; one refusal of
    // each stage shows the thumbnail stops there. A foreign file, a damaged header and a
    // 200-megapixel picture are fed to the installed thumbnailer by the install test.
    void refusesWhatIsNotASoundPuzzle_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray sound = puzzle(false, encoded(quadrants(16, 16), "png"));
        QTest::newRow("table cut") << sound.left(PzzFile::HeaderSize + 6);
        QTest::newRow("picture cut") << sound.left(sound.size() - 20);
        QTest::newRow("picture not a picture") << sound.left(PzzFile::HeaderSize + 16) + QByteArray(500, 'x');
    }

    void refusesWhatIsNotASoundPuzzle()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(PuzzleThumbnail::render(bytes, 128).isNull());
    }
};

QTEST_MAIN(tst_puzzlethumbnail)
#include "tst_puzzlethumbnail.moc"
