#pragma once
// Server work of a member that the page waits for: it runs on a thread of its own while the
// control's thread goes on handling events, and the member takes its result when it is done.

#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <functional>
#include <optional>
#include <thread>

namespace ov::control {

// Runs `work` on a worker and returns its result; an exception it raised is raised here.
template <typename R>
R WaitForWorker(std::function<R()> work) {
    QEventLoop loop;
    std::optional<R> result;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            result = work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure) std::rethrow_exception(failure);
    return std::move(*result);
}

}  // namespace ov::control
