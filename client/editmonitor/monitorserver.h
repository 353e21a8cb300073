#pragma once
// What the monitor asks the server before a download: the file's name and its folder path,
// on any thread, never raising.

#include "documents/editing/editserver.h"

namespace ov {

struct MonitorFileInfo {
    bool ok = false;
    QString name;     // the server's file name
    QString pathStr;  // "PathStr" of the file's server path
    QString error;    // why not: the server's message, or the connection's
};

MonitorFileInfo FetchMonitorFileInfo(const EditServer& server, std::int64_t fileKey);

// The local copy: work root + the server path's folder names + the file name, each name a plain
// one (no separator, "." or ".." or NUL); "" when a name from the server is not.
QString MonitorLocalPath(const QString& workRoot, const QString& pathStr, const QString& name);

}  // namespace ov
