#include "dialog/LatestWork.h"

#include <QEventLoop>
#include <QScopedValueRollback>

void LatestWork::drop()
{
    ++m_generation;
    if (!m_running)
        return;
    m_running = false;
    emit settled();
}

bool LatestWork::wait()
{
    if (!m_running)
        return true;
    if (m_waiting)
        return false;
    const QScopedValueRollback<bool> waiting(m_waiting, true);
    // Work started meanwhile, by a click while waiting, is waited for in turn.
    while (m_running) {
        QEventLoop loop;
        connect(this, &LatestWork::settled, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
