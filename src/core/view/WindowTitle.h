#pragma once

#include <QString>
#include <QtGlobal>

// The main window's title: the picture or puzzle file and how far the player is, or the
// program's name alone while there is no picture.
namespace WindowTitle
{
QString text(qint16 language, const QString &fileName, int placed, int total, bool assembled);
}
