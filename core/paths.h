#pragma once
// The system's folders and small path helpers. Folder results end with "/"; "\" is accepted as
// a separator in the paths given.

#include <QString>

namespace ov {

// Folder of the running module: the program, or the shared library that holds this code.
QString GetModulePath();

// The special folder of index 0 to 22 (see platform/folders.h), ending with "/"; "" when the
// index is out of range or the folder has no meaning here.
QString GetSpecialFolder(int index);

// The user's documents folder, else GetModulePath.
QString GetPersonalPath();

// $XDG_DATA_HOME/Ov/Temp/, else GetModulePath; created (mode 0700) when missing. Holds
// the task file and temporary copies of server files.
QString GetLocalTempPath();

// $XDG_DATA_HOME/Ov/, else GetModulePath; created (mode 0700) when missing. The per-user
// settings folder.
QString GetUserDataPath();

// The system folder; "" on this system.
QString GetSystemPath();

// Folder of the installed OvClient: the default value of HKCR "\OvClient\DefaultIcon" cut
// before its first ",", folder part; else GetModulePath. Created when missing.
QString GetClientPath();

// The installation folder of the document server on this computer: the first folder from
// GetModulePath upward that holds one of the server's programs; "" when none. Cached; an
// empty result is searched again on the next call.
QString GetServerInstallPath();

// The parent folder of GetServerInstallPath ("" when that is empty). Cached like it.
QString GetServerDataRoot();

// The search behind GetServerInstallPath, from any folder upward, without the cache.
QString FindServerInstallPath(const QString& startFolder);

// Empties the two caches above (done by the module's start-up).
void ClearServerPathCaches();

// The path up to and including the last "/" or "\" that stands before its final character
// ("/a/b/" gives "/a/"); "" when there is none.
QString ExtractParentPath(const QString& path);

// Creates a folder and its missing parents; returns whether the folder exists afterwards.
// An empty path gives false. "\" counts as "/". Unless isFolder is set, a path whose last name
// contains "." is taken as a file path and its folder part is created; callers that hold a
// folder (whose name may contain a dot) pass isFolder = true.
bool ForceFolder(const QString& path, bool isFolder = false);

// The file name without its folder and without its last extension.
QString ExtractFileTitle(const QString& fileName);

// The extension of the file name without its dot ("doc" for "a.doc"); "" when there is none.
// A name that ends with "." gives ".".
QString ExtractFileExtNoDot(const QString& fileName);

}  // namespace ov
