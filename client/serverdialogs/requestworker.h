#pragma once
// A short server request off the window's thread, so that the window stays responsive while a
// slow server answers. `work` runs on the requests' worker pool and touches nothing of the
// window (it gets copies of what it needs); its result reaches `done` on the receiver's thread
// through the event loop, and is dropped when the receiver is gone by then. The requests bound
// their own connect and read times, so the pool drains quickly when the program ends.
//
// The request is started, and its result posted, through the hand-over lock (platform/handoff.h).

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/handoff.h"

namespace ov {

namespace requestdetail {

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
        Result result = work();
        std::lock_guard lock(state->mutex);
        if (!state->relay) return;
        std::lock_guard handoff(platform::HandoffLock());
        QObject* target = state->relay;
        QMetaObject::invokeMethod(
            target,
            [target, done = std::move(done), result = std::move(result)] {
                platform::HandoffPoint();
                target->deleteLater();
                if (done) done(result);
            },
            Qt::QueuedConnection);
    };
    requestdetail::Start(std::move(task));
}

}  // namespace ov
