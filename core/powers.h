#pragma once
// Member permissions and the module's process-wide lists: the forbidden-permission list and
// the keyword-filter list, both read from the document server's installation at start-up and
// only read afterwards (so any thread may read them once start-up is over).

#include <QString>
#include <QStringList>

#include "core/types.h"

namespace ov {

// Whether the permission number is in the forbidden list (entries that are not numbers count
// as 0).
bool IsForbidPower(int power);

// The permission set of a member's permission text. A text containing "v3" carries permission
// i as "1" at 1-based position i for i from 21 to 108; any other text carries permission i
// (0 to 63) as "[i]Y[/i]". Forbidden permissions are never set.
THS_MemberPowers ParseMemberPowers(const QString& text);

// The forbidden list from the tag "ForbidPower" of "cof_custom.sys" in the server's
// installation folder. Empty when no installation folder is found or the file is missing or
// unreadable; never throws.
void LoadForbidPowers();
void LoadForbidPowers(const QString& installFolder);

// The keyword-filter list from "DB/FilterKeyword.Txt" below the server's data root, one entry
// per non-empty line "keyword[,replacement]". Empty when no installation folder is found or the
// file is missing or unreadable; never throws.
void LoadFilterKeywords();
void LoadFilterKeywords(const QString& dataRoot);

// The lists as loaded.
const QStringList& ForbidPowers();
const TFilterKeywordArray& FilterKeywords();

// The module's start-up, run once per process before anything else uses the module (before the
// settings and before any thread): empties the folder caches, then loads the keyword-filter
// list and the forbidden list. Never throws.
void InitHelperModule();

}  // namespace ov
