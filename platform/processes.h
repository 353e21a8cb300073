#pragma once
// The current user's processes, from /proc.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ov::platform {

// Whether one of the user's processes runs a program whose file name (without folder) is
// `programName`, compared without regard to case.
bool isProgramRunning(const QString& programName);

// The same, counting only processes of this desktop session: those whose XDG_RUNTIME_DIR is
// ours (where the windows they show listen, see windowbus.h).
bool isProgramRunningInSession(const QString& programName);

// Ends (SIGKILL) every one of the user's processes whose program file name (without folder) is
// `programName`, compared without regard to case; processes that cannot be signalled are
// skipped. The number of processes ended.
int endProgram(const QString& programName);

// The program of a process ("" when it is gone or not ours to read).
QString programOfProcess(qint64 pid);

struct PipeRun {
    bool finished = false;  // the program started and ended within the time limit
    int exitCode = -1;
    QByteArray output;  // standard output and error as written, at most the size limit
};

// Runs `program` with `arguments` in the folder `workingFolder`, its standard output and error
// captured together, and waits at most `timeLimitMs`; a program still running then is killed.
// Output beyond `maxOutput` bytes is read and dropped, so the program never stalls on a pipe.
PipeRun runWithPipe(const QString& program, const QStringList& arguments,
                    const QString& workingFolder, int timeLimitMs,
                    qint64 maxOutput = 64 * 1024 * 1024);

}  // namespace ov::platform
