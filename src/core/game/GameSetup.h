#pragma once

#include "board/TableroClass.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

#include <optional>

// What a game is made from: the picture or puzzle file the player confirmed in the
// new-puzzle dialog, or the game in progress handed to the dialog's save mode.
struct GameSetup {
    // Full path of the chosen picture or puzzle file, and its name alone.
    QString archivo;
    QString archivoSinPath;
    // The picture's extension as a puzzle file stores it: exactly 6 characters.
    QString extension;
    qint16 columns = 0;
    qint16 rows = 0;
    // The sliding style ("Difícil").
    bool sliding = false;
    // The picture as decoded, before any reduction for the board.
    QImage picture;
    // The encoded bytes the picture came from, when known, so a save never re-encodes it.
    QByteArray pictureBytes;
    // A puzzle file's arrangement; empty when a new shuffle is wanted.
    std::optional<TableroClass> board;
};
