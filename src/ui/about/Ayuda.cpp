#include "about/Ayuda.h"

#include "about/HelpWindow.h"
#include "platform/Messages.h"
#include "settings/ModuloIdioma.h"

#include <QDir>
#include <QPointer>

namespace
{
QPointer<HelpWindow> g_ventana;
}

namespace Ayuda
{

Eleccion elegirAyuda(qint16 language)
{
    if (language == ModuloIdioma::Spanish)
        return {QStringLiteral("ayuda_tesselon.chm"), QStringLiteral("tesselon_help_sp.htm")};
    return {QStringLiteral("tesselon_help.chm"), QStringLiteral("tesselon_help.htm")};
}

bool mostrarAyuda(QWidget *owner, qint16 language, const QString &programFolder)
{
    const Eleccion eleccion = elegirAyuda(language);
    const QString path = QDir(programFolder).filePath(QStringLiteral("help/") + eleccion.archivo);

    bool nueva = false;
    if (!g_ventana) {
        // Owned by the caller's window, the help stays above it and goes with it.
        g_ventana = new HelpWindow(owner);
        g_ventana->setAttribute(Qt::WA_DeleteOnClose);
        nueva = true;
    }
    if (!g_ventana->openTopic(path, eleccion.tema)) {
        if (nueva)
            delete g_ventana;
        Messages::show(owner, ModuloIdioma::text(language, "Ayuda", "Help files not found"));
        return false;
    }
    g_ventana->setIdioma(language);
    g_ventana->show();
    g_ventana->raise();
    g_ventana->activateWindow();
    return true;
}

HelpWindow *ventanaDeAyuda()
{
    return g_ventana;
}

} // namespace Ayuda
