#pragma once

// Whole-file work (a find's matches, an overview, a node's history, the
// statistics) done on a worker thread from the datasets shown as they stand
// when it starts: they are a value that no read changes, so the window goes
// on while the worker reads them. The result comes back on the window's
// thread. Work for other inputs started since replaces it: a result of
// superseded work is dropped, whoever asks last is answered.

#include "LatticeDocument.h"
#include "WorkerPool.h"

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>
#include <memory>
#include <new>

namespace quib {

template <class Result> class SnapshotWork {
  public:
    // The work itself; it may run on any thread.
    using Work = std::function<Result(const LatticeDocument& data)>;
    // The result, on the window's thread, with the datasets it is of; null
    // where memory ran out.
    using Done = std::function<void(std::shared_ptr<const Result> result,
                                    std::shared_ptr<const LatticeDocument> data)>;

    SnapshotWork(QObject* owner, Done done) : m_owner(owner), m_done(std::move(done)) {}
    SnapshotWork(const SnapshotWork&) = delete;
    SnapshotWork& operator=(const SnapshotWork&) = delete;
    // Work still running goes on to its end unseen: it holds the datasets it
    // reads and nothing of this object.
    ~SnapshotWork() = default;

    void Start(std::shared_ptr<const LatticeDocument> data, Work work) {
        const unsigned serial = ++m_serial;
        auto* watcher = new QFutureWatcher<std::shared_ptr<const Result>>(m_owner);
        QObject::connect(watcher, &QFutureWatcherBase::finished, m_owner,
                         [this, watcher, serial, data] {
                             watcher->deleteLater();
                             if (serial != m_serial)
                                 return;
                             m_running = false;
                             m_done(watcher->result(), data);
                         });
        m_running = true;
        watcher->setFuture(QtConcurrent::run(
            &WorkerPool(), [data, work = std::move(work)]() -> std::shared_ptr<const Result> {
                try {
                    return std::make_shared<const Result>(work(*data));
                } catch (const std::bad_alloc&) {
                    return nullptr;
                }
            }));
    }

    // Drops the result of the work running, if any.
    void Stop() {
        ++m_serial;
        m_running = false;
    }

    bool Running() const { return m_running; }

  private:
    QObject* m_owner;
    Done m_done;
    unsigned m_serial = 0;
    bool m_running = false;
};

} // namespace quib
