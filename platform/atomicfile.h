#pragma once
// One routine through which every file that another process may read at the same time is
// written: the new content goes to a temporary file in the same folder, is flushed to disk and
// renamed over the old one, so readers see the old or the new file, never a half-written one.

#include <QByteArray>
#include <QString>

namespace ov::platform {

enum class FileKind {
    // A file of ours in a folder of ours (settings, task files, session, records): whatever
    // has the name (a symbolic link, a pipe) is replaced, never written through; a regular
    // file keeps its mode, a new one is open to its owner alone.
    Private,
    // A file the desktop shares with other programs (its own lists and entries): a symbolic
    // link is followed to the file it names, and a new file gets the usual mode.
    Shared
};

// Replaces (or creates) the file with the bytes. On
// failure the old file is untouched, the function returns false and `error` (when given)
// receives a description.
bool writeFileAtomically(const QString& fileName, const QByteArray& content,
                         QString* error = nullptr, FileKind kind = FileKind::Private);

}  // namespace ov::platform
