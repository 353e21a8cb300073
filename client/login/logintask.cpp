#include "client/login/logintask.h"

#include <mutex>

namespace ov {

// What the thread hands back; the lock orders its write before the creator's read.
struct LoginTask::Result {
    std::mutex lock;
    TLoginReply reply;
};

namespace {

// A copy with a buffer of its own: no text buffer is shared between the two threads.
QString detached(const QString& text) {
    return QString(text.constData(), text.size());
}

}  // namespace

LoginTask::LoginTask(const TLoginServer& server, const QString& name, const QString& password,
                     THS_Language language, Done done, QObject* parent)
    : QObject(parent), m_result(std::make_unique<Result>()), m_done(std::move(done)) {
    // The thread works on copies of its own. This object outlives it (the destructor joins),
    // so the queued call it posts at the end finds the object or is dropped with it.
    m_thread = std::thread(
        [this, server = TLoginServer{detached(server.host), server.port, server.ssl},
         name = detached(name), password = detached(password), mac = LoginMacValue(), language] {
            TLoginReply reply = DoLogin(server, name, password, mac, language);
            {
                const std::lock_guard guard(m_result->lock);
                m_result->reply = std::move(reply);
            }
            QMetaObject::invokeMethod(this, &LoginTask::Deliver, Qt::QueuedConnection);
        });
}

LoginTask::~LoginTask() {
    if (m_thread.joinable()) m_thread.join();
}

void LoginTask::Deliver() {
    m_thread.join();
    TLoginReply reply;
    {
        const std::lock_guard guard(m_result->lock);
        reply = std::move(m_result->reply);
    }
    deleteLater();
    if (m_done) m_done(reply);
}

}  // namespace ov
