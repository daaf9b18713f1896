#pragma once

#include <QString>
#include <QtGlobal>

class HelpWindow;
class QWidget;

// The help command: opens the compiled help of a language in the one help window.
namespace Ayuda
{

struct Eleccion {
    QString archivo; // the file in the "help" folder beside the program
    QString tema;    // the start topic inside it
};

// Spanish (1) has a help of its own; every other language gets the English one.
Eleccion elegirAyuda(qint16 language);

// Shows the start topic of the language's help, reusing and raising the window of an earlier
// call. A missing or unreadable file, or one without the topic, shows "Help files not found"
// in the language and answers false; nothing else changes.
bool mostrarAyuda(QWidget *owner, qint16 language, const QString &programFolder);

// The help window while one is open, else null.
HelpWindow *ventanaDeAyuda();

} // namespace Ayuda
