#include "platform/fileinuse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    const QStringList fds = QDir(procDir + u"/fd"_s).entryList(QDir::System | QDir::NoDotAndDotDot);
    int seen = 0;
    for (const QString& fd : fds) {
        if (++seen > kMaxFds) return false;
        struct stat info {};
        const QByteArray link = QFile::encodeName(procDir + u"/fd/"_s + fd);
        if (::stat(link.constData(), &info) == 0 && sameFile(info, target)) return true;
    }
    return false;
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

bool titleNamesFile(const QString& title, const QString& fileName) {
    return !fileName.isEmpty() && title.contains(fileName, Qt::CaseInsensitive);
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
