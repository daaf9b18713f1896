#include "app/KeyboardController.h"

#include "app/BoardWidget.h"
#include "game/GameSession.h"
#include "settings/ModuloIdioma.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>

namespace
{
const char *const Ctx = "KeyboardController";

std::optional<KeyboardPlay::Key> keyOf(const QKeyEvent *event)
{
    using Key = KeyboardPlay::Key;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return std::nullopt;
    switch (event->key()) {
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Space:
        return shift ? Key::Mark : Key::Select;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Select;
    case Qt::Key_Escape:
        return Key::Cancel;
    default:
        return std::nullopt;
    }
}

bool isArrow(KeyboardPlay::Key key)
{
    using Key = KeyboardPlay::Key;
    return key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
}
} // namespace

KeyboardController::KeyboardController(BoardWidget *board, GameSession &session)
    : QObject(board), m_board(board), m_session(session)
{
    board->setFocusPolicy(Qt::StrongFocus);
    board->installEventFilter(this);
    connect(&session, &GameSession::started, this, &KeyboardController::onStarted);
    connect(&session, &GameSession::statusChanged, this, &KeyboardController::showCursor);
}

void KeyboardController::onStarted()
{
    m_play.reset(m_session.columns(), m_session.rows());
    m_board->setFocus();
    showCursor();
}

bool KeyboardController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_board && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

bool KeyboardController::handleKey(const QKeyEvent *event)
{
    const std::optional<KeyboardPlay::Key> key = keyOf(event);
    if (!key)
        return false;
    // Keys do nothing where a click would do nothing, and a held key repeats only the
    // cursor's steps and the slides, never a pick-up, a drop or a mark.
    if (!m_board->inputEnabled() || (event->isAutoRepeat() && !isArrow(*key)))
        return true;
    // A key while a mouse button is down would split the mouse's move in two.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return true;
    const bool sliding = m_session.sliding();
    for (const KeyboardPlay::Input &in : m_play.key(*key, sliding, emptyPlace())) {
        const GamePlace place{qint16(in.place.x()), qint16(in.place.y())};
        switch (in.kind) {
        case KeyboardPlay::Input::Kind::Press:
            m_session.press(place, in.button, 0);
            break;
        case KeyboardPlay::Input::Kind::Release:
            m_session.release(place, in.button, 0);
            break;
        case KeyboardPlay::Input::Kind::ClearMarks:
            m_session.dropMarks();
            break;
        }
    }
    showCursor();
    return true;
}

QPoint KeyboardController::emptyPlace() const
{
    const TableroClass &board = m_session.board();
    for (qint16 c = 1; c <= board.getCasillasX(); ++c) {
        for (qint16 r = 1; r <= board.getCasillasY(); ++r) {
            qint16 homeX = 0;
            qint16 homeY = 0;
            board.getCasilla(c, r, homeX, homeY);
            if (homeX == board.getCasillasX() && homeY == board.getCasillasY())
                return QPoint(c, r);
        }
    }
    return QPoint();
}

QString KeyboardController::description() const
{
    const QPoint at = m_play.cursor();
    const TableroClass &board = m_session.board();
    if (m_session.state() == GameState::NoPicture || at.isNull())
        return QString();
    qint16 homeX = 0;
    qint16 homeY = 0;
    board.getCasilla(qint16(at.x()), qint16(at.y()), homeX, homeY);
    const QString piece =
        m_session.sliding() && at == emptyPlace()
            ? ModuloIdioma::text(Ctx, "the empty place")
            : (homeX == at.x() && homeY == at.y()
                   ? ModuloIdioma::text(Ctx, "its own piece")
                   : ModuloIdioma::text(Ctx, "the piece of column %1, row %2").arg(homeX).arg(homeY));
    return ModuloIdioma::text(Ctx, "Column %1, row %2: %3").arg(at.x()).arg(at.y()).arg(piece);
}

void KeyboardController::showCursor()
{
    m_board->setCursorPlace(m_play.cursor());
    const QString text = description();
    if (text == m_board->accessibleDescription())
        return;
    m_board->setAccessibleDescription(text);
    QAccessibleEvent changed(m_board, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}
