#pragma once
// The server work of a version-control window runs on a worker thread, one call after the
// other, so the window never waits for the network. Each call's result comes back to the
// window's thread; a window that has gone (or let go) gets nothing, and its cancel flag stops a
// transfer after the chunk in hand. Progress of transfers comes back queued as well.

#include "platform/handoff.h"
#include "core/types.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace ov {

class TRobotTcpClient;

// What a server client of version control is made from: the settings at the time the window
// was made.
struct TServerAccess {
    QString Host;
    quint16 Port = 0;
    bool IsSsl = false;
    QString UserIdStr;
    THS_Language Language = HSL_NONE;
    int ReadTimeoutMs = 120000;

    static TServerAccess FromSettings();
    // A client as version control makes one: TLS as the settings say, host, port, token,
    // language and read time-out.
    std::unique_ptr<TRobotTcpClient> NewClient() const;
};

// The threads of version control: a few workers that take calls in order. Calls and results
// change hands under standard locks only, so that every hand-over is visible to the thread
// checker.
class TVersionWorkers {
public:
    static constexpr int MaxThreads = 4;
    ~TVersionWorkers();  // waits for the calls in hand, drops the others, joins the threads

    void start(std::function<void()> call);
    // Waits until no call is queued or running.
    void waitForDone();

private:
    void work();

    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::deque<std::function<void()>> m_calls;
    std::vector<std::thread> m_threads;
    int m_waiting = 0;  // threads waiting for a call
    int m_running = 0;
    bool m_stop = false;
};

// The workers of the process; made on first use and finished with the application.
TVersionWorkers& VersionThreadPool();

class TBackgroundCalls {
public:
    // Results are delivered to `owner`'s thread while it lives.
    explicit TBackgroundCalls(QObject* owner);
    // Lets go: results still on their way are dropped and transfers are cancelled.
    ~TBackgroundCalls();
    TBackgroundCalls(const TBackgroundCalls&) = delete;
    TBackgroundCalls& operator=(const TBackgroundCalls&) = delete;

    // Runs `work` on a worker; `done` gets its result, or a default one and the exception's
    // message when it raised.
    template <typename R>
    void Run(std::function<R()> work, std::function<void(R, const QString&)> done);

    // The flag that stops transfers; set by Cancel and by the destructor.
    std::atomic<bool>* CancelFlag() { return &m_shared->cancel; }
    void Cancel() { m_shared->cancel = true; }
    bool Cancelled() const { return m_shared->cancel; }
    // Calls started and not yet delivered.
    int Pending() const { return m_pending; }

    // Runs `call` on the owner's thread (when it still lives); for use on a worker.
    std::function<void(std::function<void()>)> Poster();

    // Posts a progress report (whole size, size done) to `report` on the owner's thread; at
    // most one report is on its way at a time.
    std::function<void(qint64, qint64)> QueuedProgress(std::function<void(qint64, qint64)> report);

private:
    struct Shared {
        std::mutex mutex;
        QObject* owner = nullptr;  // null once let go
        std::atomic<bool> cancel{false};
    };
    std::shared_ptr<Shared> m_shared;
    int m_pending = 0;
};

template <typename R>
void TBackgroundCalls::Run(std::function<R()> work, std::function<void(R, const QString&)> done) {
    ++m_pending;
    const std::shared_ptr<Shared> shared = m_shared;
    int* pending = &m_pending;
    VersionThreadPool().start([shared, pending, work = std::move(work), done = std::move(done)] {
        R result{};
        QString error;
        try {
            result = work();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        } catch (...) {
            error = QStringLiteral("Unknown exception");
        }
        std::lock_guard lock(shared->mutex);
        if (!shared->owner) return;
        std::lock_guard handoff(platform::HandoffLock());
        // Posted while the owner cannot go away (letting go takes the lock); an owner freed
        // before the call runs takes the call with it. The delivery takes the lock once, so the
        // hand-over is ordered for the thread checker too.
        QMetaObject::invokeMethod(
            shared->owner,
            [shared, pending, done, result = std::move(result), error] {
                platform::HandoffPoint();
                if (!shared->owner) return;
                --*pending;
                done(result, error);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace ov
