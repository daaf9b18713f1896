#include "settings/StateFolders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace StateFolders
{

QString stateFolder()
{
    // Tests that switch Qt's test mode must not touch the player's own saved game.
    if (QStandardPaths::isTestModeEnabled())
        return QDir::homePath() + QStringLiteral("/.qttest/state/tesselon");
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG base directories must be absolute; a relative one is ignored.
    if (!state.isEmpty() && QDir::isAbsolutePath(state))
        return QDir::cleanPath(state) + QStringLiteral("/tesselon");
    return QDir::homePath() + QStringLiteral("/.local/state/tesselon");
}

QString resultsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tesselon");
}

QString setAside(const QString &path)
{
    QString target = path + QStringLiteral(".damaged");
    for (int n = 2; QFile::exists(target); ++n)
        target = path + QStringLiteral(".damaged.%1").arg(n);
    return QFile::rename(path, target) ? target : QString();
}

} // namespace StateFolders
