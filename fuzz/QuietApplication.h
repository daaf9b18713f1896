#pragma once

#include <QGuiApplication>

// The fuzz targets decode pictures, which needs a GUI application but no screen; Qt's own
// warnings about broken inputs would only drown the fuzzer's output.
inline void startQuietApplication(const char *name)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static int argc = 1;
    static QByteArray program(name);
    static char *argv[] = {program.data(), nullptr};
    static QGuiApplication app(argc, argv);
}
