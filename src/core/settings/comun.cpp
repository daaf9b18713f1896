#include "settings/comun.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
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
    if (QCoreApplication::instance()) {
        const QString folder = QCoreApplication::applicationDirPath();
        if (!folder.isEmpty())
            return folder;
    }
    // Without an application object Qt cannot name the executable; the kernel can.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString target = self.symLinkTarget();
    if (!target.isEmpty())
        return QFileInfo(target).absolutePath();
    return QDir::currentPath();
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
