#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtGlobal>

#include <optional>

// The rules of the new-puzzle dialog that need no window: its texts in each language,
// the file-name helpers and the file-type patterns. The dialog only wires them to its
// controls.
namespace DialogRules
{

// Combo1's four entries, in order: puzzle files and images, images, puzzle files, every file.
QStringList fileTypePatterns();

// The name filters that show what a pattern text such as "*.pzz;*.jpg" shows on a
// system whose file names ignore case: "*.jpg" also lists FOTO.JPG, and "*.*" lists
// names without a dot too.
QStringList nameFilters(const QString &patternText);

// Label2's caption for x columns and y rows; nothing for a language without its own text.
std::optional<QString> piecesSummary(qint16 language, int x, int y);

// Label3's caption for the chosen style; nothing for a language without its own text.
std::optional<QString> styleExplanation(qint16 language, bool dificil);

// The message for a drive that cannot be read; nothing for a language without its own text.
std::optional<QString> notReadyMessage(qint16 language);

// The message for a confirmation without a picture; nothing for a language without its own text.
std::optional<QString> choseImageMessage(qint16 language);

// The message for a puzzle file the reader refused with -1 or -2; empty for other results.
QString refusedPuzzleFileMessage(qint16 language, int result, const QString &name);

// The message for a folder that cannot be listed.
QString unreadableFolderMessage(qint16 language, const QString &folder);

// The message for a file the list showed that has since been deleted or renamed.
QString vanishedFileMessage(qint16 language, const QString &name);

// "Error: 481.  description", as the dialog's error boxes show it.
QString errorMessage(int number, const QString &description);

// The command line with one leading and then one trailing double quote dropped.
QString stripQuotes(const QString &commandLine);

// Whether a file's name says it is a picture or puzzle file the program reads (any case),
// for the drop cursor, which must decide without reading the file.
bool readableFileName(const QString &name);

// The file a drop of these addresses opens: the first one, when it is a local file (not a
// folder) that still exists and whose name the program reads; otherwise empty text.
QString droppedFile(const QList<QUrl> &urls);

// The program's arguments joined by single spaces, as one command line; a relative path
// ("holidays.jpg", "fotos/mar.jpg") is taken from the current folder.
QString commandLine(const QStringList &arguments, const QString &currentFolder);

struct SplitPath {
    QString folder;
    QString name;
};

// Folder and name around the last "/"; a path directly below the root keeps "/" as its
// folder. Throws RunTimeError when the path has no "/".
SplitPath splitPath(const QString &path);

// The base name for a save-as suggestion: the characters between the last "/" and the
// last ".", empty when there is no such run or when it holds anything but ASCII letters,
// digits and "_".
QString splitFileName(const QString &s);

// The characters after the last "." of a file name (none without a dot), cut or padded
// with spaces to exactly 6.
QString fitExtension(const QString &fileName);

// A puzzle file is named so: the last four characters are ".pzz", lower case only.
bool isPuzzleFileName(const QString &name);

} // namespace DialogRules
