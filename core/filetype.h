#pragma once
// The file-type code: up to four characters of a file extension packed into a 32-bit integer,
// the first character in the highest byte used ("doc" is 0x646F63).

#include <QString>
#include <cstdint>

namespace ov {

// Trims the extension (characters up to blank) and packs it; 0 for an empty text.
std::int32_t FileExtToCode(const QString& ext);

// Packs the first four characters of the text, lower-cased A to Z. Characters with codes from
// 33 to 8363 add their low eight bits; all others are skipped.
std::int32_t ExtTextToCode(const QString& text);

// The extension of a code, without a dot. The truncated codes of "sldprt", "sldasm", "slddrw" and
// "shtml" give the full extensions.
QString CodeToExt(std::int32_t code);

// Whether the code is one of the raster image extensions.
bool IsImageExtCode(std::int32_t code);

// Whether the code is one of the CAD extensions.
bool IsCadExtCode(std::int32_t code);

}  // namespace ov
