#pragma once
// Integers as the protocol orders their bytes, and text as UTF-16LE code units.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace ov::test::wire {

void putBE32(char* out, std::int32_t value);
void putBE64(char* out, std::int64_t value);
std::int32_t getBE32(const char* in);
std::int64_t getBE64(const char* in);
void putLE32(char* out, std::int32_t value);
std::int32_t getLE32(const char* in);
std::int64_t getLE64(const char* in);

// Four or eight big-endian bytes as a byte array.
QByteArray be32(std::int32_t value);
QByteArray be64(std::int64_t value);

// The text's UTF-16LE code units, no byte-order mark, no terminating zero.
QByteArray utf16le(const QString& text);
// The inverse; an odd last byte is not part of the text.
QString fromUtf16le(const QByteArray& bytes);

}  // namespace ov::test::wire
