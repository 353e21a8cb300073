#include "testing/docserver/codec/stream.h"

#include "testing/docserver/codec/bytes.h"

namespace ov::test::wire {

std::int32_t readInt32(PeerStream& stream) {
    char bytes[4];
    stream.readExact(bytes, 4);
    return getBE32(bytes);
}

std::int64_t readInt64(PeerStream& stream) {
    char bytes[8];
    stream.readExact(bytes, 8);
    return getBE64(bytes);
}

void writeInt32(PeerStream& stream, std::int32_t value) {
    stream.write(be32(value));
}

void writeInt64(PeerStream& stream, std::int64_t value) {
    stream.write(be64(value));
}

QByteArray readLine(PeerStream& stream, int maxLength) {
    QByteArray line;
    for (char c = 0; stream.readExact(&c, 1), c != '\n';) {
        if (line.size() > maxLength)
            throw PeerError(PeerError::Kind::Protocol,
                           QStringLiteral("Line longer than %1 bytes.").arg(maxLength));
        line.append(c);
    }
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

void writeLine(PeerStream& stream, const QByteArray& line) {
    stream.write(line + "\r\n");
}

}  // namespace ov::test::wire
