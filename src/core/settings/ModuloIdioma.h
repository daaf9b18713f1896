#pragma once

#include <QString>
#include <QtGlobal>

// The interface language: one value for the whole program. 0 English (the default),
// 1 Spanish, 2 Galician; any other value keeps the English texts.
//
// Every text the player reads is written in the code in English and marked with
// QT_TRANSLATE_NOOP; translations/tesselon_es.ts and tesselon_gl.ts hold the Spanish and
// Galician forms. Lookups name the language explicitly so one run can check every
// language side by side.
namespace ModuloIdioma
{

enum : qint16 { English = 0, Spanish = 1, Galician = 2 };

qint16 idioma();
void setIdioma(qint16 language);

// The text in the given language; the English source where the language has no form of
// its own.
QString text(qint16 language, const char *context, const char *sourceText);
inline QString text(const char *context, const char *sourceText)
{
    return text(idioma(), context, sourceText);
}

} // namespace ModuloIdioma
