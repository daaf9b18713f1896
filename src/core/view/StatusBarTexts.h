#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// What the status bar shows: six panels and, in simple style, one text across the bar.
struct StatusBarState {
    std::array<QString, 6> panels; // panels 1 to 6 at indices 0 to 5
    bool simple = false;
    QString simpleText;
};

// What a refresh of the status bar reads from the window, the board and the dialog.
struct StatusBarInput {
    qint32 estado = 0;
    qint16 language = 0;
    qint16 columns = 0;
    qint16 rows = 0;
    qint16 porColocar = 0;
    qint32 movimientos = 0;
    QString archivoSinPath;
};

namespace StatusBarTexts
{

// The bar after a refresh. Panel 1, the style and the simple text keep their previous
// values where the game state gives no new ones. Spanish for language 1, English for
// every other value. Throws RunTimeError(6) when the piece count does not fit 16 bits,
// before anything changes.
StatusBarState refresh(const StatusBarState &previous, const StatusBarInput &input);

} // namespace StatusBarTexts
