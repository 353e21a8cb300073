#pragma once
// A short server request off the window's thread, so that the window stays responsive while a
// slow server answers. `work` runs on the requests' worker pool and touches nothing of the
// window (it gets copies of what it needs); its result reaches `done` on the receiver's thread
// through the event loop, and is dropped when the receiver is gone by then. The requests bound
// their own connect and read times, so the pool drains quickly when the program ends.
//
// Every hand-over between threads goes through one lock that the thread checker sees (Qt's own
// queue and pool locks are invisible to it): the request is started, and its result posted,
// under that lock, and the other side takes it before it reads what was handed over.

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace ov {

namespace requestdetail {

std::mutex& HandoffLock();
// Runs the task on the requests' pool (made with the application, finished with it).
void Start(std::function<void()> task);

// A child of the receiver that the result is posted to; a worker posts only while it lives.
class TRelay : public QObject {
public:
    struct State {
        std::mutex mutex;
        TRelay* relay = nullptr;
    };
    explicit TRelay(QObject* receiver);
    ~TRelay() override;
    std::shared_ptr<State> SharedState() const { return m_state; }

private:
    std::shared_ptr<State> m_state;
};

}  // namespace requestdetail

template <typename Result>
void RunRequest(QObject* receiver, std::function<Result()> work,
                std::function<void(const Result&)> done) {
    auto* relay = new requestdetail::TRelay(receiver);
    std::function<void()> task = [state = relay->SharedState(), work = std::move(work),
                                  done = std::move(done)]() mutable {
        { std::lock_guard order(requestdetail::HandoffLock()); }
        Result result = work();
        std::lock_guard lock(state->mutex);
        if (!state->relay) return;
        std::lock_guard handoff(requestdetail::HandoffLock());
        QObject* target = state->relay;
        QMetaObject::invokeMethod(
            target,
            [target, done = std::move(done), result = std::move(result)] {
                { std::lock_guard order(requestdetail::HandoffLock()); }
                target->deleteLater();
                if (done) done(result);
            },
            Qt::QueuedConnection);
    };
    {
        std::lock_guard handoff(requestdetail::HandoffLock());
    }
    requestdetail::Start(std::move(task));
}

}  // namespace ov
