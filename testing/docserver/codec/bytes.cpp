#include "testing/docserver/codec/bytes.h"

namespace ov::test::wire {

namespace {

// `count` bytes of `value`, most significant first (big) or last (little).
void put(char* out, std::uint64_t value, int count, bool big) {
    for (int i = 0; i < count; ++i) {
        const int shift = 8 * (big ? count - 1 - i : i);
        out[i] = char((value >> shift) & 0xFFu);
    }
}

std::uint64_t get(const char* in, int count, bool big) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
        const int at = big ? i : count - 1 - i;
        value = (value << 8) | std::uint8_t(in[at]);
    }
    return value;
}

}  // namespace

void putBE32(char* out, std::int32_t value) {
    put(out, std::uint32_t(value), 4, true);
}
void putBE64(char* out, std::int64_t value) {
    put(out, std::uint64_t(value), 8, true);
}
std::int32_t getBE32(const char* in) {
    return std::int32_t(std::uint32_t(get(in, 4, true)));
}
std::int64_t getBE64(const char* in) {
    return std::int64_t(get(in, 8, true));
}
void putLE32(char* out, std::int32_t value) {
    put(out, std::uint32_t(value), 4, false);
}
std::int32_t getLE32(const char* in) {
    return std::int32_t(std::uint32_t(get(in, 4, false)));
}
std::int64_t getLE64(const char* in) {
    return std::int64_t(get(in, 8, false));
}

QByteArray be32(std::int32_t value) {
    QByteArray bytes(4, Qt::Uninitialized);
    putBE32(bytes.data(), value);
    return bytes;
}

QByteArray be64(std::int64_t value) {
    QByteArray bytes(8, Qt::Uninitialized);
    putBE64(bytes.data(), value);
    return bytes;
}

QByteArray utf16le(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

QString fromUtf16le(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] =
            QChar(char16_t(std::uint8_t(bytes[2 * i]) | (std::uint8_t(bytes[2 * i + 1]) << 8)));
    return text;
}

}  // namespace ov::test::wire
