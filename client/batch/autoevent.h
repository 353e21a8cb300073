#pragma once
// An auto-reset event: Set wakes one waiter (or the next one to wait); a wait also ends when
// the given stop flag is set (the setter calls Set after setting it).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ov {

class TAutoEvent {
public:
    void Set() {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_cond.notify_all();
    }
    // Forgets an earlier Set, so that the next wait waits for a Set made after this call.
    void Reset() {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
    }
    // Waits until set (and resets it) or until `stop` is set.
    void Wait(const std::atomic<bool>& stop) {
        std::unique_lock lock(m_mutex);
        m_cond.wait(lock, [&] { return m_signalled || stop.load(); });
        m_signalled = false;
    }
    // The same with a time limit; true when it was set.
    bool WaitFor(const std::atomic<bool>& stop, std::chrono::milliseconds limit) {
        std::unique_lock lock(m_mutex);
        const bool set = m_cond.wait_for(lock, limit, [&] { return m_signalled || stop.load(); });
        m_signalled = false;
        return set;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_signalled = false;
};

}  // namespace ov
