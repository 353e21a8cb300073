#include "testing/docserver/codec/stream.h"

#include "testing/docserver/codec/bytes.h"

namespace ov::test::wire {

std::int32_t readInt32(NetStream& stream) {
    char bytes[4];
    stream.readExact(bytes, 4);
    return getBE32(bytes);
}

std::int64_t readInt64(NetStream& stream) {
    char bytes[8];
    stream.readExact(bytes, 8);
    return getBE64(bytes);
}

void writeInt32(NetStream& stream, std::int32_t value) {
    stream.write(be32(value));
}

void writeInt64(NetStream& stream, std::int64_t value) {
    stream.write(be64(value));
}

QByteArray readLine(NetStream& stream, int maxLength) {
    QByteArray line;
    for (char c = 0; stream.readExact(&c, 1), c != '\n';) {
        if (line.size() > maxLength)
            throw NetError(NetError::Kind::Protocol,
                           QStringLiteral("Line longer than %1 bytes.").arg(maxLength));
        line.append(c);
    }
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

void writeLine(NetStream& stream, const QByteArray& line) {
    stream.write(line + "\r\n");
}

}  // namespace ov::test::wire
