#pragma once
// The file channel's parameter lines and its resume rule. A parameter line is "%_", the text's
// UTF-8 bytes as upper-case hexadecimal, "_%". A receiver offers the size it holds cut to a
// multiple of 16, with the 8 bytes before that offset read as a little-endian Int64 (0 for an
// offer of 0); the sender resumes there when its own 8 bytes agree, else from 0.

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

namespace ov::test::wire {

// The longest parameter or error line the server reads.
inline constexpr int ParamLineLimit = 1024 * 1024;

QByteArray encodeParam(const QString& text);
// Raises std::runtime_error on a line that is not of the form above.
QString decodeParam(const QByteArray& line);

std::int64_t resumeOffer(std::int64_t size);
// The check value at `offset` of a device (0 when offset < 8); raises std::runtime_error when
// the bytes cannot be read.
std::int64_t tailCheck(QIODevice& device, std::int64_t offset);
// Where a sender holding `device` starts for an offer.
std::int64_t resumeStart(QIODevice& device, std::int64_t offset, std::int64_t check);

}  // namespace ov::test::wire
