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

}  // namespace

bool isProgramRunning(const QString& programName) {
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toUInt(&isPid);
        if (!isPid) continue;
        const QString folder = proc.filePath(entry);
        if (!ownedByUser(folder)) continue;
        const QString exe = QFileInfo(folder + QStringLiteral("/exe")).symLinkTarget();
        if (QFileInfo(exe).fileName().compare(programName, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

}  // namespace ov::platform
