#pragma once

#include "game/GameSession.h"
#include "view/BoardRenderer.h"

#include <QImage>
#include <QWidget>

class BoardWidget;
class QScrollBar;

// The window's client area: the viewport that clips the board, the board surface inside it,
// the two scroll bars, the zoom and the board's persistent image. Sizes are reasoned in units
// of 1/1440 inch, as the layout rules are written, and placed in pixels.
class BoardView : public QWidget, public PlaceListener
{
    Q_OBJECT
public:
    explicit BoardView(const GameSession &session, QWidget *parent = nullptr);

    // A new game: its picture, the board fitted to the viewport. Throws RunTimeError when the
    // board image cannot be made.
    void newBoard();
    void prepararAreaTablero();
    void colocarControles();

    void zoomIn();
    void zoomOut();
    void zoomFit();
    // A zoom kept from an earlier run, taken only when the zoom commands could reach its size.
    void zoomTo(float zoom);
    float getZoom() const { return m_zoom; }
    bool zoomOutVisible() const;
    bool zoomInVisible() const;

    void PaintTablero();
    // The places of a move are kept until the session closes them, then drawn at once.
    void placeChanged(qint16 column, qint16 row, quint32 rasterOp) override
    {
        m_pending.append({column, row, rasterOp});
    }
    void placesDone() override;
    void PaintSoloMontadas();
    void paintAssembled();

    BoardWidget *boardWidget() const { return PicDestino; }
    // A place in the board image's device pixels, and device pixels in the surface's own.
    QRect placeDeviceRect(QPoint place) const;
    QRect logicalRect(const QRect &deviceRect) const { return m_renderer.logicalRect(deviceRect); }
    const QImage &boardImage() const { return m_renderer.image(); }
    QWidget *viewport() const { return PicContenedor; }
    QScrollBar *hScroll() const { return HScroll1; }
    QScrollBar *vScroll() const { return VScroll1; }

    // Whether the board follows the viewport's size: after a new board and the fit command,
    // until another zoom.
    bool fitMode() const { return m_fitMode; }

signals:
    // The board's size changed through a zoom command: the zoom buttons follow it.
    void zoomed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ajustarBarrasDesplazamiento();
    void placeBoard();
    void setBoardSize(double widthTwips, double heightTwips);
    void applyZoom(float newZoom);
    void zoomCommand(const std::function<float()> &newZoom);
    QSizeF viewportTwips() const;
    QSizeF sourceTwips() const;
    void updateBoardRect(const QRect &deviceRect);
    void updateBoardRegion(const QRegion &deviceRegion);
    bool wheel(QWheelEvent *event);
    // One zoom step in or out that keeps the board's point under pos (viewport pixels) there.
    void zoomAround(bool in, QPointF pos);
    bool zoomOffered(const char *button) const;

    const GameSession &m_session;
    BoardRenderer m_renderer;
    QVector<PlacePaint> m_pending;
    float m_zoom = 1.0f;
    double m_boardWidth = 0;
    double m_boardHeight = 0;
    qint16 m_hMaximum = 0;
    qint16 m_vMaximum = 0;
    bool m_inLayout = false;
    bool m_fitMode = false;
    qreal m_pinch = 0;

    QWidget *PicContenedor = nullptr;
    BoardWidget *PicDestino = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
};
