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
    // Drops the continuation of work under way and waits for the work a short while; work
    // that takes longer (a server that does not answer) is left to end on its own, so that
    // closing the program does not hang on it.
    ~TBackgroundTask();
    TBackgroundTask(const TBackgroundTask&) = delete;
    TBackgroundTask& operator=(const TBackgroundTask&) = delete;

    // Starts the work; false (nothing started) while earlier work has not been delivered.
    bool Start(Work work);
    bool IsBusy() const { return m_busy; }
    // Work of any task of the process that has not ended yet, left-behind work included.
    static int Unfinished() { return s_unfinished.load(std::memory_order_acquire); }

    static constexpr int kEndWaitMs = 1000;

private:
    // What the work's thread hands back; shared, so that work left to end on its own writes
    // into memory that is still there.
    struct Outcome {
        std::function<void()> then;  // written before `finished` is set
        std::atomic<bool> finished{false};
    };
    void Deliver();

    static constexpr int kLookMs = 10;
    static inline std::atomic<int> s_unfinished{0};
    std::unique_ptr<QTimer> m_look;
    std::thread m_thread;
    std::shared_ptr<Outcome> m_outcome;
    bool m_busy = false;  // owning thread only
};

}  // namespace ov
