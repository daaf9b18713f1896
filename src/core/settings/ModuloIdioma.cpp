#include "settings/ModuloIdioma.h"

#include <QTranslator>

#include <memory>

namespace
{
qint16 g_idioma = ModuloIdioma::English;

QTranslator *translatorFor(qint16 language)
{
    static std::unique_ptr<QTranslator> spanish;
    static std::unique_ptr<QTranslator> galician;
    std::unique_ptr<QTranslator> &slot = language == ModuloIdioma::Spanish ? spanish : galician;
    if (!slot) {
        slot = std::make_unique<QTranslator>();
        const QString file = language == ModuloIdioma::Spanish ? QStringLiteral(":/i18n/tesselon_es.qm")
                                                               : QStringLiteral(":/i18n/tesselon_gl.qm");
        if (!slot->load(file))
            qWarning("Missing translation %s", qPrintable(file));
    }
    return slot.get();
}
} // namespace

namespace ModuloIdioma
{

qint16 idioma()
{
    return g_idioma;
}
void setIdioma(qint16 language)
{
    g_idioma = language;
}

QString text(qint16 language, const char *context, const char *sourceText)
{
    if (language == Spanish || language == Galician) {
        const QString translated = translatorFor(language)->translate(context, sourceText);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(sourceText);
}

} // namespace ModuloIdioma
