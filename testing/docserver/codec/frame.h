#pragma once
// The control channel's frames. A request is the greeting line, then: Int32 L (16 header bytes +
// 4 trailer bytes + the payload size), the 16 header bytes, only when there is a payload its
// Int32 size and its bytes, and the Int32 trailer 0xFFEE; every Int32 big-endian. A reply has
// the same form without the greeting line.

#include <QByteArray>
#include <cstdint>

namespace ov::test::wire {

// The header: four bytes, then three Int32 little-endian, in this order.
struct Head {
    std::uint8_t Version = 0;
    std::uint8_t AllEff = 0;
    std::uint8_t TranType = 0;  // request code, or reply state
    std::uint8_t FreeByte = 0;
    std::int32_t FreeInt = 0;
    std::int32_t FreeInt2 = 0;
    std::int32_t FreeInt3 = 0;
};

inline constexpr int HeadSize = 16;
// L of a frame without payload: header and trailer.
inline constexpr std::int32_t EmptyFrameLength = 20;

QByteArray encodeHead(const Head& head);
Head decodeHead(const char* bytes);  // HeadSize bytes

// A whole frame (without greeting) from its parts.
QByteArray encodeFrame(const Head& head, const QByteArray& payload, std::int32_t trailer);

}  // namespace ov::test::wire
