#pragma once
// Unpacking of ZIP archives (embedded ones and downloaded ones) into a folder. Existing files
// are never overwritten, and no entry can be written outside the target folder.

#include <QString>

namespace ov {

// Upper bound of the bytes one archive may unpack to (guards against archives that expand to
// far more than they hold).
inline constexpr qint64 MaxUnpackedBytes = qint64(1) << 30;

// Extracts every entry of the archive file into destDir (a folder; it and the sub-folders named
// by the entries are created), in archive order. An entry whose target already exists is
// skipped. Raises FileError when the archive cannot be read, when any entry name is absolute,
// holds "..", a drive or a NUL (checked before anything is written), when the archive unpacks
// to more than maxBytes, or when a file cannot be written.
void ExtractZipNoOverwrite(const QString& zipFile, const QString& destDir,
                           qint64 maxBytes = MaxUnpackedBytes);

// Unpacks the embedded archive ":/<resType>/<resName>" (a Qt resource of the running program)
// into destDir without overwriting files. The archive is first written to destDir +
// "tmpfilesnx.zip", which is deleted again on every path. A missing resource does nothing;
// every other failure raises FileError.
void UnzipResourceFile(const QString& resName, const QString& resType, const QString& destDir);

}  // namespace ov
