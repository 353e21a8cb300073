#pragma once
// What the listening side and its connection threads share. Every member is read and written
// under the mutex; handlers are copied out before they run so that a handler may be replaced
// while connections are being served.

#include "testing/docserver/server.h"

#include <QByteArray>
#include <atomic>
#include <list>
#include <map>
#include <mutex>
#include <thread>

namespace ov::test {

// A connection thread and a duplicate of its socket, through which stop() wakes the thread
// (shutdown) without racing the thread's own close. The duplicate is closed after the join.
struct ConnectionSlot {
    std::thread thread;
    int wakeFd = -1;
    std::atomic<bool> done{false};
};

struct ServerState {
    mutable std::mutex mutex;
    bool tls = false;
    TestCertificate certificate;
    std::shared_ptr<const TlsIdentity> credentials;
    ControlHandler control;
    std::map<QByteArray, StreamHandler> streamHandlers;
    StreamHandler fallback;
    Fault fault = Fault::None;
    int faultBytes = 0;
    std::vector<ControlRequest> requests;
    int connections = 0;
    bool stopping = false;

    template <typename T>
    T get(T ServerState::*member) const {
        std::lock_guard lock(mutex);
        return this->*member;
    }
    StreamHandler streamHandler(const QByteArray& firstLine) const;
    void record(const ControlRequest& request);
};

}  // namespace ov::test
