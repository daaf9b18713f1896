#pragma once

#include "game/AutosaveWriter.h"
#include "game/BestResults.h"
#include "game/GameState.h"
#include "game/PlayClock.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class BestResultsWindow;
class GameSession;
class QAction;
class QLabel;
class tess2mainform;

// Keeps the player's games: the game in progress is written after every move and taken
// up again at the next start, a saved puzzle file keeps its counter, time and history,
// the play time runs while the board can be seen, and finished games count towards the
// best results. The window only creates it and hands it its start-up and its saves.
class GameKeeper : public QObject
{
    Q_OBJECT
public:
    explicit GameKeeper(tess2mainform &window);
    ~GameKeeper() override;

    // Continues the game left by the last run, if there is one that can be read; false
    // when there is none, and the program then starts as it always did.
    bool resume();
    // The player saved the game in progress to this puzzle file: its side data is kept
    // for when the file is continued.
    void keepSaved(const QString &path);
    // Writes the game in progress now.
    void flush();

    qint64 playTimeMs() const { return m_clock.elapsedMs(); }
    QLabel *timePanel() const { return m_timePanel; }
    QLabel *notice() const { return m_notice; }
    QAction *bestResultsAction() const { return m_bestAction; }
    BestResults &bestResults() { return m_results; }
    // Where the side data of a saved puzzle file of these bytes is kept.
    static QString keptPath(const QByteArray &pzzBytes);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onStarted();
    void onStateChanged(GameState state);
    void scheduleSave();
    // Everything but the history, which costs too much to build on the window's thread.
    SideData currentSide() const;
    AutosaveWriter::Game currentGame() const;
    void restore(const SideData &side);
    void restoreContinuedFile();
    void updateClock();
    void refreshTime();
    void recordResult();
    void tell(const QString &text);
    void showBestResults();
    void terminate();

    tess2mainform &m_window;
    GameSession &m_session;
    AutosaveWriter m_writer;
    PlayClock m_clock;
    BestResults m_results;
    QTimer m_tick;
    QTimer m_noticeTimer;
    QLabel *m_timePanel = nullptr;
    QLabel *m_notice = nullptr;
    QAction *m_bestAction = nullptr;
    QPointer<BestResultsWindow> m_bestWindow;
    // The encoded picture of the game in play, as it was read; never encoded again.
    QByteArray m_pictureBytes;
    bool m_resuming = false;
    // The zoom a new board is fitted with; a game still at it keeps no zoom of its own.
    float m_fittedZoom = 0;
};
