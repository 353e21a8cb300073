#pragma once
// Opening a local copy of a document with the desktop's viewer for its type, under the rules
// that keep a name or content from elsewhere from starting a program: only document, picture,
// media and archive types are opened, never a file whose contents are a program, a launcher or
// markup that a browser would run.

#include <QString>

namespace ov::platform {

// Whether a file with this extension (without the dot, any case) may be opened.
bool isSafeToOpenExt(const QString& ext);
// Whether the file's contents are of no program or launcher type.
bool isSafeToOpenContent(const QString& path);
// Whether neither the file's name nor its contents give a program or launcher type (for
// drawings and other types that have no place in the list of safe extensions).
bool isNoProgram(const QString& path);
// Opens the file with the desktop's viewer for its type; false when that failed.
bool openWithDesktop(const QString& path);
// Both rules, then the desktop: false (nothing started) when a rule refuses the file.
bool openSafelyWithDesktop(const QString& path);

}  // namespace ov::platform
