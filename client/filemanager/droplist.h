#pragma once
// Local files and folders dropped on the file manager's list: the drop list (folders first,
// files after them) and its expansion into the files below the folders.

#include <QList>
#include <QStringList>
#include <QUrl>

namespace ov {

// At most this many files come out of one drop.
inline constexpr qsizetype kMaxDropFiles = 100000;

// Dropped local paths: folders inserted at the top (in the order met, the last met first), files
// appended; anything that is not a local file or folder is left out.
QStringList BuildDropList(const QList<QUrl>& urls);
// Every folder entry replaced in place by all files below it, at all levels, in name order;
// links to folders are not followed.
QStringList ExpandDropFolders(const QStringList& entries);
// The folder of the first entry (with its trailing "/"); "" when there is none.
QString DropBaseFolder(const QStringList& entries);

}  // namespace ov
