#include "dialog/DialogRules.h"

#include "io/RunTimeError.h"
#include "settings/ModuloIdioma.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const char *const Context = "Dialog";

bool hasOwnTexts(qint16 language)
{
    return language == ModuloIdioma::English || language == ModuloIdioma::Spanish ||
           language == ModuloIdioma::Galician;
}

QString caseInsensitiveWildcard(const QString &pattern)
{
    QString out;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper)
            out += QLatin1Char('[') + lower + upper + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

} // namespace

namespace DialogRules
{

QStringList fileTypePatterns()
{
    // PNG, WebP, TIFF and the phones' HEIC and AVIF are the pictures people have most after
    // JPEG; hiding them behind "*.*" made them look unreadable.
    const QString pictures = QStringLiteral("*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.dib;*.webp;*.tif;*.tiff;"
                                            "*.heic;*.heif;*.avif;*.wmf;*.emf");
    return {QStringLiteral("*.pzz;") + pictures, pictures, QStringLiteral("*.pzz"), QStringLiteral("*.*")};
}

QStringList nameFilters(const QString &patternText)
{
    QStringList filters;
    const QStringList patterns = patternText.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &raw : patterns) {
        const QString pattern = raw.trimmed();
        if (pattern.isEmpty())
            continue;
        if (pattern == QLatin1String("*.*"))
            filters << QStringLiteral("*");
        else
            filters << caseInsensitiveWildcard(pattern);
    }
    return filters;
}

std::optional<QString> piecesSummary(qint16 language, int x, int y)
{
    if (!hasOwnTexts(language))
        return std::nullopt;
    const auto total = static_cast<qint16>(static_cast<double>(x) * static_cast<double>(y));
    return ModuloIdioma::text(language, Context, QT_TRANSLATE_NOOP("Dialog", "%1 pieces puzzle (%2x%3)"))
        .arg(total)
        .arg(x)
        .arg(y);
}

std::optional<QString> styleExplanation(qint16 language, bool dificil)
{
    if (!hasOwnTexts(language))
        return std::nullopt;
    if (dificil)
        return ModuloIdioma::text(
            language, Context,
            QT_TRANSLATE_NOOP("Dialog", "You can only move a piece if it has an empty place by its side."));
    return ModuloIdioma::text(language, Context,
                              QT_TRANSLATE_NOOP("Dialog", "Any piece can be moved to any place"));
}

std::optional<QString> notReadyMessage(qint16 language)
{
    if (!hasOwnTexts(language))
        return std::nullopt;
    return ModuloIdioma::text(language, Context,
                              QT_TRANSLATE_NOOP("Dialog", "The selected unit is not ready"));
}

std::optional<QString> choseImageMessage(qint16 language)
{
    if (!hasOwnTexts(language))
        return std::nullopt;
    // The platform's line break; the two lines stay apart in the translations.
    return ModuloIdioma::text(language, Context,
                              QT_TRANSLATE_NOOP("Dialog", "To create the puzzle you shall chose an image")) +
           QLatin1Char('\n') +
           ModuloIdioma::text(language, Context, QT_TRANSLATE_NOOP("Dialog", "from your computer"));
}

QString refusedPuzzleFileMessage(qint16 language, int result, const QString &name)
{
    if (result == -1)
        return ModuloIdioma::text(language, Context,
                                  QT_TRANSLATE_NOOP("Dialog", "The file %1 is not a puzzle file"))
            .arg(name);
    if (result == -2)
        return ModuloIdioma::text(language, Context,
                                  QT_TRANSLATE_NOOP("Dialog", "The file version of %1 is not supported"))
            .arg(name);
    return QString();
}

QString unreadableFolderMessage(qint16 language, const QString &folder)
{
    return ModuloIdioma::text(language, Context, QT_TRANSLATE_NOOP("Dialog", "The folder %1 cannot be read"))
        .arg(folder);
}

QString vanishedFileMessage(qint16 language, const QString &name)
{
    return ModuloIdioma::text(language, Context,
                              QT_TRANSLATE_NOOP("Dialog", "The file %1 is no longer in its folder"))
        .arg(name);
}

QString errorMessage(int number, const QString &description)
{
    return QStringLiteral("Error: ") + QString::number(number) + QStringLiteral(".  ") + description;
}

QString stripQuotes(const QString &commandLine)
{
    QString s = commandLine;
    if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s;
}

bool readableFileName(const QString &name)
{
    const QString suffix = QStringLiteral("*.") + QFileInfo(name).suffix().toLower();
    return suffix.size() > 2 && fileTypePatterns().constFirst().split(QLatin1Char(';')).contains(suffix);
}

QString droppedFile(const QList<QUrl> &urls)
{
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return QString();
    const QFileInfo file(urls.constFirst().toLocalFile());
    return file.isFile() && readableFileName(file.fileName()) ? file.absoluteFilePath() : QString();
}

QString commandLine(const QStringList &arguments, const QString &currentFolder)
{
    const QString line = arguments.join(QLatin1Char(' '));
    const QString path = stripQuotes(line);
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return line;
    return QDir::cleanPath(currentFolder + QLatin1Char('/') + path);
}

SplitPath splitPath(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        throw RunTimeError(5, QStringLiteral("Invalid procedure call or argument"));
    SplitPath parts;
    parts.folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    parts.name = path.mid(slash + 1);
    return parts;
}

QString splitFileName(const QString &s)
{
    const qsizetype slash = s.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = s.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1)
        return QString();
    const QString base = s.mid(slash + 1, dot - slash - 1);
    for (const QChar c : base) {
        const char16_t u = c.unicode();
        const bool allowed =
            (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
        if (!allowed)
            return QString();
    }
    return base;
}

QString fitExtension(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : fileName.mid(dot + 1);
    return extension.left(6).leftJustified(6, QLatin1Char(' '));
}

bool isPuzzleFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".pzz"), Qt::CaseSensitive);
}

} // namespace DialogRules
