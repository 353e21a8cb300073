#include "client/serverdialogs/requestworker.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include "platform/handoff.h"

namespace ov::requestdetail {

namespace {

constexpr int kMaxRequestThreads = 4;

// The pool belongs to the application, which waits for its requests when it goes.
QThreadPool* requestPool() {
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(kMaxRequestThreads);
    }
    return pool;
}

}  // namespace

void Start(std::function<void()> task) {
    platform::StartPooled(*requestPool(), std::move(task));
}

TRelay::TRelay(QObject* receiver) : QObject(receiver), m_state(std::make_shared<State>()) {
    m_state->relay = this;
}

TRelay::~TRelay() {
    std::lock_guard lock(m_state->mutex);
    m_state->relay = nullptr;
}

}  // namespace ov::requestdetail
