#include "client/mainwindow_background.h"

namespace ov {

TBackgroundTask::TBackgroundTask() : m_look(std::make_unique<QTimer>()) {
    m_look->setInterval(kLookMs);
    QObject::connect(m_look.get(), &QTimer::timeout, [this] { Deliver(); });
}

TBackgroundTask::~TBackgroundTask() {
    m_look->stop();
    if (m_thread.joinable()) m_thread.join();
}

bool TBackgroundTask::Start(Work work) {
    if (m_busy) return false;
    m_busy = true;
    m_finished.store(false);
    m_thread = std::thread([this, work = std::move(work)] {
        std::function<void()> then;
        try {
            then = work();
        } catch (...) {
            then = nullptr;
        }
        m_then = std::move(then);
        m_finished.store(true, std::memory_order_release);
    });
    m_look->start();
    return true;
}

void TBackgroundTask::Deliver() {
    if (!m_finished.load(std::memory_order_acquire)) return;
    m_look->stop();
    m_thread.join();
    m_busy = false;
    const std::function<void()> then = std::exchange(m_then, nullptr);
    try {
        if (then) then();  // may start the next work
    } catch (...) {
        // a continuation that fails stops alone, like every step of the work tick
    }
}

}  // namespace ov
