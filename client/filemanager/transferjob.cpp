#include "client/filemanager/transferjob.h"

#include <mutex>

#include "core/robottcpclient.h"

namespace ov {

namespace {

// One lock for the hand-overs of every job: the receiving side must take it before it reads the
// posted call, so it cannot be reached through the call's captures.
std::mutex& handoffLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

TTransferJob::TTransferJob(QObject* parent) : QObject(parent) {}

TTransferJob::~TTransferJob() {
    m_cancel.store(true);
    if (m_thread.joinable()) m_thread.join();
}

// Posts `call` to the job's thread. The call is made under the hand-over lock and the receiver
// takes the same lock before it reads anything the call carries, so the hand-over is ordered
// through a lock the thread checker sees (Qt's own event queue lock is invisible to it).
template <typename Call>
void TTransferJob::Post(Call call) {
    std::lock_guard lock(handoffLock());
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call)]() mutable {
            { std::lock_guard order(handoffLock()); }
            call();
        },
        Qt::QueuedConnection);
}

bool TTransferJob::Run(const TServerLink& link, int readTimeoutMs, Work work, Done done) {
    if (m_busy) return false;
    if (m_thread.joinable()) m_thread.join();
    m_busy = true;
    m_thread = std::thread([this, link, readTimeoutMs, work = std::move(work),
                            done = std::move(done)]() mutable {
        int result = 0;
        QString error;
        try {
            auto client = link.Client(readTimeoutMs);
            client->PIsBreak = &m_cancel;
            client->OnTransmitState = [this](void*, qint64 all, qint64 doneSize) {
                Post([this, all, doneSize] { emit progress(all, doneSize); });
            };
            result = work(*client);
            error = client->GetLastError();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        Post([this, result, error, done = std::move(done)] {
            m_busy = false;
            if (done) done(result, error);
        });
    });
    return true;
}

}  // namespace ov
