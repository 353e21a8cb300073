#pragma once
// The server work of check-out, cancel check-out and check-in, one blocking step at a time, for
// the forms to run on a worker thread. None of these raises: connection failures become the
// error text of the step.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>

namespace ov {

// The outcome of a lock for a check-out: the server's answer and, when it is 1, the server's
// modification time of the file; the local file's state.
struct TLockStep {
    std::int32_t Lock = 0;
    QString Error;             // the client's text when the lock or the time query failed
    bool HaveTime = false;     // the time query answered
    TDateTime ServerTime = 0;  // local time
    bool LocalExists = false;
    TDateTime LocalTime = 0;  // last write, local time
};
TLockStep LockForCheckout(const TServerAccess& access, std::int64_t key, const QString& local);

struct TStepResult {
    bool Ok = false;
    QString Error;
};

// Downloads the file over `local` (the old one stays in a backup until the new one is whole;
// when the download fails or is cancelled the old file is put back) and gives it the server's
// time. `extra` is the download's tagged text.
TStepResult FetchKeepingLocal(const TServerAccess& access, std::int64_t key, const QString& local,
                              const QString& extra, std::atomic<bool>* cancel,
                              const std::function<void(qint64, qint64)>& progress);
// The check-out without a download (the local file is kept): whether the server allows it.
TStepResult AllowWithoutDownload(const TServerAccess& access, std::int64_t key);
// Releases the lock of a check-out that failed.
void ReleaseLock(const TServerAccess& access, std::int64_t key);

// The texts the runs write into the log.
struct TVersionTexts {
    QString CancelCheckOut;
    QString Modify;
    QString Missing;
    QString CheckIn;
};

using TLogRow = std::function<void(const QString& name, const QString& text)>;

// Releases every file's lock and, when released, its check-out record. 1 when at least one was
// released.
std::uint8_t RunCancelCheckout(const TServerAccess& access, const QStringList& keys,
                               const QStringList& names, const QString& iniFilePath,
                               const TVersionTexts& texts, const TLogRow& log);
// Checks every file in from its check-out record. 1 when at least one was stored or sent to
// audit.
std::uint8_t RunBathCheckin(const TServerAccess& access, const QStringList& keys,
                            const QStringList& names, const QString& iniFilePath,
                            const TVersionTexts& texts, const TLogRow& log,
                            std::atomic<bool>* cancel = nullptr);

// The decimal key, 0 when it is not a number.
std::int64_t KeyOf(const QString& text);

}  // namespace ov
