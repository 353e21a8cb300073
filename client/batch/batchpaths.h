#pragma once
// How a batch task joins server paths and local folders. Local paths use "/" and folders end
// with "/"; sub-folders sent to the server use "\" and end with "\". Names from the server
// never leave the task's local target folder: empty, "." and ".." parts and drive prefixes
// are dropped before they are joined.

#include <QString>

#include "core/types.h"

namespace ov {

// The last folder name of a folder text with its trailing separator; the whole text when it
// holds no separator before its final character.
QString LastFolderPart(const QString& folder);
// The root part of a task: LastFolderPart of its source when IncludeRootPath, else "".
QString RootPart(const TBatchTransport& task);
// The part of a server path after the task's source folder name (case-sensitive); else after
// the first ":\"; else the whole path. At most 1024 characters.
QString RelativePart(const QString& serverPath, const QString& sourceFolderName);
// The text after the last "/" or "\".
QString FileNameOf(const QString& path);
// A relative path ("/" or "\" separated) made safe to join below a local folder: "/"
// separated, without empty, ".", ".." or drive parts. "" when nothing is left.
QString StripUnsafeParts(const QString& relative);
// The server sub-folder of a local file of a folder upload ("" for a file in the root).
QString UploadSubFolder(const QString& sourceFolderName, bool includeRootPath,
                        const QString& filePath);
// The local path of a downloaded file; "" when the server's path leaves nothing to join.
QString DownloadTarget(const TBatchTransport& task, const QString& serverPath);
// The local file of a single-file upload, also when a separator was appended to it.
QString SingleUploadSource(const QString& sourceFolderName);
// The local folder that a server folder line of a download list stands for ("" when none).
QString DownloadFolderTarget(const TBatchTransport& task, const QString& serverFolder);

}  // namespace ov
