#pragma once
// The outcome of an office job (a conversion or a run of document operations).

#include <QElapsedTimer>
#include <QMetaType>
#include <QString>

namespace ov::platform {

enum class OfficeStatus {
    Ok,
    NotInstalled,  // no suite, or not the application of it that the job needs
    Failed,        // the office could not do it; `message` says why
    TimedOut,      // the time limit passed; the office was stopped
    Cancelled,     // the caller asked to stop; the office was stopped
};

struct OfficeResult {
    OfficeStatus status = OfficeStatus::Failed;
    QString message;       // empty on success
    qint64 elapsedMs = 0;  // wall time of the whole job

    bool ok() const { return status == OfficeStatus::Ok; }
};

// Runs a job and notes its wall time in the result.
template <typename Job>
OfficeResult timedOfficeJob(Job&& job) {
    QElapsedTimer clock;
    clock.start();
    OfficeResult result = job();
    result.elapsedMs = clock.elapsed();
    return result;
}

}  // namespace ov::platform

Q_DECLARE_METATYPE(ov::platform::OfficeResult)
