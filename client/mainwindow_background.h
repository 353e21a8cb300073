#pragma once
// Blocking server work of the main window runs on a thread of its own so that the window stays
// responsive; what is to be done with its result runs back on the window's thread.

#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace ov {

// One piece of work at a time. The object belongs to the thread that creates it (the
// user-interface thread), which looks for the end of the work every few milliseconds; no Qt
// call crosses between the threads.
class TBackgroundTask {
public:
    // The work runs on the task's thread and returns what is to run afterwards on the owning
    // thread. It must not touch anything the owning thread changes: it works on copies. An
    // exception in the work ends it without a continuation.
    using Work = std::function<std::function<void()>()>;

    TBackgroundTask();
    // Waits for work under way; its continuation is dropped.
    ~TBackgroundTask();
    TBackgroundTask(const TBackgroundTask&) = delete;
    TBackgroundTask& operator=(const TBackgroundTask&) = delete;

    // Starts the work; false (nothing started) while earlier work has not been delivered.
    bool Start(Work work);
    bool IsBusy() const { return m_busy; }

private:
    void Deliver();

    static constexpr int kLookMs = 10;
    std::unique_ptr<QTimer> m_look;
    std::thread m_thread;
    std::function<void()> m_then;  // written by the work's thread before m_finished is set
    std::atomic<bool> m_finished{false};
    bool m_busy = false;  // owning thread only
};

}  // namespace ov
