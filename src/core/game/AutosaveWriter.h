#pragma once

#include "game/SideData.h"
#include "puzzlefile/PzzFile.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

// Keeps the game in progress on disk: a puzzle file of it and its side data, written
// atomically on a thread of its own, at most one write every half second, so a crash
// loses at most the last half second of play and the window never waits for the disk.
class AutosaveWriter : public QObject
{
    Q_OBJECT
public:
    struct Game {
        PzzFile pzz; // its picture shares the bytes of the load; nothing is re-encoded
        SideData side;
        // Builds the side data's history on the writer's thread, when given: a long game's
        // history costs the window's thread milliseconds to turn into JSON.
        std::function<QJsonArray()> history = {};
    };

    static constexpr int IntervalMs = 500;

    explicit AutosaveWriter(QString folder, QObject *parent = nullptr);
    ~AutosaveWriter() override;

    // Takes the folder for this copy of the program; false when another copy holds it,
    // and this one then keeps nothing.
    bool acquire();
    bool active() const { return m_lock && m_lock->isLocked(); }

    void schedule(Game game);
    // Writes what is pending now and waits for it: for closing and for signals.
    void flush();
    // No game in progress any more: drops what is pending and removes the saved game.
    void discard();

    QString pzzPath() const { return m_folder + QStringLiteral("/current.pzz"); }
    QString sidePath() const { return m_folder + QStringLiteral("/current.json"); }

    // The saved game, checked like any puzzle file; a damaged one is set aside and
    // nothing is answered. Side data that is damaged or belongs to other bytes is set
    // aside or dropped, and the board alone comes back.
    struct Saved {
        PzzFile pzz;
        std::optional<SideData> side;
    };
    static std::optional<Saved> readSaved(const QString &folder);

    // Writes one game; answers the reason of a failure, or empty text.
    static QString write(const QString &folder, Game game);

signals:
    // The first failure after a success (or ever): the caller tells the player once.
    void failed(const QString &reason);

private:
    void kick();
    void start(Game game);
    void finished(const QString &error);

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QThreadPool m_pool;
    QTimer m_timer;
    QElapsedTimer m_sinceStart;
    std::optional<Game> m_pending;
    bool m_busy = false;
    bool m_failing = false;
};
