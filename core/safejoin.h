#pragma once
// Joining names that come from the server (file names, relative paths, folder paths) below a
// local folder, so that nothing is ever written outside it. A server name may hold sub-folders
// ("a/b.doc" or "a\b.doc"); they are kept. Refused are: an empty name, a name that begins with
// a separator (absolute) or with a drive ("C:"), a "." or ".." part, and NUL.

#include <QString>
#include <optional>

namespace ov {

// The server name as a local relative path with "/" separators (empty parts dropped), or
// nullopt when it is refused.
std::optional<QString> SafeRelativePath(const QString& serverName);

// folder + the relative path of the server name (folder gets a "/" when it has none), or
// nullopt when the name is refused or the folder is empty.
std::optional<QString> JoinBelow(const QString& folder, const QString& serverName);

// Whether one name (no separators in it) may stand as a part of a local path.
bool IsSafeNamePart(const QString& part);

// The file name alone: the part after the last "/" or "\", without control characters; ""
// when nothing usable is left ("", "." or "..").
QString SafeBaseName(const QString& name);

}  // namespace ov
