#pragma once
// Runs server work of an editor on a worker thread and waits for it with the event loop
// running, so the user interface stays live while a transfer streams.

#include <QEventLoop>
#include <QThread>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/handoff.h"

namespace ov {

QThreadPool& EditThreadPool();

// Runs `work` on a worker and returns its result; the work must hold nothing of the caller's
// widgets (it may outlive a quitting loop only until it ends, which the caller waits for).
template <class Result>
Result RunEditWork(std::function<Result()> work) {
    struct Shared {
        std::mutex mutex;
        bool done = false;
        Result result{};
    };
    auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    platform::StartPooled(EditThreadPool(), [work = std::move(work), shared, &loop] {
        Result result = work();
        std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        shared->done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    for (;;) {
        loop.exec();
        {
            std::lock_guard lock(shared->mutex);
            if (shared->done) break;
        }
        QThread::msleep(10);  // a quitting application ends every new loop at once
    }
    return shared->result;
}

}  // namespace ov
