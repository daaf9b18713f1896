#include "view/BoardRenderer.h"

#include "board/RasterOp.h"
#include "board/TableroClass.h"
#include "io/ErrorNumber.h"
#include "view/PieceGlide.h"

#include <QPainter>
#include <QtTest>

namespace
{

// Every source pixel differs from its neighbours, so a pixel tells where it was cut from.
QImage stripes(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * 7 + y * 3) % 256));
    return picture;
}

using Exchanges = QVector<std::pair<QPoint, QPoint>>;

// A board, its source picture and its renderer.
struct Fixture {
    TableroClass board;
    QImage picture;
    BoardRenderer r;

    Fixture(QSize grid, const QImage &source, const QSizeF &size, qreal ratio = 1.0) : picture(source)
    {
        board.Inicializar(qint16(grid.width()), qint16(grid.height()), qint16(grid.width()),
                          qint16(grid.height()), QStringLiteral("bmp"), false, false);
        r.setTablero(&board);
        r.setSource(picture);
        r.setDevicePixelRatio(ratio);
        r.setBoardSize(size);
    }

    // What Qt's own painter draws, on magenta so a pixel no place covers shows: each piece
    // stretched onto its place, black where asked and on the sliding style's empty place,
    // inverted where marked, and with the grid a line on the first pixel of every place
    // and on the image's last ones.
    QImage expected(bool grid, bool sliding, const QHash<QPoint, quint32> &ops = {}) const
    {
        QImage image(r.image().size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        const qint16 cx = board.getCasillasX();
        const qint16 cy = board.getCasillasY();
        for (qint16 x = 1; x <= cx; ++x) {
            for (qint16 y = 1; y <= cy; ++y) {
                qint16 ox = 0;
                qint16 oy = 0;
                board.getCasilla(x, y, ox, oy);
                const QRect place = r.placeDeviceRect(x, y);
                const quint32 op = ops.value(QPoint(x, y), RasterOp::Copy);
                if (op == RasterOp::NotPlaced || (sliding && ox == cx && oy == cy)) {
                    painter.fillRect(place, Qt::black);
                    continue;
                }
                painter.drawImage(QRectF(place), picture, r.pieceRect(ox, oy) & QRectF(picture.rect()));
                if (op == RasterOp::InvertedCopy) {
                    QImage inverted = image.copy(place);
                    inverted.invertPixels();
                    painter.drawImage(place.topLeft(), inverted);
                }
            }
        }
        for (qint16 x = 1; grid && x <= cx; ++x)
            painter.fillRect(r.placeDeviceRect(x, 1).left(), 0, 1, image.height(), Qt::black);
        for (qint16 y = 1; grid && y <= cy; ++y)
            painter.fillRect(0, r.placeDeviceRect(1, y).top(), image.width(), 1, Qt::black);
        if (grid) {
            painter.fillRect(image.width() - 1, 0, 1, image.height(), Qt::black);
            painter.fillRect(0, image.height() - 1, image.width(), 1, Qt::black);
        }
        painter.end();
        image.setDevicePixelRatio(r.image().devicePixelRatio());
        return image;
    }
};

} // namespace

class tst_BoardRenderer : public QObject
{
    Q_OBJECT

private slots:
    // A place lies where the board's size, the zoom and the screen's pixel ratio put it.
    void geometry_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("ratio");
        QTest::newRow("zoom 2") << 2.0 << 1.0;
        QTest::newRow("zoom 0.5, ratio 3") << 0.5 << 3.0;
    }

    void geometry()
    {
        QFETCH(double, zoom);
        QFETCH(double, ratio);
        Fixture f(QSize(4, 3), stripes(68, 51), QSizeF(80, 60) * zoom, ratio);
        const int side = qRound(20 * zoom * ratio);
        QCOMPARE(f.r.image().deviceIndependentSize(), QSizeF(80, 60) * zoom);
        QCOMPARE(f.r.placeDeviceRect(2, 2), QRect(side, side, side, side));
        QCOMPARE(f.r.logicalRect(f.r.placeDeviceRect(2, 2)), f.r.placeRect(2, 2).toAlignedRect());
        // A 4000 × 3000 source at zoom 0.5: place (2, 3) at (500, 1000), 500 × 500, from its
        // piece's 1000 × 1000.
        const BoardGeometry g{QSizeF(4000, 3000), QSizeF(2000, 1500), 4, 3};
        QCOMPARE(g.placeRect(2, 3), QRectF(500, 1000, 500, 500));
        QCOMPARE(g.pieceRect(2, 3), QRectF(1000, 2000, 1000, 1000));
    }

    // The whole board, then a batch of places, leave every pixel as Qt's painter does when
    // it stretches each piece onto its place, at any size; a place asked for twice shows the
    // last operation, and nothing changes outside the region a batch reports.
    void matchesPainter_data()
    {
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<QSizeF>("boardSize");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("move");
        QTest::newRow("swap, 3x3 at a third") << QSize(3, 3) << QSizeF(100, 100) << 1.0 << "swap";
        // Large enough to be drawn on several cores.
        QTest::newRow("group, 7x5 at ratio 1.25") << QSize(7, 5) << QSizeF(1033.3, 750.1) << 1.25 << "group";
        QTest::newRow("slide, 5x4 shrunk") << QSize(5, 4) << QSizeF(61.7, 45.2) << 1.0 << "slide";
        QTest::newRow("marks, 30x30 zoomed in, ratio 1.5")
            << QSize(30, 30) << QSizeF(841.1, 780.9) << 1.5 << "marks";
    }

    void matchesPainter()
    {
        QFETCH(QSize, grid);
        QFETCH(QSizeF, boardSize);
        QFETCH(double, ratio);
        QFETCH(QString, move);
        const qint16 cx = qint16(grid.width());
        const qint16 cy = qint16(grid.height());
        const bool sliding = move == QLatin1String("slide");
        Fixture f(grid, stripes(cx * 23 + 3, cy * 19 + 2), boardSize, ratio);
        f.board.IntercambiarFichas(1, 2, cx, cy);
        f.r.setSliding(sliding);
        QCOMPARE(f.r.PaintTablero(2), f.r.image().rect());
        QCOMPARE(f.r.image(), f.expected(false, sliding));
        f.r.PaintTablero(1);
        QCOMPARE(f.r.image(), f.expected(true, sliding));

        QVector<PlacePaint> batch;
        const auto exchange = [&](qint16 c1, qint16 r1, qint16 c2, qint16 r2) {
            f.board.IntercambiarFichas(c1, r1, c2, r2);
            batch += {{c1, r1, RasterOp::Copy}, {c2, r2, RasterOp::Copy}};
        };
        if (move == QLatin1String("swap")) {
            exchange(1, 1, cx, cy);
        } else if (move == QLatin1String("group")) {
            for (qint16 row = 1; row <= cy; ++row)
                for (qint16 c = cx; c > 1; --c)
                    exchange(c, row, qint16(c - 1), row);
        } else if (sliding) {
            exchange(1, 2, 2, 2);
            batch.append({2, 2, RasterOp::InvertedCopy}); // the empty place stays black
        } else {
            // An operation the board does not know copies the piece.
            batch = {{2, 2, RasterOp::InvertedCopy},
                     {5, 7, RasterOp::InvertedCopy},
                     {2, 2, RasterOp::Copy},
                     {30, 30, RasterOp::NotPlaced},
                     {9, 1, 0x00EE0086}};
        }
        QHash<QPoint, quint32> last;
        for (const PlacePaint &p : batch)
            last.insert(QPoint(p.column, p.row), p.rasterOp);
        const QImage before = f.r.image().copy();
        const QRegion changed = f.r.PaintCasillas(batch);
        QCOMPARE(f.r.image(), f.expected(true, sliding, last));
        for (const QRect &rect : QRegion(f.r.image().rect()).subtracted(changed))
            QCOMPARE(f.r.image().copy(rect), before.copy(rect));
    }

    void assembledPicture()
    {
        Fixture f(QSize(4, 3), stripes(68, 51), QSizeF(68, 51));
        f.board.IntercambiarFichas(4, 3, 1, 1);
        f.r.setSliding(true);
        f.r.PaintTablero(1);
        QCOMPARE(f.r.paintAssembled(), f.r.image().rect());
        // The whole picture, the sliding style's corner piece included, and no line.
        QCOMPARE(f.r.image(), f.picture);

        // With every piece home, showing only placed pieces changes nothing, not even the grid.
        f.board.IntercambiarFichas(4, 3, 1, 1);
        QVERIFY(f.r.PaintSoloMontadas().isEmpty());
        QCOMPARE(f.r.image(), f.picture);

        // Pieces away from home turn black and every line comes back; the others stay.
        f.board.IntercambiarFichas(1, 1, 2, 1);
        f.r.PaintSoloMontadas();
        QCOMPARE(f.r.image(), f.expected(true, false, {{{1, 1}, 0}, {{2, 1}, 0}}));
    }

    // A glide's frame shows the board as it was before the move at the start and as it is
    // after it at the end, whatever the move; it paints every pixel of the part asked for and
    // nothing else; and repainting only what changed between frames gives the same screen.
    void glideFrames_data()
    {
        QTest::addColumn<Exchanges>("exchanges");
        QTest::addColumn<int>("moving");
        QTest::newRow("swap") << Exchanges{{{1, 1}, {3, 2}}} << 2;
        QTest::newRow("group of three")
            << Exchanges{{{1, 1}, {2, 1}}, {{2, 1}, {3, 1}}, {{4, 3}, {1, 3}}} << 5;
        QTest::newRow("row turned") << Exchanges{{{4, 1}, {3, 1}}, {{3, 1}, {2, 1}}, {{2, 1}, {1, 1}}} << 4;
        QTest::newRow("there and back") << Exchanges{{{2, 2}, {2, 3}}, {{2, 3}, {2, 2}}} << 0;
    }

    void glideFrames()
    {
        QFETCH(Exchanges, exchanges);
        // Places of one size and no grid, so a piece drawn at its old place matches it.
        Fixture f(QSize(4, 3), stripes(160, 90), QSizeF(200, 120), 2);
        const auto board = [&f] {
            f.r.PaintTablero(2);
            QImage image = f.r.image().copy();
            image.setDevicePixelRatio(1);
            return image;
        };
        const QImage before = board();
        for (const auto &[a, b] : exchanges)
            f.board.IntercambiarFichas(qint16(a.x()), qint16(a.y()), qint16(b.x()), qint16(b.y()));
        const QImage after = board();
        PieceGlide glide;
        glide.plan(exchanges, [&](QPoint p) { return f.r.placeDeviceRect(qint16(p.x()), qint16(p.y())); });
        QTEST(int(glide.pieces().size()), "moving");
        const auto frameAt = [&](qreal t, const QRect &part) {
            QImage frame(after.size(), QImage::Format_RGB32);
            frame.fill(Qt::magenta);
            QPainter painter(&frame);
            glide.paintFrame(painter, after, t, part);
            return frame;
        };
        QCOMPARE(frameAt(0, after.rect()), before);
        QCOMPARE(frameAt(1, after.rect()), after);
        QCOMPARE(frameAt(0.3, after.rect()) == after, glide.isEmpty());
        const QRect part(30, 20, 150, 100);
        QImage partial = frameAt(0.3, part);
        QCOMPARE(partial.copy(part), frameAt(0.3, after.rect()).copy(part));
        QPainter(&partial).fillRect(part, Qt::magenta);
        QCOMPARE(partial, frameAt(0.3, QRect()));
        QImage screen = before;
        for (int i = 1; i <= 5; ++i) {
            QPainter painter(&screen);
            for (const QRect &rect : glide.changed((i - 1) / 5.0, i / 5.0))
                glide.paintFrame(painter, after, i / 5.0, rect);
            painter.end();
            QCOMPARE(screen, frameAt(i / 5.0, after.rect()));
        }
    }

    void badInput()
    {
        Fixture f(QSize(4, 3), QImage(), QSizeF(80, 60));
        QVERIFY(f.r.PaintTablero(1).isEmpty());
        QVERIFY(f.r.paintAssembled().isEmpty());

        f.r.setSource(stripes(68, 51));
        f.r.PaintTablero(1);
        const QImage before = f.r.image().copy();
        QCOMPARE(errorNumber([&] { f.r.PaintCasilla(5, 1, RasterOp::Copy); }),
                 int(RunTimeError::SubscriptOutOfRange));
        // A batch with a place off the board draws none of its places.
        QCOMPARE(errorNumber([&] {
                     f.r.PaintCasillas({{1, 1, RasterOp::NotPlaced}, {1, 4, RasterOp::Copy}});
                 }),
                 int(RunTimeError::SubscriptOutOfRange));
        QCOMPARE(f.r.image(), before);

        // Each bad size is set while the image is whole, so a check cannot pass on an earlier one.
        f.r.setBoardSize(QSizeF(qQNaN(), 60));
        QVERIFY(f.r.image().isNull());
        f.r.setBoardSize(QSizeF(80, 60));
        QCOMPARE(errorNumber([&] { f.r.setBoardSize(QSizeF(1e9, 60)); }), int(RunTimeError::OutOfMemory));
        QVERIFY(f.r.image().isNull());
        f.r.setBoardSize(QSizeF(80, 60));
        QCOMPARE(f.r.PaintTablero(1), QRect(0, 0, 80, 60));

        f.r.setTablero(nullptr);
        QVERIFY(f.r.PaintTablero(1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_BoardRenderer)
#include "tst_boardrenderer.moc"
