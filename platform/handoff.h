#pragma once
// The one lock every hand-over between threads passes through. Qt's pool and event-queue locks
// wait on futexes that the thread checker cannot see, so work handed to a pool, or a result
// posted back, would look unordered with the thread that built it. The giving side takes this
// lock after it has built what it hands over; the taking side takes it before it reads that.

#include <functional>
#include <mutex>

class QThreadPool;

namespace ov::platform {

std::mutex& HandoffLock();

// Takes and releases the lock at once: the ordering point on either side of a hand-over.
inline void HandoffPoint() {
    std::lock_guard order(HandoffLock());
}

// Starts `task` on `pool` with an ordering point on both sides.
void StartPooled(QThreadPool& pool, std::function<void()> task);

}  // namespace ov::platform
