#pragma once
// A login request run on a thread of its own, so that the windows keep painting and answering
// while the server is slow. The result is handed to a callback on the creator's thread.

#include <QObject>
#include <functional>
#include <memory>
#include <thread>

#include "client/login/loginrequest.h"

namespace ov {

class LoginTask : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const TLoginReply&)>;

    // Starts the request at once; `done` runs on this object's thread when it has ended,
    // unless this object is destroyed first, and the task then deletes itself (later). The
    // adapter text is read here, on the caller's thread.
    LoginTask(const TLoginServer& server, const QString& name, const QString& password,
              THS_Language language, Done done, QObject* parent = nullptr);
    // Waits for a request still under way (at most its time-outs).
    ~LoginTask() override;

private:
    struct Result;

    void Deliver();

    std::unique_ptr<Result> m_result;
    Done m_done;
    std::thread m_thread;
};

}  // namespace ov
