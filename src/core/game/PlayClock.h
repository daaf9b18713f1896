#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// The play time of one game: it runs only while the player can see and use the board,
// and it can start from a time kept by an earlier run.
class PlayClock
{
public:
    using Clock = std::function<qint64()>; // milliseconds, monotonic

    explicit PlayClock(Clock clock = {});

    void reset(qint64 elapsedMs = 0);
    void start();
    void pause();
    bool running() const { return m_running; }
    qint64 elapsedMs() const;

    // "m:ss" below an hour, "h:mm:ss" from an hour on.
    static QString format(qint64 ms);

private:
    Clock m_clock;
    qint64 m_banked = 0;
    qint64 m_since = 0;
    bool m_running = false;
};
