#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

// The separate preview: the assembled picture in a small fixed window that stays above
// other windows while the player works on the board.
class FormVentanita : public QWidget
{
    Q_OBJECT
public:
    explicit FormVentanita(QWidget *parent = nullptr);

    // Takes the picture to show and sizes the window to the source picture's proportions.
    void cargarImagen(const QImage &picture, const QSize &sourceSize);
    void alwaysOnTop(bool aOnTop);

    // "visible" while the player has the preview open; lost when the window goes away.
    QString mark() const { return m_mark; }
    void setMark(const QString &mark) { m_mark = mark; }

    QLabel *image() const { return m_image; }

private:
    void cargarIcono();

    QLabel *m_image;
    QString m_mark;
};
