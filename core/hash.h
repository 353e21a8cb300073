#pragma once
// The two text hashes that give batch task ids, file-name hashes and file-index keys. Both run
// over the text's bytes in the system code page up to the first zero byte, with ASCII upper
// case folded to lower case, so they agree with the values the server's world stores.

#include <QString>
#include <cstdint>

namespace ov {

std::int32_t HashText32(const QString& text);
std::int64_t HashText64(const QString& text);

}  // namespace ov
