#include "app/tess2mainform.h"
#include "dialog/DialogRules.h"
#include "io/RunTimeError.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesselon"));

    // The program takes one optional path; the shell may have split it at spaces.
    const QStringList args = QApplication::arguments().mid(1);
    tess2mainform window(DialogRules::commandLine(args, QDir::currentPath()));
    try {
        window.startUp();
    } catch (const RunTimeError &e) {
        Messages::show(nullptr, e.source() + QStringLiteral(": ") + e.description());
        return 1;
    } catch (const std::exception &e) {
        Messages::show(nullptr, QStringLiteral("Tesselon: ") + QString::fromLocal8Bit(e.what()));
        return 1;
    }
    return app.exec();
}
