#include "settings/comun.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QStorageInfo>

namespace
{

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

namespace comun
{

QString getAppDataFolder()
{
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (root.isEmpty())
        return programFolder();
    return withoutTrailingSeparator(root);
}

QString getDataFolder()
{
    return getAppDataFolder() + QStringLiteral("/tesselon");
}

QString getMyDocumentsFolder()
{
    // Qt names ~/Documents even where the home has no such folder.
    const QString folder =
        withoutTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    return QFileInfo(folder).isDir() ? folder : QString();
}

bool folderHasFiles(const QString &folder)
{
    // An empty name would otherwise list the current folder.
    if (folder.isEmpty())
        return false;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    return it.hasNext();
}

QString getFileExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    return name.mid(dot + 1);
}

QString programFolder()
{
    QString executable;
    if (QCoreApplication::instance())
        executable = QCoreApplication::applicationDirPath();
    if (executable.isEmpty()) {
        // Without an application object Qt cannot name the executable; the kernel can.
        const QString target = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
        executable = target.isEmpty() ? QDir::currentPath() : QFileInfo(target).absolutePath();
    }
    return dataFolderFor(executable);
}

QString dataFolderFor(const QString &executableFolder)
{
    // Only a relative path is compiled in, so a build tree, an installed prefix and an
    // unpacked package all find their data wherever they were put.
    const QString marker = QStringLiteral("/icons");
    if (QFileInfo(executableFolder + marker).isDir())
        return executableFolder;
    const QString installed =
        QDir::cleanPath(executableFolder + QLatin1Char('/') + QStringLiteral(TESSELON_DATA_FROM_BIN));
    if (QFileInfo(installed + marker).isDir())
        return installed;
    return executableFolder;
}

QIcon windowIcon(const QString &dataFolder)
{
    const QIcon icon(dataFolder + QStringLiteral("/icons/Atom.ico"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        return icon;
    QIcon builtIn;
    builtIn.addFile(QStringLiteral(":/tesselon/builtin/16x16/apps/tesselon.png"));
    builtIn.addFile(QStringLiteral(":/tesselon/builtin/32x32/apps/tesselon.png"));
    return builtIn;
}

QIcon windowIcon()
{
    return windowIcon(programFolder());
}

QString driveOf(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(path) && path != QLatin1String("/"))
        path = QFileInfo(path).path();
    const QStorageInfo volume(path);
    if (!volume.isValid() || volume.rootPath().isEmpty())
        return QStringLiteral("/");
    return volume.rootPath();
}

} // namespace comun
