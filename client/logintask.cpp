#include "client/logintask.h"

#include <QThread>

namespace ov {

LoginTask::LoginTask(const TLoginServer& server, const QString& name, const QString& password,
                     THS_Language language, Done done, QObject* parent)
    : QObject(parent), m_reply(std::make_shared<TLoginReply>()), m_done(std::move(done)) {
    const QString mac = LoginMacValue();
    // The thread gets its own copies; it touches nothing else of this object.
    m_thread.reset(QThread::create([server, name, password, mac, language, reply = m_reply] {
        *reply = DoLogin(server, name, password, mac, language);
    }));
    connect(m_thread.get(), &QThread::finished, this, [this] {
        deleteLater();
        if (m_done) m_done(*m_reply);
    });
    m_thread->start();
}

LoginTask::~LoginTask() {
    m_thread->wait();
}

bool LoginTask::isRunning() const {
    return m_thread->isRunning();
}

}  // namespace ov
