#pragma once

#include "game/GameSession.h"
#include "view/BoardRenderer.h"

#include <QImage>
#include <QRegion>
#include <QSizeF>
#include <QVector>
#include <QWidget>

#include <utility>

// The board the move and undo benches measure on: a shuffled 30 × 30 Normal game at the
// largest zoom the buttons allow (a side just above 30000 units, 2200 pixels), drawn once.
struct LargestBoard {
    GameSession session;
    BoardRenderer renderer;

    explicit LargestBoard(const QImage &picture, qint16 n = 30)
    {
        GameSetup setup;
        setup.columns = n;
        setup.rows = n;
        setup.extension = QStringLiteral("jpg   ");
        setup.picture = picture;
        setup.board.emplace();
        setup.board->setSeed(7);
        setup.board->Inicializar(n, n, n, n, setup.extension, true, false);
        session.start(setup);
        renderer.setTablero(&session.board());
        renderer.setSource(session.boardPicture());
        renderer.setBoardSize(QSizeF(2200, 1650));
        renderer.PaintTablero(1);
    }
};

// Draws the reported places as the window's board view does: kept until the session closes
// a move's places, then drawn at once, and the surface told which part changed.
struct BatchPainter : PlaceListener {
    BoardRenderer &renderer;
    QWidget &surface;
    QVector<PlacePaint> pending;

    BatchPainter(BoardRenderer &r, QWidget &s) : renderer(r), surface(s) {}
    void placeChanged(qint16 c, qint16 r, quint32 op) override { pending.append({c, r, op}); }
    void placesDone() override
    {
        QRegion logical;
        for (const QRect &rect : renderer.PaintCasillas(std::exchange(pending, {})))
            logical += renderer.logicalRect(rect);
        surface.update(logical);
    }
};
