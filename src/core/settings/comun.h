#pragma once

#include <QString>

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

// The folder of the running executable (where icons/, help/ and samples/ lie).
QString programFolder();

// The drive of a folder: the root path of the mounted volume that holds it ("/" for the
// root volume). A folder that does not exist yet takes the drive of its nearest existing
// parent; empty text gives empty text.
QString driveOf(const QString &folder);

} // namespace comun
