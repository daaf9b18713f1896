#pragma once

#include <QString>

// The folders for what the program keeps between runs besides its settings: the game in
// progress (state) and the best results (data). Neither is created here.
namespace StateFolders
{

// $XDG_STATE_HOME/tesselon, else ~/.local/state/tesselon (Qt 6.4 cannot name it).
QString stateFolder();

// $XDG_DATA_HOME/tesselon, normally ~/.local/share/tesselon.
QString resultsFolder();

// Renames a file that cannot be used to NAME.damaged (NAME.damaged.2, ... when taken),
// so the player's data is never deleted; answers the new name, or empty on failure.
QString setAside(const QString &path);

} // namespace StateFolders
