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

QThreadPool& VersionThreadPool() {
    // Owned by the application, which waits for the pool's work when it goes.
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(4);
    }
    return *pool;
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
                inFlight->store(false);
                if (shared->owner) report(all, done);
            },
            Qt::QueuedConnection);
    };
}

}  // namespace ov
