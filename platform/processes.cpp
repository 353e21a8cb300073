#include "platform/processes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

namespace ov::platform {

namespace {

bool ownedByUser(const QString& procEntry) {
    struct stat info {};
    return stat(QFile::encodeName(procEntry).constData(), &info) == 0 && info.st_uid == geteuid();
}

constexpr qint64 kMaxEnvironment = 1024 * 1024;

QByteArray runtimeDirOf(const QString& procEntry) {
    QFile file(procEntry + QStringLiteral("/environ"));
    if (!file.open(QIODevice::ReadOnly)) return "(unreadable)";
    const QByteArray prefix = "XDG_RUNTIME_DIR=";
    for (const QByteArray& entry : file.read(kMaxEnvironment).split('\0'))
        if (entry.startsWith(prefix)) return entry.mid(prefix.size());
    return {};
}

bool findProgram(const QString& programName, bool sameSession) {
    const QByteArray ownRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toUInt(&isPid);
        if (!isPid) continue;
        const QString folder = proc.filePath(entry);
        if (!ownedByUser(folder)) continue;
        const QString exe = QFileInfo(folder + QStringLiteral("/exe")).symLinkTarget();
        if (QFileInfo(exe).fileName().compare(programName, Qt::CaseInsensitive) != 0) continue;
        if (!sameSession || runtimeDirOf(folder) == ownRuntimeDir) return true;
    }
    return false;
}

}  // namespace

bool isProgramRunning(const QString& programName) {
    return findProgram(programName, false);
}

bool isProgramRunningInSession(const QString& programName) {
    return findProgram(programName, true);
}

}  // namespace ov::platform
