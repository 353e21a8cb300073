#pragma once
// The test server's answers to the control-channel commands, over its model. Every command that
// must carry the user's token is refused without a valid one.

#include "testing/docserver/model/model.h"
#include "testing/docserver/server.h"

namespace ov::test {

class DocCommands {
public:
    explicit DocCommands(DocModel& model);
    // The reply to one request; runs on a connection thread.
    ControlReply handle(const ControlRequest& request);
    // Makes this object the server's control handler; it must outlive the server's use of it.
    void install(DocServer& server);
    DocModel& model() { return m_model; }

private:
    DocModel& m_model;
};

// The text with which a request without a valid token is refused (state RS_Refused).
QString InvalidTokenText();

}  // namespace ov::test
