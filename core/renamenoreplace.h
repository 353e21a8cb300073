#pragma once
// Renaming a file without ever replacing one that is already there.

#include <QString>

namespace ov {

// Renames `from` to `to` unless `to` exists; false (errno set) when that fails. On a file system
// without an atomic no-replace rename it checks first, then renames.
bool RenameNoReplace(const QString& from, const QString& to);

}  // namespace ov
