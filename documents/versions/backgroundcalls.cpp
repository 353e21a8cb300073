#include "documents/versions/backgroundcalls.h"

#include "core/globalconfig.h"
#include "core/robottcpclient.h"

#include <QCoreApplication>
#include <QPointer>

namespace ov {

TServerAccess TServerAccess::FromSettings() {
    const auto config = GlobalConfig();
    TServerAccess access;
    access.Host = config->ServerHost();
    access.Port = quint16(config->ServerPort());
    access.IsSsl = config->IsSSL();
    access.UserIdStr = config->EncryptUserID();
    access.Language = config->SysLanguage();
    return access;
}

std::unique_ptr<TRobotTcpClient> TServerAccess::NewClient() const {
    auto client = std::make_unique<TRobotTcpClient>(IsSsl);
    client->SetHost(Host);
    client->SetPort(Port);
    client->SetUseTls(IsSsl);
    client->SetMessageLanguage(Language);
    client->SetUserEncryptId(UserIdStr);
    client->SetLanguage(Language);
    client->SetReadTimeout(ReadTimeoutMs);
    client->IsPostMessage = false;
    return client;
}

TVersionWorkers::~TVersionWorkers() {
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_running == 0; });
        m_calls.clear();
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void TVersionWorkers::start(std::function<void()> call) {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(std::move(call));
    if (m_waiting == 0 && int(m_threads.size()) < MaxThreads)
        m_threads.emplace_back([this] { work(); });
    m_wake.notify_one();
}

void TVersionWorkers::waitForDone() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_calls.empty() && m_running == 0; });
}

void TVersionWorkers::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        ++m_waiting;
        m_wake.wait(lock, [this] { return m_stop || !m_calls.empty(); });
        --m_waiting;
        if (m_stop) return;
        std::function<void()> call = std::move(m_calls.front());
        m_calls.pop_front();
        ++m_running;
        lock.unlock();
        call();
        call = nullptr;  // what it holds goes on this thread, before the count drops
        lock.lock();
        --m_running;
        if (m_running == 0 && m_calls.empty()) m_idle.notify_all();
    }
}

namespace {

// Holds the workers for the application, which finishes them when it goes.
class TWorkersHolder : public QObject {
public:
    using QObject::QObject;
    TVersionWorkers workers;
};

}  // namespace

TVersionWorkers& VersionThreadPool() {
    static QPointer<TWorkersHolder> holder;
    if (!holder) holder = new TWorkersHolder(QCoreApplication::instance());
    return holder->workers;
}

TBackgroundCalls::TBackgroundCalls(QObject* owner) : m_shared(std::make_shared<Shared>()) {
    m_shared->owner = owner;
}

TBackgroundCalls::~TBackgroundCalls() {
    std::lock_guard lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->cancel = true;
}

std::function<void(std::function<void()>)> TBackgroundCalls::Poster() {
    const std::shared_ptr<Shared> shared = m_shared;
    return [shared](std::function<void()> call) {
        std::lock_guard lock(shared->mutex);
        if (!shared->owner) return;
        QMetaObject::invokeMethod(
            shared->owner,
            [shared, call = std::move(call)] {
                { std::lock_guard order(shared->mutex); }
                if (shared->owner) call();
            },
            Qt::QueuedConnection);
    };
}

std::function<void(qint64, qint64)> TBackgroundCalls::QueuedProgress(
    std::function<void(qint64, qint64)> report) {
    const std::shared_ptr<Shared> shared = m_shared;
    auto inFlight = std::make_shared<std::atomic<bool>>(false);
    return [shared, inFlight, report](qint64 all, qint64 done) {
        if (inFlight->exchange(true) && done < all) return;
        std::lock_guard lock(shared->mutex);
        if (!shared->owner) return;
        QMetaObject::invokeMethod(
            shared->owner,
            [shared, inFlight, report, all, done] {
                { std::lock_guard order(shared->mutex); }
                inFlight->store(false);
                if (shared->owner) report(all, done);
            },
            Qt::QueuedConnection);
    };
}

}  // namespace ov
