#include "game/PlayClock.h"

#include <QElapsedTimer>

PlayClock::PlayClock(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock) {
        m_clock = [] {
            static QElapsedTimer timer;
            if (!timer.isValid())
                timer.start();
            return timer.elapsed();
        };
    }
}

void PlayClock::reset(qint64 elapsedMs)
{
    m_banked = qMax<qint64>(0, elapsedMs);
    m_running = false;
}

void PlayClock::start()
{
    if (m_running)
        return;
    m_since = m_clock();
    m_running = true;
}

void PlayClock::pause()
{
    if (!m_running)
        return;
    m_banked = elapsedMs();
    m_running = false;
}

qint64 PlayClock::elapsedMs() const
{
    return m_running ? m_banked + qMax<qint64>(0, m_clock() - m_since) : m_banked;
}

QString PlayClock::format(qint64 ms)
{
    const qint64 seconds = qMax<qint64>(0, ms) / 1000;
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    const QLatin1Char zero('0');
    if (h > 0)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, zero).arg(s, 2, 10, zero);
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, zero);
}
