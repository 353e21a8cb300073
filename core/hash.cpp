#include "core/hash.h"

#include <QByteArray>

#include "platform/codepage.h"

namespace ov {
namespace {

// Calls `step` for each byte of the text in the system code page up to the first zero byte,
// with A to Z folded to a to z.
template <typename Step>
void forEachFoldedByte(const QString& text, Step step) {
    const QByteArray bytes = platform::toSystemCodePage(text);
    for (const char ch : bytes) {
        auto c = static_cast<std::uint8_t>(ch);
        if (c == 0) break;
        if (c >= 0x41 && c <= 0x5A) c += 0x20;
        step(c);
    }
}

}  // namespace

std::int32_t HashText32(const QString& text) {
    std::uint32_t h = 0;
    std::uint32_t s = 0;
    forEachFoldedByte(text, [&](std::uint8_t c) {
        h = (h << 4) + c;
        const std::uint32_t g = h & 0xF0000000u;
        h = (h ^ (g >> 24)) & ~g;
        s += c;
    });
    return static_cast<std::int32_t>(h + s);
}

std::int64_t HashText64(const QString& text) {
    std::uint64_t h = 0;
    std::uint32_t s = 0;
    forEachFoldedByte(text, [&](std::uint8_t c) {
        h = (h << 4) + c;
        const std::uint64_t g = h & 0xFF00000000000000ull;
        h = (h ^ (g >> 56)) & ~g;
        s += c;
    });
    return static_cast<std::int64_t>(h + s);
}

}  // namespace ov
