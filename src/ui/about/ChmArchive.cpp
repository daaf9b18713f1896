#include "about/ChmArchive.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <chm_lib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// The stream from the child: per object a 32-bit path length, the path, a 64-bit length
// and the bytes, all little-endian; then endMarker in place of a path length.
constexpr quint32 endMarker = 0xFFFFFFFFu;
constexpr qsizetype maxStreamSize =
    qsizetype(ChmArchive::maxTotalSize) + ChmArchive::maxObjects * qsizetype(4 + CHM_MAX_PATHLEN + 8) + 4;

bool writeAll(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

struct ChildState {
    int fd;
    bool ok;
    quint64 total;
    int count;
};

int sendObject(chmFile *file, chmUnitInfo *unit, void *context)
{
    auto *state = static_cast<ChildState *>(context);
    if (unit->length > ChmArchive::maxObjectSize ||
        (state->total += unit->length) > ChmArchive::maxTotalSize ||
        ++state->count > ChmArchive::maxObjects) {
        state->ok = false;
        return CHM_ENUMERATOR_FAILURE;
    }
    const quint32 pathLength = quint32(strnlen(unit->path, CHM_MAX_PATHLEN));
    const quint64 length = unit->length;
    unsigned char *bytes = static_cast<unsigned char *>(std::malloc(length > 0 ? length : 1));
    if (!bytes) {
        state->ok = false;
        return CHM_ENUMERATOR_FAILURE;
    }
    const bool read =
        length == 0 || chm_retrieve_object(file, unit, bytes, 0, LONGINT64(length)) == LONGINT64(length);
    const quint32 pathLengthLE = qToLittleEndian(pathLength);
    const quint64 lengthLE = qToLittleEndian(length);
    state->ok = read && writeAll(state->fd, &pathLengthLE, sizeof pathLengthLE) &&
                writeAll(state->fd, unit->path, pathLength) &&
                writeAll(state->fd, &lengthLE, sizeof lengthLE) && writeAll(state->fd, bytes, length);
    std::free(bytes);
    return state->ok ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_FAILURE;
}

// Runs in the child and never returns. It uses only chmlib, malloc and plain system calls,
// which stay usable in the child of a process that has other threads.
[[noreturn]] void childReadArchive(const char *path, int fd)
{
    // A crash here is the expected end of a damaged file: it dies quietly, without the
    // parent's crash handlers, a core file or a report.
    for (const int crash : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        ::signal(crash, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const int devNull = ::open("/dev/null", O_WRONLY);
    if (devNull >= 0)
        ::dup2(devNull, STDERR_FILENO);
    chmFile *file = chm_open(path);
    if (!file)
        ::_exit(1);
    ChildState state{fd, true, 0, 0};
    const int enumerated =
        chm_enumerate(file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, sendObject, &state);
    chm_close(file);
    if (!enumerated || !state.ok || !writeAll(fd, &endMarker, sizeof endMarker))
        ::_exit(1);
    ::_exit(0);
}

// Reads what the child sends until it closes the pipe, the stream grows beyond any valid
// archive or the time is up.
bool readStream(int fd, QByteArray &stream)
{
    QDeadlineTimer deadline(ChmArchive::readTimeoutMs);
    char buffer[65536];
    for (;;) {
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (stream.size() + n > maxStreamSize)
            return false;
        stream.append(buffer, n);
    }
}

bool parseStream(const QByteArray &stream, QHash<QString, QByteArray> &objects)
{
    const char *p = stream.constData();
    qsizetype left = stream.size();
    for (;;) {
        if (left < 4)
            return false;
        const quint32 pathLength = qFromLittleEndian<quint32>(p);
        p += 4;
        left -= 4;
        if (pathLength == endMarker)
            return left == 0;
        if (pathLength > CHM_MAX_PATHLEN || left < qsizetype(pathLength) + 8)
            return false;
        const QString path = QString::fromUtf8(p, pathLength).toLower();
        p += pathLength;
        left -= pathLength;
        const quint64 length = qFromLittleEndian<quint64>(p);
        p += 8;
        left -= 8;
        if (length > quint64(left))
            return false;
        objects.insert(path, QByteArray(p, qsizetype(length)));
        p += length;
        left -= qsizetype(length);
    }
}

bool readAllObjects(const QString &fileName, QHash<QString, QByteArray> &objects)
{
    const QByteArray path = QFile::encodeName(fileName);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        childReadArchive(path.constData(), fds[1]);
    }
    ::close(fds[1]);
    QByteArray stream;
    const bool complete = readStream(fds[0], stream);
    ::close(fds[0]);
    if (!complete)
        ::kill(child, SIGKILL);

    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // Where children are reaped automatically there is no status; the end marker alone
    // then tells a finished read from one cut short.
    const bool exitedCleanly = waited < 0 ? errno == ECHILD : WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return complete && exitedCleanly && parseStream(stream, objects);
}

// The archive's spelling of a name: absolute, forward slashes, no "." or ".." steps, lower
// case.
QString objectKey(const QString &name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList kept;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept << part;
    }
    return (QLatin1Char('/') + kept.join(QLatin1Char('/'))).toLower();
}

} // namespace

ChmArchive::ChmArchive(const QString &fileName) : m_fileName(fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile() || !info.isReadable())
        return;
    QHash<QString, QByteArray> objects;
    if (!readAllObjects(fileName, objects))
        return;
    m_objects = std::move(objects);
    m_open = true;
}

bool ChmArchive::contains(const QString &name) const
{
    return m_objects.contains(objectKey(name));
}

std::optional<QByteArray> ChmArchive::read(const QString &name) const
{
    const auto it = m_objects.constFind(objectKey(name));
    if (it == m_objects.constEnd())
        return std::nullopt;
    return it.value();
}
