#pragma once
// Integers and lines over a connection. The connection (core's NetStream, plain or TLS) only
// moves bytes here; how they are ordered and cut into lines is decided in this file.

#include "core/netstream.h"

#include <QByteArray>
#include <cstdint>

namespace ov::test::wire {

std::int32_t readInt32(NetStream& stream);  // big-endian
std::int64_t readInt64(NetStream& stream);  // big-endian
void writeInt32(NetStream& stream, std::int32_t value);
void writeInt64(NetStream& stream, std::int64_t value);

// One line ended by LF, without it and without a CR before it. A line longer than `maxLength`
// bytes raises NetError (Protocol).
QByteArray readLine(NetStream& stream, int maxLength);
// The bytes and CR LF, in one write.
void writeLine(NetStream& stream, const QByteArray& line);

}  // namespace ov::test::wire
