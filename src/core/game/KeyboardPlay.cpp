#include "game/KeyboardPlay.h"

namespace
{
QPoint step(KeyboardPlay::Key key)
{
    switch (key) {
    case KeyboardPlay::Key::Left:
        return {-1, 0};
    case KeyboardPlay::Key::Right:
        return {1, 0};
    case KeyboardPlay::Key::Up:
        return {0, -1};
    case KeyboardPlay::Key::Down:
        return {0, 1};
    default:
        return {0, 0};
    }
}
} // namespace

void KeyboardPlay::reset(qint16 columns, qint16 rows)
{
    m_columns = columns;
    m_rows = rows;
    m_cursor = QPoint(1, 1);
    m_holding = false;
}

QVector<KeyboardPlay::Input> KeyboardPlay::key(Key key, bool sliding, QPoint empty)
{
    using Kind = Input::Kind;
    if (m_columns < 1 || m_rows < 1)
        return {};
    if (sliding)
        return slide(key, empty);
    switch (key) {
    case Key::Select:
        m_holding = !m_holding;
        return {{m_holding ? Kind::Press : Kind::Release, m_cursor, 1}};
    case Key::Mark:
        // While a piece is held a right click would cut the left button's move short.
        if (m_holding)
            return {};
        return {{Kind::Press, m_cursor, 2}, {Kind::Release, m_cursor, 2}};
    case Key::Cancel:
        m_holding = false;
        return {{Kind::ClearMarks, m_cursor, 0}};
    default: {
        const QPoint next = m_cursor + step(key);
        if (next.x() >= 1 && next.x() <= m_columns && next.y() >= 1 && next.y() <= m_rows)
            m_cursor = next;
        return {};
    }
    }
}

QVector<KeyboardPlay::Input> KeyboardPlay::slide(Key key, QPoint empty)
{
    using Kind = Input::Kind;
    if (key == Key::Select)
        return {{Kind::Press, m_cursor, 1}};
    if (key == Key::Mark || key == Key::Cancel)
        return {};
    // The piece that moves the way the arrow points lies on the other side of the empty place.
    const QPoint piece = empty - step(key);
    if (piece.x() < 1 || piece.x() > m_columns || piece.y() < 1 || piece.y() > m_rows)
        return {};
    // The cursor follows the empty place, where the next slide happens.
    m_cursor = piece;
    return {{Kind::Press, piece, 1}};
}
