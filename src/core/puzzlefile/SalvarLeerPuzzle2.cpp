#include "puzzlefile/SalvarLeerPuzzle2.h"

#include "board/TableroClass.h"
#include "dialog/DialogRules.h"
#include "io/FileLayer.h"
#include "io/RunTimeError.h"
#include "puzzlefile/PzzFile.h"
#include "settings/ModuloIdioma.h"
#include "settings/comun.h"

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <utility>

namespace
{

constexpr char Context[] = "SalvarLeerPuzzle2";
constexpr int InvalidCall = 5;

QString standardDescription(int number)
{
    switch (number) {
    case RunTimeError::BadFileName:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Bad file name"));
    case RunTimeError::FileNotFound:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "File not found"));
    case RunTimeError::DiskFull:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Disk full"));
    case RunTimeError::PermissionDenied:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Permission denied"));
    case RunTimeError::PathNotFound:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Path not found"));
    case RunTimeError::InvalidPicture:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Invalid picture"));
    case InvalidCall:
        return ModuloIdioma::text(
            Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Invalid procedure call or argument"));
    default:
        return ModuloIdioma::text(Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "Path/File access error"));
    }
}

// The description names the file and, when the system gave one, the reason.
RunTimeError fileError(int number, const QString &path, const QString &reason = QString())
{
    QString text = standardDescription(number) + QStringLiteral(": ") + path;
    if (!reason.isEmpty())
        text += QStringLiteral(" (") + reason + QLatin1Char(')');
    return RunTimeError(number, text);
}

RunTimeError damagedFile(const QString &path)
{
    const QString text = ModuloIdioma::text(
        Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "The file %1 is a damaged puzzle file."));
    return RunTimeError(RunTimeError::BadFileFormat, text.arg(QFileInfo(path).fileName()));
}

void openForReading(QFile &file)
{
    if (const auto failure = FileLayer::openForReading(file))
        throw fileError(failure->number, file.fileName(), failure->reason);
}

QByteArray readImageFile(const QString &path, const SalvarLeerPuzzle2::PictureDecoder &decoder)
{
    QFile file(path);
    openForReading(file);
    if (file.size() <= 0 || file.size() > PzzFile::MaxPictureBytes)
        throw fileError(RunTimeError::InvalidPicture, path);
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw fileError(RunTimeError::FileIOError, path, file.errorString());
    if (!decoder.recognises(bytes))
        throw fileError(RunTimeError::InvalidPicture, path);
    return bytes;
}

// A source puzzle keeps its own magic and version, but everything the copy needs must
// be sound, or the copy would be a file the game refuses.
PzzFile readSourcePuzzle(const QString &path, const SalvarLeerPuzzle2::PictureDecoder &decoder)
{
    QFile file(path);
    openForReading(file);
    PzzFile source;
    if (PzzFile::read(file, source, PzzFile::Identity::Ignore) != PzzFile::Check::Ok ||
        !decoder.recognises(source.picture))
        throw damagedFile(path);
    return source;
}

QByteArray storedExtensionOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray header = file.read(PzzFile::HeaderSize);
    if (header.size() < PzzFile::HeaderSize)
        return QByteArray();
    return header.mid(6, PzzFile::ExtensionSize);
}

// The picture keeps the extension it was stored with unless the typed name already has
// it: photo becomes photo.jpg, photo.JPG stays, photo.png becomes photo.png.jpg.
QString imageDestination(const QString &destination, const QByteArray &storedField)
{
    if (!PzzFile::extensionFieldIsSafe(storedField))
        return destination;
    const QString stored = QString::fromLatin1(storedField);
    const QString typed = QString::fromLatin1(
        PzzFile::extensionField(comun::getFileExtension(QFileInfo(destination).fileName())));
    if (typed.compare(stored, Qt::CaseInsensitive) == 0)
        return destination;
    QString bare = stored;
    while (bare.endsWith(QLatin1Char(' ')))
        bare.chop(1);
    if (bare.isEmpty())
        return destination;
    return destination + QLatin1Char('.') + bare;
}

// Refuses names that can never be written before anything is asked or opened.
void checkDestination(const QString &destination)
{
    const QFileInfo info(destination);
    if (info.fileName().isEmpty() || info.isDir())
        throw fileError(RunTimeError::BadFileName, destination);
    if (!QFileInfo(info.absolutePath()).isDir())
        throw fileError(RunTimeError::PathNotFound, destination);
}

void writeFile(const QString &destination, const std::function<bool(QIODevice &)> &write)
{
    checkDestination(destination);
    if (const auto failure = FileLayer::writeAtomically(destination, write))
        throw fileError(failure->number, destination, failure->reason);
}

void takeBoard(const TableroClass &aTablero, PzzFile &pzz)
{
    if (!aTablero.getBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY) ||
        !pzz.layoutIsValid())
        throw RunTimeError(InvalidCall, standardDescription(InvalidCall));
}

SalvarLeerPuzzle2::Result failure(const RunTimeError &error)
{
    return {qint16(error.number()), error.description()};
}

} // namespace

SalvarLeerPuzzle2::SalvarLeerPuzzle2(PictureDecoder decoder) : m_decoder(std::move(decoder)) {}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::leerPuzzle(const QString &aArchivoPuzzle, TableroClass &aTablero,
                                                        bool &aJuegoDelCuadradito, QByteArray *aPictureBytes)
{
    return takeReading(readPuzzleFile(aArchivoPuzzle, m_decoder), aTablero, aJuegoDelCuadradito,
                       aPictureBytes);
}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::leerPuzzle(QIODevice &in, const QString &name,
                                                        TableroClass &aTablero, bool &aJuegoDelCuadradito,
                                                        QByteArray *aPictureBytes)
{
    return takeReading(readPuzzleFile(in, name, m_decoder), aTablero, aJuegoDelCuadradito, aPictureBytes);
}

SalvarLeerPuzzle2::Reading SalvarLeerPuzzle2::readPuzzleFile(const QString &path,
                                                             const PictureDecoder &decoder)
{
    QFile file(path);
    if (const auto failure = FileLayer::openForReading(file)) {
        Reading reading;
        reading.name = path;
        reading.errorNumber = failure->number;
        reading.reason = failure->reason;
        return reading;
    }
    return readPuzzleFile(file, path, decoder);
}

SalvarLeerPuzzle2::Reading SalvarLeerPuzzle2::readPuzzleFile(QIODevice &in, const QString &name,
                                                             const PictureDecoder &decoder)
{
    Reading reading;
    reading.name = name;
    switch (PzzFile::read(in, reading.pzz)) {
    case PzzFile::Check::WrongMagic:
        reading.outcome = Reading::Outcome::NotPuzzleFile;
        return reading;
    case PzzFile::Check::WrongVersion:
        reading.outcome = Reading::Outcome::UnsupportedVersion;
        return reading;
    case PzzFile::Check::Damaged:
        reading.outcome = Reading::Outcome::Damaged;
        return reading;
    case PzzFile::Check::Ok:
        break;
    }
    in.close();
    // The one decode of the picture both proves it and gives the game its picture.
    reading.picture = decoder.decode(reading.pzz.picture);
    reading.outcome = reading.picture.isNull() ? Reading::Outcome::Damaged : Reading::Outcome::Read;
    return reading;
}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::takeReading(Reading &&reading, TableroClass &aTablero,
                                                         bool &aJuegoDelCuadradito, QByteArray *aPictureBytes)
{
    try {
        switch (reading.outcome) {
        case Reading::Outcome::NotPuzzleFile:
            return {-1, QString()};
        case Reading::Outcome::UnsupportedVersion:
            return {-2, QString()};
        case Reading::Outcome::CannotOpen:
            throw fileError(reading.errorNumber, reading.name, reading.reason);
        case Reading::Outcome::Damaged:
            throw damagedFile(reading.name);
        case Reading::Outcome::Read:
            break;
        }
        const PzzFile &pzz = reading.pzz;
        aTablero.setBoard(pzz.homeColumns, pzz.homeRows, pzz.columns, pzz.rows, pzz.fichasX, pzz.fichasY,
                          pzz.extensionText());
        m_picture = std::move(reading.picture);
        if (aPictureBytes)
            *aPictureBytes = std::move(reading.pzz.picture);
        aJuegoDelCuadradito = pzz.sliding();
        return {0, QString()};
    } catch (const RunTimeError &error) {
        return {qint16(error.number()),
                QStringLiteral("Error %1 in leerPuzzle: %2").arg(error.number()).arg(error.description())};
    }
}

int SalvarLeerPuzzle2::getComoHayQueSalvarlo(const TableroClass &aTablero, const QString &aArchivoSinPath)
{
    const bool unsolved = aTablero.NumeroDeFichasPorColocar() != 0;
    const bool fromPuzzle = DialogRules::isPuzzleFileName(aArchivoSinPath);
    if (unsolved)
        return fromPuzzle ? 4 : 2;
    return fromPuzzle ? 3 : 1;
}

SalvarLeerPuzzle2::Result
SalvarLeerPuzzle2::salvarPuzzle(const QString &aArchivo, const QString &aArchivoSinPath,
                                const TableroClass &aTablero, const QString &aPathDestino,
                                const QString &aNombreArchivoDestino, bool aJuegoDelCuadradito,
                                const OverwriteQuestion &overwrite)
{
    const int kind = getComoHayQueSalvarlo(aTablero, aArchivoSinPath);
    if (kind == 1)
        return {0, QString::fromUtf8("Todavía no se puede")};

    // A name ends where its trailing spaces begin: the suggestion for a solved puzzle
    // carries the stored extension's padding, and a file called "flor.jpg   " is not
    // what the player asked for.
    QString name = aNombreArchivoDestino;
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    const QString destination =
        aPathDestino + QLatin1Char('/') +
        ((kind == 3 || DialogRules::isPuzzleFileName(name)) ? name : name + QStringLiteral(".pzz"));
    // The question names the file that will really be written, extension included.
    const QString written =
        kind == 3 ? imageDestination(destination, storedExtensionOf(aArchivo)) : destination;
    try {
        if (name.isEmpty())
            throw fileError(RunTimeError::BadFileName, destination);
        if (!QFileInfo(aPathDestino).isDir())
            throw fileError(RunTimeError::PathNotFound, written);
        // A folder part typed into the name that does not exist is a bad name, not a
        // missing destination folder.
        if (!QFileInfo(QFileInfo(written).absolutePath()).isDir())
            throw fileError(RunTimeError::BadFileName, written);
        checkDestination(written);
    } catch (const RunTimeError &error) {
        return failure(error);
    }

    if (QFileInfo::exists(written) || QFileInfo(written).isSymLink()) {
        const QString question = ModuloIdioma::text(
            Context, QT_TRANSLATE_NOOP("SalvarLeerPuzzle2", "File %1 already exists. Overwrite it?"));
        if (!overwrite || !overwrite(question.arg(written)))
            return {-1, QString()};
    }

    switch (kind) {
    case 2:
        return salvarPuzzleFromImage(aArchivo, aArchivoSinPath, aTablero, aJuegoDelCuadradito, destination);
    case 3:
        return salvarImagenDelPuzzle(aArchivo, aArchivoSinPath, destination);
    default:
        // The style, like the extension and the picture, comes from the source file.
        return salvarPuzzleFromPuzzle(aArchivo, aTablero, destination);
    }
}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::salvarPuzzleFromImage(const QString &aArchivo,
                                                                   const QString &aArchivoSinPath,
                                                                   const TableroClass &aTablero,
                                                                   bool aJuegoDelCuadradito,
                                                                   const QString &aDestino)
{
    try {
        PzzFile pzz;
        pzz.picture = readImageFile(aArchivo, m_decoder);
        takeBoard(aTablero, pzz);
        pzz.extension = PzzFile::extensionField(comun::getFileExtension(aArchivoSinPath));
        pzz.style = PzzFile::styleValue(aJuegoDelCuadradito);
        writeFile(aDestino, [&pzz](QIODevice &out) { return pzz.write(out); });
        return {0, QString()};
    } catch (const RunTimeError &error) {
        return failure(error);
    }
}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::salvarPuzzleFromPuzzle(const QString &aArchivo,
                                                                    const TableroClass &aTablero,
                                                                    const QString &aDestino)
{
    try {
        PzzFile pzz = readSourcePuzzle(aArchivo, m_decoder);
        pzz.magic = PzzFile::Magic;
        pzz.version = PzzFile::Version;
        pzz.reserved = 0;
        pzz.reservedA = pzz.reservedB;
        takeBoard(aTablero, pzz);
        writeFile(aDestino, [&pzz](QIODevice &out) { return pzz.write(out); });
        return {0, QString()};
    } catch (const RunTimeError &error) {
        return failure(error);
    }
}

SalvarLeerPuzzle2::Result SalvarLeerPuzzle2::salvarImagenDelPuzzle(const QString &aArchivo,
                                                                   const QString &aArchivoSinPath,
                                                                   const QString &aDestino)
{
    Q_UNUSED(aArchivoSinPath);
    try {
        const PzzFile source = readSourcePuzzle(aArchivo, m_decoder);
        const QString destination = imageDestination(aDestino, source.extension);
        writeFile(destination,
                  [&source](QIODevice &out) { return out.write(source.picture) == source.picture.size(); });
        return {0, QString()};
    } catch (const RunTimeError &error) {
        return failure(error);
    }
}

bool SalvarLeerPuzzle2::existeArchivo(const QString &path)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}
