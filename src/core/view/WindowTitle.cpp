#include "view/WindowTitle.h"

#include "settings/ModuloIdioma.h"

namespace WindowTitle
{

QString text(qint16 language, const QString &fileName, int placed, int total, bool assembled)
{
    const QString program = QStringLiteral("Tesselon");
    if (fileName.isEmpty() || total <= 0)
        return program;
    const char *const ctx = "WindowTitle";
    const QString progress =
        assembled ? ModuloIdioma::text(language, ctx, "assembled")
                  : ModuloIdioma::text(language, ctx, "%1 of %2 in place").arg(placed).arg(total);
    return QStringLiteral("%1 - %2 - %3").arg(fileName, progress, program);
}

} // namespace WindowTitle
