#include "board/TableroClass.h"
#include "view/BoardRenderer.h"
#include "view/PieceGlide.h"

#include <QPainter>
#include <QTest>

namespace
{
QImage stripes(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * 7 + y * 3) % 256));
    return picture;
}

using Exchanges = QVector<std::pair<QPoint, QPoint>>;
} // namespace

class tst_PieceGlide : public QObject
{
    Q_OBJECT

private slots:
    // At the start a frame shows the board as it was before the move, at the end as it
    // is after it, whatever the move: a swap, a chain of exchanges (a group move), a slide.
    void framesRunFromTheOldBoardToTheNew_data()
    {
        QTest::addColumn<Exchanges>("exchanges");
        QTest::addColumn<int>("moving");
        QTest::newRow("swap") << Exchanges{{{1, 1}, {3, 2}}} << 2;
        QTest::newRow("group of three")
            << Exchanges{{{1, 1}, {2, 1}}, {{2, 1}, {3, 1}}, {{4, 3}, {1, 3}}} << 5;
        QTest::newRow("there and back") << Exchanges{{{2, 2}, {2, 3}}, {{2, 3}, {2, 2}}} << 0;
    }
    void framesRunFromTheOldBoardToTheNew()
    {
        QFETCH(Exchanges, exchanges);
        QFETCH(int, moving);
        TableroClass board;
        board.Inicializar(4, 3, 4, 3, QStringLiteral("bmp"), false, false);
        BoardRenderer renderer;
        renderer.setTablero(&board);
        renderer.setSource(stripes(160, 90));
        renderer.setDevicePixelRatio(2);
        // Places of one size and no grid, so a piece drawn at its old place matches it pixel
        // for pixel.
        renderer.setBoardSize(QSizeF(200, 120));
        renderer.PaintTablero(2);
        QImage before = renderer.image().copy();
        before.setDevicePixelRatio(1);
        for (const auto &[a, b] : exchanges)
            board.IntercambiarFichas(qint16(a.x()), qint16(a.y()), qint16(b.x()), qint16(b.y()));
        renderer.PaintTablero(2);
        QImage after = renderer.image().copy();
        after.setDevicePixelRatio(1);

        PieceGlide glide;
        glide.plan(exchanges,
                   [&](QPoint p) { return renderer.placeDeviceRect(qint16(p.x()), qint16(p.y())); });
        QCOMPARE(glide.pieces().size(), moving);
        const auto frameAt = [&](qreal t) {
            QImage frame = after.copy();
            QPainter painter(&frame);
            glide.paintFrame(painter, after, t);
            painter.end();
            return frame;
        };
        const auto outsideArea = [&](QImage image) {
            QPainter(&image).fillRect(glide.area(), Qt::black);
            return image;
        };
        QCOMPARE(frameAt(0), before);
        QCOMPARE(frameAt(1), after);
        // Half way the pieces are off both ends, and nothing outside the area changes.
        QCOMPARE(frameAt(0.3) == after, moving == 0);
        QCOMPARE(outsideArea(frameAt(0.3)), outsideArea(after));

        // Repainting only what changed between frames gives the same screen as whole frames.
        QImage screen = before;
        for (int i = 1; i <= 5; ++i) {
            const QRegion changed = glide.changed((i - 1) / 5.0, i / 5.0);
            QPainter painter(&screen);
            painter.setClipRegion(changed);
            painter.drawImage(0, 0, after);
            glide.paintFrame(painter, after, i / 5.0);
            painter.end();
            QCOMPARE(screen, frameAt(i / 5.0));
        }
    }
};

QTEST_GUILESS_MAIN(tst_PieceGlide)
#include "tst_pieceglide.moc"
