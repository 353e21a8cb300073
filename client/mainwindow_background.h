#pragma once
// Blocking server work of the main window runs on the process's thread pool so that the window
// stays responsive; its result comes back to the window's own thread.

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>
#include <functional>
#include <memory>

namespace ov {

// Runs `work` on a pool thread and then `done` with its result on the thread of `context`.
// The work must not touch `context` or anything else the user-interface thread changes: it
// takes copies of what it needs. An exception in the work gives no result, and `done` is not
// called. When `context` is gone before the work ends, `done` is not called either (the
// watcher that would call it goes with its parent).
template <typename T>
void RunInBackground(QObject* context, std::function<T()> work, std::function<void(T)> done) {
    auto promise = std::make_shared<QPromise<T>>();
    auto* watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, done = std::move(done)] {
                         const QFuture<T> future = watcher->future();
                         watcher->deleteLater();
                         if (future.resultCount() > 0) done(future.result());
                     });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)] {
        try {
            promise->addResult(work());
        } catch (...) {
            // no result: the caller's failure path (it stops quietly)
        }
        promise->finish();
    });
}

}  // namespace ov
