#include "settings/ConfigFileHandler.h"

#include "io/FileLayer.h"
#include "io/RunTimeError.h"
#include "settings/comun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <utility>

namespace
{

const QString CurrentVersion = QStringLiteral("1.0");
const QString FileName = QStringLiteral("configfile.txt");
const QString TrueItem = QStringLiteral("#TRUE#");
const QString FalseItem = QStringLiteral("#FALSE#");

// The longest line the writer can produce is two paths and a few numbers; anything far
// beyond that is not a configuration file, and is refused before it is decoded.
constexpr qint64 MaxLineBytes = 64 * 1024;
constexpr qsizetype ItemCount = 10;

struct Item {
    QString text;
    bool quoted = false;
};

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Splits the first record into at most ItemCount items. Commas separate items and a line
// break outside quotes ends the record; inside quotes both are ordinary characters.
QList<Item> splitRecord(const QString &text)
{
    QList<Item> items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    if (n == 0 || isLineBreak(text.at(0)))
        return items;
    while (items.size() < ItemCount) {
        Item item;
        while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
            ++i;
        if (i < n && text.at(i) == QLatin1Char('"')) {
            item.quoted = true;
            ++i;
            while (i < n) {
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        item.text += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.text += text.at(i++);
            }
            // Like the old reader, whatever follows the closing quote up to the separator
            // does not belong to the item.
            while (i < n && text.at(i) != QLatin1Char(',') && !isLineBreak(text.at(i)))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && text.at(i) != QLatin1Char(',') && !isLineBreak(text.at(i)))
                ++i;
            item.text = text.mid(start, i - start).trimmed();
        }
        items.append(item);
        if (i >= n || text.at(i) != QLatin1Char(','))
            break;
        ++i;
    }
    return items;
}

RunTimeError typeMismatch()
{
    return RunTimeError(13, QStringLiteral("Type mismatch"));
}

qint16 integerItem(const Item &item)
{
    const QString &t = item.text;
    if (item.quoted || t.isEmpty())
        throw typeMismatch();
    qsizetype digitsFrom = (t.at(0) == QLatin1Char('-') || t.at(0) == QLatin1Char('+')) ? 1 : 0;
    if (digitsFrom == t.size())
        throw typeMismatch();
    for (qsizetype i = digitsFrom; i < t.size(); ++i) {
        if (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9'))
            throw typeMismatch();
    }
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value < -32768 || value > 32767)
        throw RunTimeError(RunTimeError::Overflow, QStringLiteral("Overflow"));
    return static_cast<qint16>(value);
}

bool booleanItem(const Item &item)
{
    if (!item.quoted && item.text == TrueItem)
        return true;
    if (!item.quoted && item.text == FalseItem)
        return false;
    throw typeMismatch();
}

QString quotedItem(QString text)
{
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

ConfigFileHandler::ErrorReporter &reporterSlot()
{
    static ConfigFileHandler::ErrorReporter reporter;
    return reporter;
}

void report(const QString &text)
{
    const ConfigFileHandler::ErrorReporter &reporter = reporterSlot();
    if (reporter)
        reporter(text);
    else
        qWarning("%s", qUtf8Printable(text));
}

// The old reader told a denied file apart and gave every other failure one number.
void openForReading(QFile &file)
{
    if (const auto failure = FileLayer::openForReading(file)) {
        if (failure->number == RunTimeError::PermissionDenied)
            throw RunTimeError(RunTimeError::PermissionDenied, QStringLiteral("Permission denied"));
        throw RunTimeError(RunTimeError::FileIOError, QStringLiteral("Path/File access error"));
    }
}

} // namespace

ConfigFileHandler::ConfigFileHandler(const QString &dataFolder)
    : m_dataFolder(dataFolder.isEmpty() ? comun::getDataFolder() : dataFolder)
{
    setDefaultValues();
    loadconfigFile();
}

void ConfigFileHandler::setErrorReporter(ErrorReporter reporter)
{
    reporterSlot() = std::move(reporter);
}

QString ConfigFileHandler::filePath() const
{
    return m_dataFolder + QLatin1Char('/') + FileName;
}

void ConfigFileHandler::setDefaultValues()
{
    m_fileVersion = CurrentVersion;
    m_language = 0;
    const QString documents = comun::getMyDocumentsFolder();
    if (documents.isEmpty()) {
        m_dialogPath = comun::programFolder();
    } else {
        const QString samples = documents + QStringLiteral("/tesselon samples");
        m_dialogPath = comun::folderHasFiles(samples) ? samples : documents;
    }
    m_dialogDrive = comun::driveOf(m_dialogPath);
    m_recordardir = 1;
    m_mostrarImagen = 1;
    m_listX = 4;
    m_listY = 4;
    m_optionDificil = false;
    m_primeraVez = true;
}

void ConfigFileHandler::loadconfigFile()
{
    try {
        QFile file(filePath());
        if (!QFileInfo::exists(file.fileName())) {
            if (!QFileInfo(m_dataFolder).isDir()) {
                // Only the program's own folder is made here; a missing data root is an
                // error like any other.
                const QString root = QFileInfo(QDir::cleanPath(m_dataFolder)).path();
                if (!QFileInfo(root).isDir())
                    throw RunTimeError(RunTimeError::PathNotFound, QStringLiteral("Path not found"));
                QDir().mkdir(m_dataFolder);
            }
            // A folder that could not be made shows up as a failed save, which is silent.
            saveConfigFile();
            return;
        }
        openForReading(file);
        const QByteArray bytes = file.read(MaxLineBytes + 1);
        if (file.error() != QFileDevice::NoError)
            throw RunTimeError(57, QStringLiteral("Device I/O error"));
        file.close();
        readConfigLine(bytes);
        if (m_fileVersion != CurrentVersion) {
            setDefaultValues();
            saveConfigFile();
        }
    } catch (const RunTimeError &e) {
        report(QStringLiteral("Error in loadconfigFile: %1.  %2").arg(e.number()).arg(e.description()));
        setDefaultValues();
    }
}

void ConfigFileHandler::readConfigLine(const QByteArray &bytes)
{
    if (bytes.size() > MaxLineBytes)
        throw RunTimeError(RunTimeError::BadFileFormat, QStringLiteral("Invalid file format"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        throw RunTimeError(RunTimeError::BadFileFormat, QStringLiteral("Invalid file format"));

    const QList<Item> items = splitRecord(text);
    auto item = [&items](qsizetype index) -> const Item & {
        if (index >= items.size())
            throw RunTimeError(62, QStringLiteral("Input past end of file"));
        return items.at(index);
    };
    // Everything is read into locals first so that a failure leaves the fields alone.
    const QString fileVersion = item(0).text;
    const qint16 language = integerItem(item(1));
    const QString dialogDrive = item(2).text;
    const QString dialogPath = item(3).text;
    const qint16 recordardir = integerItem(item(4));
    const qint16 mostrarImagen = integerItem(item(5));
    const qint16 listX = integerItem(item(6));
    const qint16 listY = integerItem(item(7));
    const bool optionDificil = booleanItem(item(8));
    const bool primeraVez = booleanItem(item(9));

    m_fileVersion = fileVersion;
    m_language = language;
    m_dialogDrive = dialogDrive;
    m_dialogPath = dialogPath;
    m_recordardir = recordardir;
    m_mostrarImagen = mostrarImagen;
    m_listX = listX;
    m_listY = listY;
    m_optionDificil = optionDificil;
    m_primeraVez = primeraVez;
}

QByteArray ConfigFileHandler::configLine() const
{
    const QChar comma = QLatin1Char(',');
    const QString line = quotedItem(CurrentVersion) + comma + QString::number(m_language) + comma +
                         quotedItem(m_dialogDrive) + comma + quotedItem(m_dialogPath) + comma +
                         QString::number(m_recordardir) + comma + QString::number(m_mostrarImagen) + comma +
                         QString::number(m_listX) + comma + QString::number(m_listY) + comma +
                         (m_optionDificil ? TrueItem : FalseItem) + comma +
                         (m_primeraVez ? TrueItem : FalseItem) + QStringLiteral("\r\n");
    return line.toUtf8();
}

bool ConfigFileHandler::saveConfigFile()
{
    const QByteArray line = configLine();
    return !FileLayer::writeAtomically(filePath(),
                                       [&line](QIODevice &out) { return out.write(line) == line.size(); });
}
