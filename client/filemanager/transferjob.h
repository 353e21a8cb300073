#pragma once
// One file transfer (or a few server requests) at a time on a thread of its own, so that the
// dialog that runs it stays responsive. The work gets a fresh client whose progress reaches the
// dialog's thread as queued signals; the dialog's cancel flag stops a transfer after the chunk
// in hand. The result is delivered on the dialog's thread.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

#include "client/filemanager/serverlink.h"

namespace ov {

class TRobotTcpClient;

class TTransferJob : public QObject {
    Q_OBJECT
public:
    // The work returns a result code; the client's last error goes with it.
    using Work = std::function<int(TRobotTcpClient& client)>;
    using Done = std::function<void(int result, const QString& lastError)>;

    explicit TTransferJob(QObject* parent = nullptr);
    // Sets the cancel flag and waits for the work to end (the client's read time-out bounds it).
    ~TTransferJob() override;

    // False (nothing started) while earlier work runs.
    bool Run(const TServerLink& link, int readTimeoutMs, Work work, Done done);
    bool IsBusy() const { return m_busy; }
    void Cancel() { m_cancel.store(true); }
    void ResetCancel() { m_cancel.store(false); }
    bool IsCancelled() const { return m_cancel.load(); }

signals:
    // Bytes of the whole transfer and done so far (client's progress events).
    void progress(qint64 allSize, qint64 doneSize);

private:
    template <typename Call>
    void Post(Call call);

    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
    bool m_busy = false;  // owning thread only
};

}  // namespace ov
