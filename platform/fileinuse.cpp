#include "platform/fileinuse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// At most this many processes and descriptors are looked at, so a busy system cannot stall us.
constexpr int kMaxProcesses = 32768;
constexpr int kMaxFds = 65536;

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool ownedByUser(const QString& procDir) {
    struct stat info {};
    return ::stat(QFile::encodeName(procDir).constData(), &info) == 0 && info.st_uid == getuid();
}

bool processHolds(const QString& procDir, const struct stat& target) {
    const QByteArray folder = QFile::encodeName(procDir + u"/fd/"_s);
    DIR* fds = ::opendir(folder.constData());
    if (!fds) return false;  // another user's, or gone
    bool holds = false;
    int seen = 0;
    while (const dirent* entry = ::readdir(fds)) {
        if (entry->d_name[0] == '.') continue;
        if (++seen > kMaxFds) break;
        struct stat info {};
        if (::stat((folder + entry->d_name).constData(), &info) == 0 && sameFile(info, target)) {
            holds = true;
            break;
        }
    }
    ::closedir(fds);
    return holds;
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'.' || c == u'_';
}

}  // namespace

bool hasOfficeLockFile(const QString& path) {
    const QFileInfo file(path);
    return QFileInfo::exists(file.absolutePath() + u"/.~lock."_s + file.fileName() + u'#');
}

bool hasAdvisoryLock(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

bool isOpenByProcess(const QString& path, pid_t ignorePid) {
    struct stat target {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0) return false;
    const QStringList pids = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    int seen = 0;
    for (const QString& pid : pids) {
        bool isNumber = false;
        const pid_t id = pid_t(pid.toInt(&isNumber));
        if (!isNumber || id == ignorePid) continue;
        if (++seen > kMaxProcesses) break;
        const QString dir = u"/proc/"_s + pid;
        if (ownedByUser(dir) && processHolds(dir, target)) return true;
    }
    return false;
}

// The name must stand on its own: no name character right before or after it.
bool titleNamesFile(const QString& title, const QString& fileName) {
    if (fileName.isEmpty()) return false;
    for (qsizetype at = title.indexOf(fileName, 0, Qt::CaseInsensitive); at >= 0;
         at = title.indexOf(fileName, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + fileName.size();
        const bool before = at > 0 && isNameChar(title.at(at - 1));
        const bool after = end < title.size() && isNameChar(title.at(end));
        if (!before && !after) return true;
    }
    return false;
}

FileUse fileInUse(const QString& path, const FileUseProbe& probe) {
    if (!QFileInfo(path).isFile()) return FileUse::Missing;
    if (hasOfficeLockFile(path)) return FileUse::LockFile;
    if (hasAdvisoryLock(path)) return FileUse::AdvisoryLock;
    const pid_t ignore = probe.ignorePid ? probe.ignorePid : getpid();
    if (isOpenByProcess(path, ignore)) return FileUse::OpenByProcess;
    if (!probe.windowTitles) return FileUse::Free;
    const QString name = QFileInfo(path).fileName();
    for (const QString& title : x11WindowTitles(ignore))
        if (titleNamesFile(title, name)) return FileUse::WindowTitle;
    return FileUse::Free;
}

}  // namespace ov::platform
