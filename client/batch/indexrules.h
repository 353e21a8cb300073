#pragma once
// The pure rules of a batch task's file index: which local files are left out, the key of a
// local file, and the line formats of the file list (".fln") and the state journal (".std").

#include <QString>
#include <cstdint>
#include <optional>

#include "core/types.h"

namespace ov {

// The longest path a file-list line carries.
inline constexpr qsizetype kIndexPathMax = 1024;
// Width of each numeric field of the index lines.
inline constexpr qsizetype kIndexFieldWidth = 22;

// A file that the batch download renamed because the server deleted it ("name_kx0.ext"): "_kx"
// at position 2 or later, then one character, then digits and a ".".
bool IsRenamedDeletedFile(const QString& path);
// "thumbs.db" in any letter case, as the last name of the path.
bool IsThumbsFile(const QString& path);
// Why a path cannot be kept in a file list ("" when it can): a line break would split its line
// and a path over kIndexPathMax characters would be cut.
QString UnindexablePathReason(const QString& path);

// The key of a local file: the sum of the path's hash, the size and the server time / 10.
std::int64_t UploadFileKey(const QString& path, std::int64_t size, TDateTime time);

// A number left-aligned in a field of `width` characters (cut when longer).
QString IndexField(std::int64_t value, qsizetype width = kIndexFieldWidth);
// One file-list line with CR LF.
QString FileListLine(const TTidyFile& file);
// One journal line with CR LF (48 characters before it).
QString StateLine(std::int64_t key, int state);

// A file-list line (without CR LF) read back; nothing when a field is not a number.
std::optional<TTidyFile> ParseFileListLine(const QString& line);
struct TStateEntry {
    std::int64_t Key = 0;
    int State = 0;
};
std::optional<TStateEntry> ParseStateLine(const QString& line);

}  // namespace ov
