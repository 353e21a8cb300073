#include "client/filemanager/transferjob.h"

#include "core/robottcpclient.h"

namespace ov {

TTransferJob::TTransferJob(QObject* parent) : QObject(parent) {}

TTransferJob::~TTransferJob() {
    m_cancel.store(true);
    if (m_thread.joinable()) m_thread.join();
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
                emit progress(all, doneSize);  // queued: the job lives on the dialog's thread
            };
            result = work(*client);
            error = client->GetLastError();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, result, error, done = std::move(done)] {
                m_busy = false;
                if (done) done(result, error);
            },
            Qt::QueuedConnection);
    });
    return true;
}

}  // namespace ov
