#include "testing/docserver/codec/frame.h"

#include "testing/docserver/codec/bytes.h"

namespace ov::test::wire {

QByteArray encodeHead(const Head& head) {
    QByteArray bytes(HeadSize, Qt::Uninitialized);
    bytes[0] = char(head.Version);
    bytes[1] = char(head.AllEff);
    bytes[2] = char(head.TranType);
    bytes[3] = char(head.FreeByte);
    putLE32(bytes.data() + 4, head.FreeInt);
    putLE32(bytes.data() + 8, head.FreeInt2);
    putLE32(bytes.data() + 12, head.FreeInt3);
    return bytes;
}

Head decodeHead(const char* bytes) {
    Head head;
    head.Version = std::uint8_t(bytes[0]);
    head.AllEff = std::uint8_t(bytes[1]);
    head.TranType = std::uint8_t(bytes[2]);
    head.FreeByte = std::uint8_t(bytes[3]);
    head.FreeInt = getLE32(bytes + 4);
    head.FreeInt2 = getLE32(bytes + 8);
    head.FreeInt3 = getLE32(bytes + 12);
    return head;
}

QByteArray encodeFrame(const Head& head, const QByteArray& payload, std::int32_t trailer) {
    QByteArray bytes = be32(std::int32_t(payload.size()) + EmptyFrameLength) + encodeHead(head);
    if (!payload.isEmpty()) bytes += be32(std::int32_t(payload.size())) + payload;
    return bytes + be32(trailer);
}

}  // namespace ov::test::wire
