#pragma once
// Whether a document that a desktop application has open is still in use, from what the desktop
// really leaves behind:
//  - LibreOffice's lock file ".~lock.<name>#" beside the document;
//  - an advisory lock on the file (fcntl or open-file-description locks, as office programs and
//    editors take them);
//  - a process of the user that holds the file open (its /proc/<pid>/fd);
//  - under X11, a top-level window of another process whose title names the file (its full file
//    name standing on its own, letter case ignored).
// A missing file is reported as such, never as in use.

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace ov::platform {

enum class FileUse { Free, Missing, LockFile, AdvisoryLock, OpenByProcess, WindowTitle };

struct FileUseProbe {
    pid_t ignorePid = 0;        // a process whose open files and windows do not count (0: this)
    bool windowTitles = true;   // look at the X11 windows (only when an X display is there)
};

FileUse fileInUse(const QString& path, const FileUseProbe& probe = {});

// The single signs, for tests and callers that want one of them.
bool hasOfficeLockFile(const QString& path);
bool hasAdvisoryLock(const QString& path);
bool isOpenByProcess(const QString& path, pid_t ignorePid);
// Whether a title names the file: it holds the full file name on its own (no letter, digit,
// "." or "_" right before or after it), letter case ignored.
bool titleNamesFile(const QString& title, const QString& fileName);
// The titles of the X11 top-level windows of other processes than `ignorePid` (none without an
// X display).
QStringList x11WindowTitles(pid_t ignorePid);

}  // namespace ov::platform
