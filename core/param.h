#pragma once
// The parameter form of texts on the file channel: "%_" + the UTF-8 bytes in upper-case
// hexadecimal + "_%".

#include <QString>

namespace ov {

// "abc" gives "%_616263_%"; "" gives "%__%".
QString EncodeParam(const QString& text);

// The inverse of EncodeParam. "%__%", the encoded empty text, gives "". Any other text of at
// most 4 characters, or one that does not begin with "%_" or end with "%", is returned unchanged.
// Throws ConvertError on a pair that is not hexadecimal, and on a text longer than
// kMaxParamTextLength.
QString DecodeParam(const QString& text);

// The longest parameter text DecodeParam accepts (16 MiB of encoded bytes).
inline constexpr qsizetype kMaxParamTextLength = qsizetype{32} * 1024 * 1024 + 4;

}  // namespace ov
