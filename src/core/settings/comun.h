#pragma once

#include <QString>

class QIcon;

// Where the program keeps its files, and small file-name helpers. No state of their own.
namespace comun
{

// The per-user data root (XDG config home, normally ~/.config), without a trailing
// separator; the program's own folder when it cannot be named.
QString getAppDataFolder();

// The program's data folder below the data root: always the one lower-case "tesselon".
QString getDataFolder();

// The user's documents folder, or empty text when there is none.
QString getMyDocumentsFolder();

// True when the folder holds at least one plain, non-hidden file.
bool folderHasFiles(const QString &folder);

// The text after the last ".", or empty text when there is none.
QString getFileExtension(const QString &name);

// The folder that holds the program's data (icons/, help/, samples/): the executable's
// own folder in a build tree, the data folder the install put beside bin/ otherwise.
QString programFolder();

// The data folder that belongs to an executable in the given folder: that folder itself
// when it holds icons/, else the install's data folder relative to it when that holds
// icons/, else the executable's folder again.
QString dataFolderFor(const QString &executableFolder);

// The window icon: icons/Atom.ico of the given data folder when it loads, the copy built
// into the program otherwise, so a window never goes without one.
QIcon windowIcon(const QString &dataFolder);
QIcon windowIcon();

// The drive of a folder: the root path of the mounted volume that holds it ("/" for the
// root volume). A folder that does not exist yet takes the drive of its nearest existing
// parent; empty text gives empty text.
QString driveOf(const QString &folder);

} // namespace comun
