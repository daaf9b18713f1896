#include "io/FileLayer.h"

#include "io/RunTimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

QString systemReason(int error)
{
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}

// A short write on a full disk leaves no error on the device, only in errno.
QString reasonFor(const QFileDevice &file, int error)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return systemReason(error);
}

// The system's number says little for a failed write into a folder that is gone or
// closed to us; the folder itself says more.
int writeErrorNumber(int error, const QString &path)
{
    const int number = FileLayer::errorNumber(error);
    if (number != RunTimeError::FileIOError)
        return number;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return RunTimeError::PathNotFound;
    if (!folder.isWritable())
        return RunTimeError::PermissionDenied;
    return number;
}

FileLayer::Failure writeFailure(const QSaveFile &file, int error)
{
    return {writeErrorNumber(error, file.fileName()), reasonFor(file, error)};
}

} // namespace

namespace FileLayer
{

int errorNumber(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR:
        return RunTimeError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return RunTimeError::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return RunTimeError::DiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case EILSEQ:
        return RunTimeError::BadFileName;
    default:
        return RunTimeError::FileIOError;
    }
}

// QFile does not say why an opening failed, so the file is opened here and handed over.
std::optional<Failure> openForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return Failure{RunTimeError::FileNotFound, QString()};
    if (info.isDir())
        return Failure{RunTimeError::FileIOError, systemReason(EISDIR)};
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const int number = errorNumber(error);
        return Failure{number == RunTimeError::PathNotFound ? int(RunTimeError::FileNotFound) : number,
                       systemReason(error)};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure{RunTimeError::FileIOError, file.errorString()};
    }
    return std::nullopt;
}

std::optional<Failure> writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    errno = 0;
    // Unbuffered, so a disk that fills up fails the write itself: QSaveFile's commit()
    // does not report a short write of what was still buffered.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailure(file, errno);
    errno = 0;
    if (!write(file)) {
        const Failure failure = writeFailure(file, errno);
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit())
        return writeFailure(file, errno);
    return std::nullopt;
}

} // namespace FileLayer
