#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <functional>
#include <memory>

// Work the dialog does on a worker thread so that its window goes on meanwhile: decoding
// a large photo, reading a puzzle file. Only the work started last counts: work started
// or dropped after it makes its result be thrown away when it ends.
class LatestWork : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Runs work on the thread pool and then done with its result on this object's thread,
    // unless other work has been started or drop() called in between.
    template <class Result> void start(std::function<Result()> work, std::function<void(Result &)> done);
    // Whatever runs no longer counts.
    void drop();
    bool running() const { return m_running; }
    // Waits, the window going on, until the latest work has ended and been taken, or been
    // dropped with none after it. False when a wait is already going on, as for a second
    // press of the same button.
    bool wait();

signals:
    // The latest work has ended and been taken, or was dropped.
    void settled();

private:
    quint64 m_generation = 0;
    bool m_running = false;
    bool m_waiting = false;
};

template <class Result>
void LatestWork::start(std::function<Result()> work, std::function<void(Result &)> done)
{
    drop();
    const quint64 generation = m_generation;
    m_running = true;
    auto promise = std::make_shared<QPromise<Result>>();
    promise->start();
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
            [this, watcher, generation, done = std::move(done)] {
                watcher->deleteLater();
                if (generation != m_generation)
                    return;
                Result result = watcher->result();
                m_running = false;
                done(result);
                // The result may have started further work, which the waiting goes on for.
                if (!m_running)
                    emit settled();
            });
    watcher->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, work = std::move(work)] {
        promise->addResult(work());
        promise->finish();
    });
}
