#pragma once
// Runs one office process tree (soffice, or the script that drives it) under a time limit, in a
// process group of its own so that a time-out or a cancel stops every process it started.
// Blocking; safe to call from any thread, needs no event loop.

#include "platform/officeresult.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <stop_token>

namespace ov::platform {

struct OfficeProcess {
    QString program;
    QStringList arguments;
    // A private folder of the job: the process's output goes to "log" there and its TMPDIR is
    // "tmp" there, so nothing of the office's own lands outside it.
    QString workFolder;
    // User-installation URLs and connection pipe names of the office processes started: their
    // local sockets outlive a killed office and are removed afterwards.
    QStringList profileUrls;
    QStringList pipeNames;
    std::chrono::milliseconds timeLimit{120000};
};

// Starts the process and waits for it, its group stopped on time-out or when `stop` is
// requested. Ok means it exited with code 0; Failed carries the end of its output. Every
// process of the group is gone when this returns.
OfficeResult runOfficeProcess(const OfficeProcess& run, std::stop_token stop);

// The last line of a job's output that says something (empty when there is none).
QString officeProcessLastWords(const QString& workFolder);

// The name of the local socket an office with that user installation listens on for other
// instances (exposed for tests).
QString officeInstancePipeName(const QString& profileUrl);

// The user-installation URL for a folder, as given to soffice with -env:UserInstallation=.
QString officeProfileUrl(const QString& folder);

}  // namespace ov::platform
