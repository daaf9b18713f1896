#pragma once

#include <QString>

enum class GameState { NoPicture, Playing, Assembled };

// Saving is offered while a puzzle is unsolved, and once it is assembled only when it came
// from a puzzle file, which the name's last four characters tell (upper case does not count).
inline bool saveOffered(GameState state, const QString &archivoSinPath)
{
    if (state == GameState::Assembled)
        return archivoSinPath.right(4) == QLatin1String(".pzz");
    return state == GameState::Playing;
}
