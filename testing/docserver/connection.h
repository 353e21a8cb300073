#pragma once
// One accepted connection of the test server: the TLS handshake when the server runs TLS, the
// first line, then either control-channel frames (one reply per request, until the client
// closes) or a stream handler that takes the connection over.

#include "testing/docserver/serverstate.h"

namespace ov::test {

// Runs on the connection's own thread; returns when the connection is closed. Never raises.
void serveConnection(ServerState& state, int socketFd, ConnectionSlot& slot);

// Holds the connection open without answering until the client gives up or the server stops
// (the "stall" fault of the control and file channels).
void stallConnection(PeerStream& stream);

}  // namespace ov::test
