#include "client/mainwindow/messagepoll.h"

#include "client/mainwindow/background.h"
#include "client/mainwindow/servertexts.h"
#include "core/datetime.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// A poll that cannot reach the server gives up after this long rather than the default half
// minute: the next tick tries again anyway.
constexpr int kPollTimeoutMs = 15000;

bool validPort(int port) {
    return port > 0 && port <= 65535;
}

std::unique_ptr<TRobotTcpClient> pollClient(const TMsgPollServer& server) {
    auto client = std::make_unique<TRobotTcpClient>(server.SSL);
    client->SetHost(server.Host);
    client->SetPort(quint16(server.Port));
    client->SetConnectTimeout(kPollTimeoutMs);
    client->SetReadTimeout(kPollTimeoutMs);
    return client;
}

}  // namespace

double FetchMsgSpace(const TMsgPollServer& server) {
    if (!validPort(server.Port)) return MsgSpaceFromSeconds(0);
    try {
        return MsgSpaceFromSeconds(pollClient(server)->GetMsgSpace());
    } catch (...) {
        return MsgSpaceFromSeconds(0);
    }
}

bool FetchUserMsgWaiting(const TMsgPollServer& server) {
    if (!validPort(server.Port)) return false;
    try {
        auto client = pollClient(server);
        client->SetUserEncryptId(server.UserToken);
        client->SetLanguage(server.Language);
        QString text;  // not shown: the notice links to the server's message page
        return client->GetUserMsg(server.Host, text) == RS_Ok;
    } catch (...) {
        return false;
    }
}

TMessagePoll::TMessagePoll(QObject* parent) : QObject(parent), FLastDt(Now() - 1) {}

void TMessagePoll::Tick(const TMsgPollServer& server, TDateTime now, TDateTime snoozeUntil) {
    if (m_task.IsBusy()) return;
    if (FMsgHintSpace > 0) {
        CheckDue(server, now, snoozeUntil);
        return;
    }
    m_task.Start([this, server, snoozeUntil]() -> std::function<void()> {
        const double space = FetchMsgSpace(server);
        return [this, server, snoozeUntil, space] {
            FMsgHintSpace = space;
            emit requestDone();
            CheckDue(server, Now(), snoozeUntil);
        };
    });
}

void TMessagePoll::CheckDue(const TMsgPollServer& server, TDateTime now, TDateTime snoozeUntil) {
    if (!UserMsgDue(now, FLastDt, FMsgHintSpace, snoozeUntil)) return;
    FLastDt = now;
    m_task.Start([this, server]() -> std::function<void()> {
        const bool waiting = FetchUserMsgWaiting(server);
        return [this, waiting] {
            emit requestDone();
            if (waiting) emit messagesWaiting();
        };
    });
}

}  // namespace ov
