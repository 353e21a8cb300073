#include "platform/processes.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

// The ids of the user's processes that run `programName`.
QList<qint64> processesOf(const QString& programName) {
    QList<qint64> found;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || !ownedByUser(proc.filePath(entry))) continue;
        const QString name = QFileInfo(programOfProcess(pid)).fileName();
        if (name.compare(programName, Qt::CaseInsensitive) == 0) found << pid;
    }
    return found;
}

bool findProgram(const QString& programName, bool sameSession) {
    const QByteArray ownRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
    for (const qint64 pid : processesOf(programName)) {
        const QString folder = QStringLiteral("/proc/%1").arg(pid);
        if (!sameSession || runtimeDirOf(folder) == ownRuntimeDir) return true;
    }
    return false;
}

void keepOutput(QProcess& process, PipeRun& run, qint64 maxOutput) {
    const QByteArray chunk = process.readAll();
    run.output.append(chunk.first(qMin<qint64>(chunk.size(), maxOutput - run.output.size())));
}

}  // namespace

bool isProgramRunning(const QString& programName) {
    return findProgram(programName, false);
}

bool isProgramRunningInSession(const QString& programName) {
    return findProgram(programName, true);
}

QString programOfProcess(qint64 pid) {
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
}

int endProgram(const QString& programName) {
    int ended = 0;
    for (const qint64 pid : processesOf(programName))
        if (pid != getpid() && kill(static_cast<pid_t>(pid), SIGKILL) == 0) ++ended;
    return ended;
}

PipeRun runWithPipe(const QString& program, const QStringList& arguments,
                    const QString& workingFolder, int timeLimitMs, qint64 maxOutput) {
    PipeRun run;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    if (!process.waitForStarted(timeLimitMs)) return run;
    const QDeadlineTimer deadline(timeLimitMs);
    while (!process.waitForFinished(qMax<qint64>(1, qMin<qint64>(100, deadline.remainingTime())))) {
        keepOutput(process, run, maxOutput);
        if (process.state() == QProcess::NotRunning) break;
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished();
            keepOutput(process, run, maxOutput);
            return run;
        }
    }
    keepOutput(process, run, maxOutput);
    run.finished = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    return run;
}

}  // namespace ov::platform
