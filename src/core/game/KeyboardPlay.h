#pragma once

#include <QPoint>
#include <QVector>
#include <QtGlobal>

// Playing without a mouse. A cursor marks one place; the keys stand for the presses and
// releases a mouse would make there, so keyboard and mouse moves are the same moves.
// Normal style: Select picks up the piece under the cursor (a left press), the arrows
// carry the cursor, Select again drops it (a left release); Mark marks or unmarks (a right
// click); Cancel drops nothing and clears the marks. Sliding style: an arrow slides the
// piece next to the empty place the way the arrow points.
class KeyboardPlay
{
public:
    enum class Key { Left, Right, Up, Down, Select, Mark, Cancel };

    // What the session is to do; places are (column, row) from 1.
    struct Input {
        enum class Kind { Press, Release, ClearMarks } kind;
        QPoint place;
        int button = 1; // 1 left, 2 right
    };

    // A new board: the cursor goes to the first place and nothing is held.
    void reset(qint16 columns, qint16 rows);
    QPoint cursor() const { return m_cursor; }
    bool holding() const { return m_holding; }

    // empty is the sliding style's empty place, ignored in the Normal style.
    QVector<Input> key(Key key, bool sliding, QPoint empty);

private:
    QVector<Input> slide(Key key, QPoint empty);

    qint16 m_columns = 0;
    qint16 m_rows = 0;
    QPoint m_cursor;
    bool m_holding = false;
};
