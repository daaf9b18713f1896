#include "app/BoardAnimator.h"

#include "app/BoardView.h"
#include "app/BoardWidget.h"
#include "game/GameSession.h"

#include <QEvent>
#include <QPainter>

namespace
{
// The board image's pixels as they are, without its pixel ratio, for painting in device
// pixels; no copy is made.
QImage devicePixels(const QImage &image)
{
    return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(), image.format());
}
} // namespace

BoardAnimator::BoardAnimator(BoardView *view, GameSession &session)
    : QObject(view), m_view(view), m_session(session)
{
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, &BoardAnimator::onFrame);
    connect(&m_animation, &QAbstractAnimation::finished, this, &BoardAnimator::finish);
    connect(&session, &GameSession::piecesExchanged, this, &BoardAnimator::onExchanged);
    connect(&session, &GameSession::started, this, &BoardAnimator::finish);
    // A zoom makes a new board image, where the planned places no longer lie.
    connect(view, &BoardView::zoomed, this, &BoardAnimator::finish);
    connect(&session, &GameSession::stateChanged, this, &BoardAnimator::onStateChanged);
    view->boardWidget()->installEventFilter(this);
}

QWidget *BoardAnimator::boardWidget() const
{
    return m_view->boardWidget();
}

void BoardAnimator::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        finish();
}

bool BoardAnimator::eventFilter(QObject *watched, QEvent *event)
{
    // A press, a release or a key acts on the board as it truly is.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
        finish();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void BoardAnimator::finish()
{
    if (m_kind == Kind::None)
        return;
    const QRegion area =
        m_kind == Kind::Glide ? logical(QRegion(m_glide.area())) : m_view->boardWidget()->rect();
    m_kind = Kind::None;
    m_animation.stop();
    m_lastBoard = QImage();
    m_view->boardWidget()->setOverlay({});
    m_view->boardWidget()->update(area);
}

void BoardAnimator::onExchanged(const Exchanges &exchanges)
{
    finish();
    // The move that assembles the picture fades from its board instead of gliding.
    if (m_session.board().NumeroDeFichasPorColocar() == 0 && m_session.state() == GameState::Playing) {
        if (m_enabled)
            m_lastBoard = m_view->boardImage().copy();
        return;
    }
    if (!m_enabled)
        return;
    QVector<std::pair<QPoint, QPoint>> pairs;
    pairs.reserve(exchanges.size());
    for (const Exchange &e : exchanges)
        pairs.append({QPoint(e.from.column, e.from.row), QPoint(e.to.column, e.to.row)});
    m_glide.plan(pairs, [this](QPoint place) { return m_view->placeDeviceRect(place); });
    if (m_glide.isEmpty())
        return;
    m_view->boardWidget()->setOverlay([this](QPainter &painter, const QRect &part) {
        m_glide.paintFrame(painter, devicePixels(m_view->boardImage()), m_t, part);
    });
    start(Kind::Glide, PieceGlide::DurationMs);
}

void BoardAnimator::onStateChanged(GameState state)
{
    if (state != GameState::Assembled || m_lastBoard.isNull()) {
        finish();
        return;
    }
    const QImage last = m_lastBoard;
    finish();
    m_lastBoard = last;
    m_view->boardWidget()->setOverlay([this](QPainter &painter, const QRect &part) {
        painter.drawImage(part.topLeft(), devicePixels(m_view->boardImage()), part);
        painter.setOpacity(1.0 - m_t);
        painter.drawImage(part.topLeft(), devicePixels(m_lastBoard), part);
        painter.setOpacity(1.0);
    });
    start(Kind::Fade, FadeMs);
}

void BoardAnimator::start(Kind kind, int durationMs)
{
    m_kind = kind;
    m_t = 0;
    m_animation.setDuration(durationMs);
    m_animation.start();
}

void BoardAnimator::onFrame(const QVariant &value)
{
    if (m_kind == Kind::None)
        return;
    const qreal t = value.toReal();
    if (m_kind == Kind::Glide)
        m_view->boardWidget()->update(logical(m_glide.changed(m_t, t)));
    else
        m_view->boardWidget()->update();
    m_t = t;
}

QRegion BoardAnimator::logical(const QRegion &deviceRegion) const
{
    QRegion region;
    for (const QRect &rect : deviceRegion)
        region += m_view->logicalRect(rect);
    return region;
}
