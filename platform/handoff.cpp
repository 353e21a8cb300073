#include "platform/handoff.h"

#include <QThreadPool>

namespace ov::platform {

std::mutex& HandoffLock() {
    static std::mutex lock;
    return lock;
}

void StartPooled(QThreadPool& pool, std::function<void()> task) {
    std::function<void()> run = [task = std::move(task)] {
        HandoffPoint();
        task();
    };
    HandoffPoint();
    pool.start(std::move(run));
}

}  // namespace ov::platform
