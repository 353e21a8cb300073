#pragma once
// Temporary copies of server documents for the previewers. Each copy gets a name of its own in
// the user's private temporary folder: the file is created exclusively, so two previews started
// at the same moment (even in the same millisecond, in two threads or two processes) never share
// a file, and it is readable and writable by its owner only (mode 0600).

#include <QDateTime>
#include <QString>
#include <optional>

namespace ov::platform {

// The time stamp that names a preview copy: two-digit year, month, day, hour, minute, second,
// then the milliseconds without leading zeros ("231209151230507" for 2023-12-09 15:12:30.507).
QString previewTimeStamp(const QDateTime& when);

// Creates a new empty file `folder` + `stem` + `suffix` (the suffix carries its own dot, or is
// empty). When that name is taken, "_2", "_3" ... is put between stem and suffix until a free
// name is found. The folder is created (mode 0700) when missing. Returns the path of the created
// file, or nullopt when no file could be created (folder not writable, stem or suffix holding a
// separator, NUL or "..", or no free name among 10000 tries).
std::optional<QString> createUniqueFile(const QString& folder, const QString& stem,
                                        const QString& suffix);

// A preview copy: createUniqueFile(folder, previewTimeStamp(when), "." + extension), or without
// the dot when the extension is empty.
std::optional<QString> createPreviewFile(const QString& folder, const QString& extension,
                                         const QDateTime& when = QDateTime::currentDateTime());

}  // namespace ov::platform
