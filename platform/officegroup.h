#pragma once
// The process group of an office: started with posix_spawn as the leader of a group of its own
// (so that stopping it stops every process it started), its output in a log file, TMPDIR in a
// private folder, and optionally its standard input and output on a socket of the caller.
// Blocking helpers, safe on any thread, no event loop needed.

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace ov::platform {

struct OfficeSpawn {
    QString program;
    QStringList arguments;
    QString workFolder;  // "log" there takes the output, "tmp" there is TMPDIR
    int ioSocket = -1;   // when set: standard input and output (the caller keeps its own end)
};

// Starts the leader; its process id (also the group id), or -1 with `error` set.
pid_t spawnOfficeGroup(const OfficeSpawn& spawn, QString& error);

// Whether the leader has exited, without reaping it (its id stays taken while a zombie).
bool officeLeaderExited(pid_t pid);

// Kills every process of the group and waits (a few seconds at most) until none is left.
void stopOfficeGroup(pid_t group);

// Reaps the leader; its wait status.
int reapOfficeLeader(pid_t pid);

// Removes the local sockets an office leaves behind when it is killed: the one of each user
// installation (by its URL) and the named connection pipes.
void removeOfficeSockets(const QStringList& profileUrls, const QStringList& pipeNames);

// The last line of the log of a job's folder that says something (empty when there is none).
QString officeLogLastWords(const QString& workFolder);

}  // namespace ov::platform
