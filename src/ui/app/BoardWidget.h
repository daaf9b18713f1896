#pragma once

#include "game/GameMove.h"

#include <QImage>
#include <QWidget>

class TableroClass;

// The board surface: shows the board image the painters keep and turns mouse presses
// and releases into the place, button and Shift mask the game session takes. It draws
// nothing of its own, so what the player sees is always exactly the painted image.
class BoardWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BoardWidget(QWidget *parent = nullptr);

    void setBoardImage(const QImage *image) { m_image = image; }
    // The board whose places the surface is cut into, columns × rows of equal size.
    void setGrid(const TableroClass *board, qint16 columns, qint16 rows);
    // The place under a point; (0, 0) off the surface or beyond the board's grid.
    GamePlace placeAt(const QPointF &point) const;

    // While off, presses and releases are ignored (no picture, assembled, or only
    // placed pieces shown).
    void setInputEnabled(bool on) { m_inputEnabled = on; }
    bool inputEnabled() const { return m_inputEnabled; }

signals:
    // button: 1 left, 2 right, 4 middle; shift: bit 1 set while Shift is held.
    void pressed(GamePlace place, int button, int shift);
    void released(GamePlace place, int button, int shift);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const QImage *m_image = nullptr;
    const TableroClass *m_board = nullptr;
    qint16 m_columns = 0;
    qint16 m_rows = 0;
    bool m_inputEnabled = false;
    bool m_pressActive = false;
};
