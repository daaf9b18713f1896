#include "io/RunTimeError.h"
#include "settings/ConfigFileHandler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace
{

QString g_folder;

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    ConfigFileHandler::setErrorReporter([](const QString &) {});
    // Memory-backed when the system has it: every input is written to a real file.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    g_folder = base + QStringLiteral("/tesselon-fuzz-config-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(g_folder);
    std::atexit([] { QDir(g_folder).removeRecursively(); });
    return 0;
}

// The input is the configuration file as the program finds it at start-up. Whatever the
// handler ends with must survive its own writer and reader unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile file(g_folder + QStringLiteral("/configfile.txt"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    ConfigFileHandler handler(g_folder);
    const QByteArray line = handler.configLine();
    try {
        handler.readConfigLine(line);
    } catch (const RunTimeError &) {
        abort();
    }
    if (handler.configLine() != line)
        abort();
    return 0;
}
