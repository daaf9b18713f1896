#include "view/StatusBarTexts.h"

#include "io/RunTimeError.h"
#include "settings/ModuloIdioma.h"

#include <limits>

namespace
{
const char *const Context = "StatusBar";

qint16 checked16(qint32 value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw RunTimeError(RunTimeError::Overflow, QStringLiteral("Overflow"));
    return qint16(value);
}
} // namespace

namespace StatusBarTexts
{

StatusBarState refresh(const StatusBarState &previous, const StatusBarInput &input)
{
    const qint16 pieces = checked16(qint32(input.columns) * qint32(input.rows));
    const qint16 placed = checked16(qint32(pieces) - qint32(input.porColocar));

    // Galician has no texts of its own in this bar.
    const qint16 language =
        input.language == ModuloIdioma::Spanish ? ModuloIdioma::Spanish : ModuloIdioma::English;
    auto text = [language](const char *source) { return ModuloIdioma::text(language, Context, source); };

    StatusBarState bar = previous;
    switch (input.estado) {
    case 2:
        bar.panels[0] = text(QT_TRANSLATE_NOOP("StatusBar", "ASSEMBLED"));
        bar.simple = false;
        break;
    case 0:
        bar.panels[0] = text(QT_TRANSLATE_NOOP("StatusBar", "NO IMAGE"));
        bar.simpleText = bar.panels[0];
        bar.simple = true;
        break;
    case 1:
        bar.panels[0] = text(QT_TRANSLATE_NOOP("StatusBar", "NOT ASSEMBLED"));
        bar.simple = false;
        break;
    default:
        break;
    }
    bar.panels[1] = input.archivoSinPath;
    bar.panels[2] = text(QT_TRANSLATE_NOOP("StatusBar", "%1 pieces (%2x%3)"))
                        .arg(pieces)
                        .arg(input.columns)
                        .arg(input.rows);
    bar.panels[3] = text(QT_TRANSLATE_NOOP("StatusBar", "%1 pieces in place")).arg(placed);
    bar.panels[4] = text(QT_TRANSLATE_NOOP("StatusBar", "%1 pieces out of place")).arg(input.porColocar);
    bar.panels[5] = text(QT_TRANSLATE_NOOP("StatusBar", "%1 movements")).arg(input.movimientos);
    return bar;
}

} // namespace StatusBarTexts
