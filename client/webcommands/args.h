#pragma once
// Reading the arguments of a web command. The command text is tagged text from a web page:
// numbers that cannot be read take their default, and file names are cut to their last name.

#include <QString>
#include <cstdint>

namespace ov {

// The tag's value as a decimal number; 0 when it is not one.
std::int32_t tagInt(const QString& cmd, const QString& tag);
std::int64_t tagInt64(const QString& cmd, const QString& tag);
// The tag's value as a decimal number; `def` when it is not one.
std::int32_t tagIntDef(const QString& cmd, const QString& tag, std::int32_t def);

// A file name from a web page as a name for a local file: the part after the last "/" or "\",
// without control characters. "" for "." and "..", which name no file.
QString WebFileName(const QString& name);

}  // namespace ov
