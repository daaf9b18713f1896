#pragma once

#include <QVarLengthArray>
#include <QtGlobal>

// A place of the board, (column, row) from 1; (0, 0) lies off the board.
struct GamePlace {
    qint16 column = 0;
    qint16 row = 0;

    bool isOnBoard() const { return column > 0 && row > 0; }
    friend bool operator==(GamePlace a, GamePlace b) { return a.column == b.column && a.row == b.row; }
};

// Two places whose pieces change places.
struct Exchange {
    GamePlace from;
    GamePlace to;
};

// Most moves exchange one or a few pairs; those stay off the heap.
using Exchanges = QVarLengthArray<Exchange, 4>;

enum class MoveKind { None, Mark, Unmark, Swap, Group, Slide };

// What a press or a release on the board means, decided before anything changes. A mark
// or an unmark names the pressed place; a swap, a group move and a slide list their
// exchanges in the order they are made, which undo walks backwards.
struct GameMove {
    MoveKind kind = MoveKind::None;
    GamePlace place;
    Exchanges exchanges;

    // Swaps, group moves and slides change the board; marks only change the press list.
    bool changesBoard() const
    {
        return kind == MoveKind::Swap || kind == MoveKind::Group || kind == MoveKind::Slide;
    }
};
