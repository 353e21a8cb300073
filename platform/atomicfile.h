#pragma once
// One routine through which every file that another process may read at the same time is
// written: the new content goes to a temporary file in the same folder, is flushed to disk and
// renamed over the old one, so readers see the old or the new file, never a half-written one.

#include <QByteArray>
#include <QString>

namespace ov::platform {

// Replaces (or creates) the file with the bytes. On failure the old file is untouched, the
// function returns false and `error` (when given) receives a description.
bool writeFileAtomically(const QString& fileName, const QByteArray& content,
                         QString* error = nullptr);

}  // namespace ov::platform
