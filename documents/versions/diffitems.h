#pragma once
// The two sides of a folder comparison as item lists: the server's folder list (one item per
// line, fields separated by "*": id, modification time, name, check-out user, is-folder) and the
// entries of a local folder.

#include "documents/versions/diffmatch.h"

namespace ov {

// "" and "no power" give no items. Fields are trimmed; a missing field counts as empty. Items
// without a usable name ("", ".", "..", or one with a separator or NUL) are left out.
TFileItemArray ParseFolderList(const QString& text);

// Every entry of the folder except "." and "..", with its last-write time in local time. An
// empty or relative folder gives nothing.
TFileItemArray ListLocalFolder(const QString& folder);

// The navigation item that leads one level up (a folder named "..").
TFileItem UpItem(std::int64_t id);

}  // namespace ov
