#pragma once
// Integers and lines over a connection. The connection (the server's PeerStream, plain or TLS) only
// moves bytes here; how they are ordered and cut into lines is decided in this file.

#include "testing/docserver/transport/peerstream.h"

#include <QByteArray>
#include <cstdint>

namespace ov::test::wire {

std::int32_t readInt32(PeerStream& stream);  // big-endian
std::int64_t readInt64(PeerStream& stream);  // big-endian
void writeInt32(PeerStream& stream, std::int32_t value);
void writeInt64(PeerStream& stream, std::int64_t value);

// One line ended by LF, without it and without a CR before it. A line longer than `maxLength`
// bytes raises PeerError (Protocol).
QByteArray readLine(PeerStream& stream, int maxLength);
// The bytes and CR LF, in one write.
void writeLine(PeerStream& stream, const QByteArray& line);

}  // namespace ov::test::wire
