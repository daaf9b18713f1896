#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenuBar;

// Underlined letters for the menus, so every caption opens from the keyboard with Alt in any
// language without changing a word of it. A caption that already names its letter keeps it;
// the others take the first free letter that starts a word, else any free letter.
namespace Mnemonics
{
// The caption with an ampersand before the chosen letter; used holds the letters taken.
QString mark(const QString &caption, QString &used);
void assign(const QList<QAction *> &siblings);
// The menu bar's captions, and the items of each of its menus.
void assign(QMenuBar *bar);
} // namespace Mnemonics
