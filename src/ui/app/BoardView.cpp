#include "app/BoardView.h"

#include "app/BoardWidget.h"
#include "game/GameSession.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"
#include "view/BoardLayout.h"
#include "view/Twips.h"

#include <QAction>
#include <QMainWindow>
#include <QNativeGestureEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>
#include <utility>

BoardView::BoardView(const GameSession &session, QWidget *parent) : QWidget(parent), m_session(session)
{
    PicContenedor = new QWidget(this);
    PicContenedor->setObjectName(QStringLiteral("PicContenedor"));
    PicContenedor->setAutoFillBackground(true);
    PicDestino = new BoardWidget(PicContenedor);
    PicDestino->setBoardImage(&m_renderer.image());
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { placeBoard(); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { placeBoard(); });
    m_renderer.setTablero(&session.board());
    PicDestino->installEventFilter(this);
    PicContenedor->installEventFilter(this);
}

void BoardView::newBoard()
{
    m_renderer.setSource(m_session.boardPicture());
    PicDestino->setGrid(&m_session.board(), m_session.columns(), m_session.rows());
    prepararAreaTablero();
    m_zoom = BoardLayout::fitZoom(QSizeF(m_boardWidth, m_boardHeight), sourceTwips());
    const QSizeF board = BoardLayout::boardSize(sourceTwips(), m_zoom);
    setBoardSize(board.width(), board.height());
    m_fitMode = true;
}

void BoardView::prepararAreaTablero()
{
    VScroll1->hide();
    HScroll1->hide();
    HScroll1->setFocusPolicy(Qt::NoFocus);
    VScroll1->setFocusPolicy(Qt::NoFocus);
    HScroll1->setSingleStep(1);
    VScroll1->setSingleStep(1);
    colocarControles();
    const QSizeF view = viewportTwips();
    setBoardSize(view.width(), view.height());
}

void BoardView::colocarControles()
{
    if (window()->isMinimized() || m_inLayout)
        return;
    m_inLayout = true;
    // The rules count from the top of the window's client area, below the menu bar; the
    // toolbar above this widget and the status bar below it belong to that area too. Their
    // heights are read from where the window has put this widget, so they are always current.
    const auto *main = qobject_cast<const QMainWindow *>(parentWidget());
    const QWidget *menu = main ? main->menuWidget() : nullptr;
    const int menuBottom = menu && menu->isVisible() ? menu->geometry().bottom() + 1 : 0;
    const int above = parentWidget() ? qMax(0, y() - menuBottom) : 0;
    const int below = parentWidget() ? qMax(0, parentWidget()->height() - geometry().bottom() - 1) : 0;
    const double statusH = Twips::fromPixelsY(below);
    const QSizeF inner(Twips::fromPixelsX(width()), Twips::fromPixelsY(height() + above) + statusH);
    const BoardLayout::Controls c = BoardLayout::colocarControles(inner, float(statusH));

    // A toolbar taller than the margin above the viewport takes its top, never its bottom.
    const int top = qRound(Twips::toPixelsY(c.viewport.top())) - above;
    const QRect viewport(qRound(Twips::toPixelsX(c.viewport.left())), qMax(0, top),
                         qMax(0, qRound(Twips::toPixelsX(c.viewport.width()))),
                         qMax(0, qRound(Twips::toPixelsY(c.viewport.height())) + qMin(0, top)));
    PicContenedor->setGeometry(viewport);
    HScroll1->setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(),
                          qRound(Twips::toPixelsY(BoardLayout::ScrollBarThickness)));
    VScroll1->setGeometry(viewport.right() + 1, viewport.top(),
                          qRound(Twips::toPixelsX(BoardLayout::ScrollBarThickness)), viewport.height());
    m_inLayout = false;
    ajustarBarrasDesplazamiento();
}

void BoardView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    colocarControles();
    // A fitted board follows the window, as if the fit command were chosen again.
    if (m_fitMode && !m_session.boardPicture().isNull() && zoomOffered("fit"))
        zoomFit();
}

QSizeF BoardView::viewportTwips() const
{
    return QSizeF(Twips::fromPixelsX(PicContenedor->width()), Twips::fromPixelsY(PicContenedor->height()));
}

QSizeF BoardView::sourceTwips() const
{
    const QImage &source = m_session.boardPicture();
    return QSizeF(Twips::fromPixelsX(source.width()), Twips::fromPixelsY(source.height()));
}

void BoardView::ajustarBarrasDesplazamiento()
{
    const BoardLayout::Scrolling bars =
        BoardLayout::ajustarBarrasDesplazamiento(QSizeF(m_boardWidth, m_boardHeight), viewportTwips(),
                                                 qint16(HScroll1->value()), qint16(VScroll1->value()));
    VScroll1->setVisible(bars.vertical.visible);
    HScroll1->setVisible(bars.horizontal.visible);
    {
        const QSignalBlocker blockV(VScroll1);
        const QSignalBlocker blockH(HScroll1);
        VScroll1->setRange(bars.vertical.rangeMinimum(), bars.vertical.rangeMaximum());
        HScroll1->setRange(bars.horizontal.rangeMinimum(), bars.horizontal.rangeMaximum());
        VScroll1->setPageStep(qMax(1, int(bars.vertical.largeChange)));
        HScroll1->setPageStep(qMax(1, int(bars.horizontal.largeChange)));
        VScroll1->setValue(bars.vertical.position);
        HScroll1->setValue(bars.horizontal.position);
    }
    m_vMaximum = bars.vertical.maximum;
    m_hMaximum = bars.horizontal.maximum;
    placeBoard();
}

void BoardView::placeBoard()
{
    int left = qRound(Twips::toPixelsX(BoardLayout::boardOffset(qint16(HScroll1->value()))));
    int top = qRound(Twips::toPixelsY(BoardLayout::boardOffset(qint16(VScroll1->value()))));
    // A fitted board is centred on the side where it leaves room.
    if (m_fitMode) {
        left += qMax(0, (PicContenedor->width() - PicDestino->width()) / 2);
        top += qMax(0, (PicContenedor->height() - PicDestino->height()) / 2);
    }
    PicDestino->move(left, top);
}

void BoardView::setBoardSize(double widthTwips, double heightTwips)
{
    m_boardWidth = widthTwips;
    m_boardHeight = heightTwips;
    const QSizeF logical(Twips::toPixelsX(widthTwips), Twips::toPixelsY(heightTwips));
    m_renderer.setDevicePixelRatio(devicePixelRatioF());
    m_renderer.setBoardSize(logical);
    // The surface is exactly as large as the image it shows.
    const QImage &image = m_renderer.image();
    const qreal dpr = image.isNull() ? 1.0 : image.devicePixelRatio();
    PicDestino->resize(qMax(1, int(std::lround(image.width() / dpr))),
                       qMax(1, int(std::lround(image.height() / dpr))));
}

void BoardView::applyZoom(float newZoom)
{
    m_zoom = newZoom;
    const QSizeF board = BoardLayout::boardSize(sourceTwips(), m_zoom);
    setBoardSize(board.width(), board.height());
    const qint16 oldV = m_vMaximum;
    const qint16 oldH = m_hMaximum;
    PaintTablero();
    // A scroll position keeps its place relative to the new range.
    VScroll1->setValue(BoardLayout::keepRelativePosition(oldV, m_vMaximum, qint16(VScroll1->value())));
    HScroll1->setValue(BoardLayout::keepRelativePosition(oldH, m_hMaximum, qint16(HScroll1->value())));
    emit zoomed();
}

bool BoardView::zoomOutVisible() const
{
    return BoardLayout::zoomOutVisible(QSizeF(m_boardWidth, m_boardHeight));
}

bool BoardView::zoomInVisible() const
{
    return BoardLayout::zoomInVisible(QSizeF(m_boardWidth, m_boardHeight));
}

void BoardView::zoomIn()
{
    m_fitMode = false;
    zoomCommand([this] { return BoardLayout::zoomIn(m_zoom); });
}

void BoardView::zoomOut()
{
    m_fitMode = false;
    zoomCommand([this] { return BoardLayout::zoomOut(m_zoom); });
}

void BoardView::zoomFit()
{
    m_fitMode = true;
    zoomCommand([this] { return BoardLayout::fitZoom(viewportTwips(), sourceTwips()); });
}

void BoardView::zoomTo(float zoom)
{
    if (m_session.boardPicture().isNull() || !(zoom > 0))
        return;
    const QSizeF board = BoardLayout::boardSize(sourceTwips(), zoom);
    const qreal largest = BoardLayout::ZoomInLimit * BoardLayout::ZoomStep;
    if (board.width() <= largest && board.height() <= largest &&
        qMin(board.width(), board.height()) * BoardLayout::ZoomStep >= BoardLayout::ZoomOutLimit)
        zoomCommand([zoom] { return zoom; });
}

void BoardView::zoomCommand(const std::function<float()> &newZoom)
{
    if (m_session.boardPicture().isNull())
        return;
    try {
        applyZoom(newZoom());
    } catch (const RunTimeError &e) {
        // A board too large for memory: go back to the fit, which always fits.
        Messages::show(window(), e.description());
        try {
            applyZoom(BoardLayout::fitZoom(viewportTwips(), sourceTwips()));
        } catch (const RunTimeError &) {
        }
    }
}

QRect BoardView::placeDeviceRect(QPoint place) const
{
    return m_renderer.placeDeviceRect(qint16(place.x()), qint16(place.y()));
}

void BoardView::updateBoardRect(const QRect &deviceRect)
{
    if (!deviceRect.isEmpty())
        PicDestino->update(m_renderer.logicalRect(deviceRect));
}

void BoardView::updateBoardRegion(const QRegion &deviceRegion)
{
    QRegion logical;
    for (const QRect &rect : deviceRegion)
        logical += m_renderer.logicalRect(rect);
    PicDestino->update(logical);
}

void BoardView::PaintTablero()
{
    try {
        m_renderer.setSliding(m_session.sliding());
        updateBoardRect(m_renderer.PaintTablero(int(m_session.state())));
    } catch (const RunTimeError &e) {
        Messages::show(window(), QStringLiteral("Error in PaintTablero. ") + e.description());
    } catch (const std::exception &e) {
        Messages::show(window(),
                       QStringLiteral("Error in PaintTablero. ") + QString::fromLocal8Bit(e.what()));
    }
    ajustarBarrasDesplazamiento();
}

void BoardView::placesDone()
{
    const QVector<PlacePaint> places = std::exchange(m_pending, {});
    m_renderer.setSliding(m_session.sliding());
    updateBoardRegion(m_renderer.PaintCasillas(places));
}

void BoardView::PaintSoloMontadas()
{
    m_renderer.setSliding(m_session.sliding());
    updateBoardRect(m_renderer.PaintSoloMontadas());
}

void BoardView::paintAssembled()
{
    updateBoardRect(m_renderer.paintAssembled());
}

bool BoardView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel)
        return wheel(static_cast<QWheelEvent *>(event));
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture)
            return false;
        // A pinch adds up small steps until they make one zoom step.
        m_pinch += gesture->value();
        const qreal step = BoardLayout::ZoomStep - 1;
        if (qAbs(m_pinch) >= step) {
            zoomAround(m_pinch > 0, PicContenedor->mapFromGlobal(gesture->globalPosition()));
            m_pinch = 0;
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool BoardView::wheel(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (m_session.boardPicture().isNull() || delta.isNull())
        return false;
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        zoomAround(delta.y() > 0, PicContenedor->mapFromGlobal(event->globalPosition()));
        return true;
    }
    // Shift turns the wheel sideways; one notch moves three steps, as in most views.
    const bool sideways = event->modifiers().testFlag(Qt::ShiftModifier) || delta.y() == 0;
    QScrollBar *bar = sideways ? HScroll1 : VScroll1;
    const int notches = (sideways && delta.y() != 0 ? delta.y() : (sideways ? delta.x() : delta.y())) / 40;
    bar->setValue(bar->value() - notches * qMax(1, bar->pageStep() / 8));
    return true;
}

bool BoardView::zoomOffered(const char *button) const
{
    // The wheel's and the window's zoom is the toolbar's, offered while its button is.
    const QAction *action = window()->findChild<QAction *>(QLatin1String(button));
    return action && action->isVisible();
}

void BoardView::zoomAround(bool in, QPointF pos)
{
    if (!zoomOffered(in ? "zoom_in" : "zoom_out"))
        return;
    const QPointF onBoard = pos - QPointF(PicDestino->pos());
    const QSizeF before = PicDestino->size();
    in ? zoomIn() : zoomOut();
    const qreal rx = PicDestino->width() / qMax<qreal>(1, before.width());
    const qreal ry = PicDestino->height() / qMax<qreal>(1, before.height());
    // The scroll position that puts the same point of the board back under the pointer.
    const auto position = [](qreal pixels, bool x) {
        return qRound((x ? Twips::fromPixelsX(pixels) : Twips::fromPixelsY(pixels)) /
                      BoardLayout::ScrollUnit);
    };
    HScroll1->setValue(position(onBoard.x() * rx - pos.x(), true));
    VScroll1->setValue(position(onBoard.y() * ry - pos.y(), false));
}
