#pragma once
// Copies of server files that a web page asks to open with the desktop's viewer. The name and
// extension come from the page, so they must never lead to starting a program: only document,
// picture and archive types are opened, a copy whose contents are a program is not, and copies
// are readable and writable by their owner only. The rules are the platform's
// (platform/widgets/desktopopen.h), which the mail previewer follows for attachments too.

#include <QString>

namespace ov {

// Whether a copy with this extension (without the dot, any case) may be opened.
bool IsSafeCopyExt(const QString& ext);
// Whether the file's contents are of no program or launcher type.
bool IsSafeCopyContent(const QString& path);
// The local copy of a server file: `folder` + the name's title + "_dx" + its extension with the
// dot. "" when the name gives no file name or its extension may not be opened.
QString OpenCopyPath(const QString& folder, const QString& fileName);
// Deletes the files "*_dx.*" of the folder (no folders).
void DeleteOldCopies(const QString& folder);
// Opens the file with the desktop's viewer for its type; false when that failed.
bool OpenWithDesktop(const QString& path);

}  // namespace ov
