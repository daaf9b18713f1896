#include "WindowTestKit.h"

#include "app/tess2mainform.h"
#include "platform/Messages.h"
#include "settings/StateFolders.h"
#include "settings/comun.h"
#include "view/Twips.h"

#include <QtTest>
#include <QtWidgets>

namespace WindowTestKit
{

void prepareEnvironment(const QString &root)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    qputenv("HOME", QFile::encodeName(root + "/home"));
    qputenv("XDG_STATE_HOME", QFile::encodeName(root + "/state"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/share"));
    QDir().mkpath(root + "/config");
    QDir().mkpath(root + "/home/Documents");
    Twips::overrideFactors(15, 15);
    Messages::startScript();
}

QString configPath()
{
    return comun::getDataFolder() + QStringLiteral("/configfile.txt");
}

void writeConfig(const ConfigLine &line)
{
    QDir().mkpath(comun::getDataFolder());
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("\"1.0\",%1,\"/\",\"%2\",1,1,4,4,#FALSE#,%3\r\n")
                   .arg(line.language)
                   .arg(line.dialogPath, line.firstRun ? "#TRUE#" : "#FALSE#")
                   .toUtf8());
}

void onNextModal(std::function<void(QWidget *modal)> act)
{
    auto *poll = new QTimer(qApp);
    poll->setObjectName(QStringLiteral("WindowTestKitModalPoll"));
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
        if (modal && modal->isVisible())
            modal->close();
    });
    poll->start(10);
}

void stopWatchingModals()
{
    qDeleteAll(qApp->findChildren<QTimer *>("WindowTestKitModalPoll", Qt::FindDirectChildrenOnly));
}

void forgetKeptGames()
{
    QDir(StateFolders::stateFolder()).removeRecursively();
}

std::unique_ptr<tess2mainform> startWindow(const QString &commandLine)
{
    auto window = std::make_unique<tess2mainform>(commandLine);
    window->startUpWithoutDialog();
    return window;
}

} // namespace WindowTestKit
