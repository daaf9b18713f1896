#pragma once

#include "game/GameMove.h"

#include <QImage>
#include <QWidget>

#include <functional>

class TableroClass;

// The board surface: shows the board image the painters keep and turns mouse presses
// and releases into the place, button and Shift mask the game session takes. Its own
// drawings (the keyboard's cursor frame, a glide's frame) go over the image on screen only,
// so the image stays exactly what the painters made.
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
    void setInputEnabled(bool on);
    bool inputEnabled() const { return m_inputEnabled; }

    // The keyboard's place, framed while the surface has the focus and takes input; (0, 0)
    // frames nothing.
    void setCursorPlace(QPoint place);
    QPoint cursorPlace() const { return m_cursor; }
    // The rectangle of a place, in the surface's pixels.
    QRect placeRect(QPoint place) const;
    // Paints every pixel of a part of the surface in place of the image, in the image's
    // device pixels (the painter's and the part's); empty to show the image again.
    using Overlay = std::function<void(QPainter &, const QRect &devicePart)>;
    void setOverlay(Overlay overlay) { m_overlay = std::move(overlay); }

signals:
    // button: 1 left, 2 right, 4 middle; shift: bit 1 set while Shift is held.
    void pressed(GamePlace place, int button, int shift);
    void released(GamePlace place, int button, int shift);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const QImage *m_image = nullptr;
    const TableroClass *m_board = nullptr;
    qint16 m_columns = 0;
    qint16 m_rows = 0;
    bool m_inputEnabled = false;
    bool m_pressActive = false;
    QPoint m_cursor;
    Overlay m_overlay;
};
