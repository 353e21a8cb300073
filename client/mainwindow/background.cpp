#include "client/mainwindow/background.h"

#include <QDeadlineTimer>

namespace ov {

TBackgroundTask::TBackgroundTask() : m_look(std::make_unique<QTimer>()) {
    m_look->setInterval(kLookMs);
    QObject::connect(m_look.get(), &QTimer::timeout, [this] { Deliver(); });
}

TBackgroundTask::~TBackgroundTask() {
    m_look->stop();
    if (!m_thread.joinable()) return;
    const QDeadlineTimer deadline(kEndWaitMs);
    while (!m_outcome->finished.load(std::memory_order_acquire) && !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(kLookMs));
    if (m_outcome->finished.load(std::memory_order_acquire))
        m_thread.join();
    else
        m_thread.detach();  // it owns a share of the outcome and nothing of ours besides
}

bool TBackgroundTask::Start(Work work) {
    if (m_busy) return false;
    m_busy = true;
    m_outcome = std::make_shared<Outcome>();
    s_unfinished.fetch_add(1, std::memory_order_acq_rel);
    m_thread = std::thread([outcome = m_outcome, work = std::move(work)] {
        try {
            outcome->then = work();
        } catch (...) {
            outcome->then = nullptr;
        }
        outcome->finished.store(true, std::memory_order_release);
        s_unfinished.fetch_sub(1, std::memory_order_acq_rel);
    });
    m_look->start();
    return true;
}

void TBackgroundTask::Deliver() {
    if (!m_outcome->finished.load(std::memory_order_acquire)) return;
    m_look->stop();
    m_thread.join();
    m_busy = false;
    const std::function<void()> then = std::exchange(m_outcome->then, nullptr);
    try {
        if (then) then();  // may start the next work
    } catch (...) {
        // a continuation that fails stops alone, like every step of the work tick
    }
}

}  // namespace ov
