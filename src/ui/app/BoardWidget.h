#pragma once

#include <QImage>
#include <QWidget>

// The board surface: shows the board image the painters keep and turns mouse presses
// and releases into the buttons, Shift mask and point the move rules take. It draws
// nothing of its own, so what the player sees is always exactly the painted image.
class BoardWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BoardWidget(QWidget *parent = nullptr);

    void setBoardImage(const QImage *image) { m_image = image; }

    // While off, presses and releases are ignored (no picture, assembled, or only
    // placed pieces shown).
    void setInputEnabled(bool on) { m_inputEnabled = on; }
    bool inputEnabled() const { return m_inputEnabled; }

signals:
    // button: 1 left, 2 right, 4 middle; shift: bit 1 set while Shift is held;
    // x, y in logical pixels from the board's top-left corner.
    void pressed(int button, int shift, float x, float y);
    void released(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const QImage *m_image = nullptr;
    bool m_inputEnabled = false;
    bool m_pressActive = false;
};
