#pragma once
// Where a server folder lives on this computer.
//
// GetMappedWorkPath reads the reply of the server's path query ("PathStr": the folder path by
// names, the owner first; "PathIdStr": the same path by folder ids) and finds the deepest folder
// on that path that the user has mapped in "workpath_record.ini"; the names below it are
// rebuilt under its local folder. With the ids 10/20/30, the names X/A/B/C and only 10 mapped to
// "/w/", the result is "/w/B/C/".
//
// TLocalFolders places the files of a latest-versions run: each file's server folder path is cut
// after its first `pathStep` levels and the rest is rebuilt under the chosen local folder.

#include <QString>
#include <cstdint>
#include <optional>

namespace ov {

// The two tags of a path reply, "/" turned into "\" (the server's separator).
struct TServerPath {
    QString PathStr;
    QString PathIdStr;
    bool Complete() const { return !PathStr.isEmpty() && !PathIdStr.isEmpty(); }
};
TServerPath ReadServerPath(const QString& serverPathText);

// The mapped local folder, or "" when no mapping applies (also when a name below the mapped
// folder is one that may not stand in a local path).
QString GetMappedWorkPath(const QString& serverPathText, const QString& iniFilePath);

// root + the whole server path by names, ending with "/"; the root alone when the path is empty
// or names a part that is refused.
QString FolderBelowRoot(const QString& root, const QString& pathStr);

// The number of names in PathStr - 1 (0 for an empty path).
int PathStepOf(const QString& pathStr);

class TLocalFolders {
public:
    // `folder`: the chosen local folder (ends with "/"); `pathStep`: the levels of the server
    // path that it stands for.
    TLocalFolders(const QString& folder, int pathStep);

    // The local folder of a file (ending with "/"), or nullopt when its server path has fewer
    // levels than the step or holds a part that is refused. The last answer is kept for the
    // next file of the same folder.
    std::optional<QString> LocalFolderOf(const QString& path, std::int64_t folderId);

    int PathStep() const { return FPathStep; }

private:
    std::optional<QString> remainder(const QString& path) const;

    QString FPath;
    int FPathStep = 0;
    std::optional<std::int64_t> FTmpFolderId;
    QString FTmpPath;
};

}  // namespace ov
