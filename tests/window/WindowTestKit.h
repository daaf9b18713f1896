#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class tess2mainform;

// What the tests that start the main window share: a private data root, configuration lines
// and answers to modal windows.
namespace WindowTestKit
{

// Points the data root, the state and results folders and the documents folder below root, pins the screen's
// units per pixel to 15 and scripts every message box. Called once, before any window exists.
void prepareEnvironment(const QString &root);

struct ConfigLine {
    qint16 language = 0;
    QString dialogPath;
    bool firstRun = false;
};

QString configPath();
void writeConfig(const ConfigLine &line);

// Runs act on the next modal window once it is shown; whatever act leaves open is closed
// afterwards, so a test never waits on a window nobody closes.
void onNextModal(std::function<void(QWidget *modal)> act);
// Forgets every onNextModal whose window has not come; each test ends with it.
void stopWatchingModals();

// Removes the game a window kept, so the next start-up opens the new-puzzle dialog.
void forgetKeptGames();

// A window started as the program starts it, up to the first new-puzzle dialog.
std::unique_ptr<tess2mainform> startWindow(const QString &commandLine = QString());

} // namespace WindowTestKit
