#pragma once
// The user-message poll of the main window. On the work tick it asks the server for the poll
// interval until it has one, and when the interval has passed since the last poll and the
// user's snooze time is over, it asks whether messages are waiting. Both requests run off the
// user-interface thread; while one is under way further ticks do nothing.

#include <QObject>
#include <QString>

#include "client/mainwindow/background.h"
#include "core/types.h"

namespace ov {

// The server and identity a poll talks to, copied from the settings on the user-interface
// thread.
struct TMsgPollServer {
    QString Host;
    int Port = 0;
    bool SSL = false;
    QString UserToken;
    THS_Language Language = HSL_NONE;
};

// The poll interval in days as the server gives it; 60 seconds when the request fails or the
// server's value is not above 0. Blocking.
double FetchMsgSpace(const TMsgPollServer& server);
// Whether the server says messages are waiting for the user (the url tag carries the host).
// Blocking; false on any failure.
bool FetchUserMsgWaiting(const TMsgPollServer& server);

class TMessagePoll : public QObject {
    Q_OBJECT
public:
    explicit TMessagePoll(QObject* parent = nullptr);

    // One tick: starts what is due. `snoozeUntil` is the settings' LastTimeOfViewMsg.
    void Tick(const TMsgPollServer& server, TDateTime now, TDateTime snoozeUntil);

    // The interval in days; 0 until fetched, and kept for the run once above 0.
    double MsgHintSpace() const { return FMsgHintSpace; }
    TDateTime LastDt() const { return FLastDt; }
    bool IsBusy() const { return m_task.IsBusy(); }

signals:
    // The server has messages for the user.
    void messagesWaiting();
    // A request of the poll has ended (tests wait for it).
    void requestDone();

private:
    void CheckDue(const TMsgPollServer& server, TDateTime now, TDateTime snoozeUntil);

    double FMsgHintSpace = 0;
    TDateTime FLastDt;
    TBackgroundTask m_task;
};

}  // namespace ov
