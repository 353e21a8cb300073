#pragma once
// The pictures of the file lists and folder trees, drawn here: file icons by extension, the
// picker list's icons by file-type code, the tree images and the sort arrows.

#include <QIcon>
#include <QString>
#include <cstdint>

namespace ov {

// Image of a file name in the file manager's list: by the extension's file-type code (so only
// its first four characters count); 0 for any other extension.
int GetFileIconIndex(const QString& fileName);
// Image of a file-type code in the pickers' list; 26 for any code not listed.
int KindIconIndex(std::int32_t kind);

// The file manager's list images 0..63: 63 a folder, 61 and 62 sort arrows (down, up).
inline constexpr int kFolderImage = 63;
inline constexpr int kSortDownImage = 61;
inline constexpr int kSortUpImage = 62;
QIcon FileListIcon(int index);
// The pickers' list images 0..26 (0 descending and 1 ascending sort arrows).
QIcon KindListIcon(int index);
// Tree images: 0 open folder, 1 folder, 2 member, 3 user, 4 group, 5 back to the
// organisation, 6 folder whose sub-folders are not loaded yet.
QIcon TreeIcon(int index);

}  // namespace ov
