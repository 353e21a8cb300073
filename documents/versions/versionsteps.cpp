#include "documents/versions/versionsteps.h"

#include "core/datetime.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/split.h"
#include "documents/versions/asmversion.h"
#include "documents/versions/localcopy.h"
#include "documents/versions/records.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString ExceptionText(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

}  // namespace

std::int64_t KeyOf(const QString& text) {
    return TextToInt64Def0(text);
}

TLockStep LockForCheckout(const TServerAccess& access, std::int64_t key, const QString& local) {
    TLockStep step;
    try {
        auto client = access.NewClient();
        step.Lock = client->LockFile(key);
        step.Error = client->GetLastError();
        if (std::uint8_t(step.Lock) != RC_Ok) return step;
        MakeWritable(local);
        step.ServerTime = client->GetLastModifyTime(key);
        step.HaveTime = true;
    } catch (const std::exception& e) {
        step.Error = ExceptionText(e);
    }
    const QFileInfo info(local);
    step.LocalExists = info.exists();
    if (step.LocalExists) step.LocalTime = QDateTimeToDateTime(info.lastModified());
    return step;
}

TStepResult FetchKeepingLocal(const TServerAccess& access, std::int64_t key, const QString& local,
                              const QString& extra, std::atomic<bool>* cancel,
                              const std::function<void(qint64, qint64)>& progress) {
    TLocalCopyGuard guard(local);
    auto client = access.NewClient();
    client->PIsBreak = cancel;
    if (progress)
        client->OnTransmitState = [&progress](void*, qint64 all, qint64 done) {
            progress(all, done);
        };
    TDateTime serverTime = 0;
    const std::uint8_t code = client->DownloadFile(local, extra, key, serverTime);
    const bool cancelled = cancel && cancel->load();
    if (code == RC_CanDownload && !cancelled) {
        SetFileModifyTime(local, serverTime);
        guard.Keep();
        return {true, {}};
    }
    QString error = client->GetLastError();
    if (cancelled && code == RC_CanDownload) error = u"Cancelled"_s;
    return {false, error};
}

TStepResult AllowWithoutDownload(const TServerAccess& access, std::int64_t key) {
    try {
        auto client = access.NewClient();
        const bool ok = client->CanDownloadFile(key) == RC_CanDownload;
        return {ok, ok ? QString() : client->GetLastError()};
    } catch (const std::exception& e) {
        return {false, ExceptionText(e)};
    }
}

void ReleaseLock(const TServerAccess& access, std::int64_t key) {
    try {
        access.NewClient()->UnLockFile(true, key);
    } catch (const std::exception&) {
        // The lock stays with its owner; the failure is already logged.
    }
}

std::uint8_t RunCancelCheckout(const TServerAccess& access, const QStringList& keys,
                               const QStringList& names, const QString& iniFilePath,
                               const TVersionTexts& texts, const TLogRow& log) {
    std::uint8_t result = 0;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const std::int64_t key = KeyOf(keys[i]);
        const QString name = names.value(i);
        auto client = access.NewClient();
        if (std::uint8_t(client->UnLockFile(true, key)) == RC_Ok) {
            DelCheckoutPath(iniFilePath, key);
            log(name, texts.CancelCheckOut);
            result = 1;
        } else {
            log(name, client->GetLastError());
        }
    }
    return result;
}

namespace {

// One file's check-in from its record; whether it was stored or sent to audit.
bool CheckinOne(const TServerAccess& access, std::int64_t key, const QString& name,
                const QString& iniFilePath, const TVersionTexts& texts, const TLogRow& log,
                std::atomic<bool>* cancel) {
    QString path = ReadCheckoutPath(iniFilePath, key);
    auto client = access.NewClient();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        log(name, client->IsInWriteAudit(key) == 1 ? texts.Modify : texts.Missing);
        return false;
    }
    path = LatestAsmVersion(path);
    client->PIsBreak = cancel;
    const std::uint8_t code = client->UploadFile2(path, u"[IsCheckin]True[/IsCheckin]"_s, key);
    const QString error = client->GetLastError();
    switch (code) {
        case RC_CanUpload:
            DelCheckoutPath(iniFilePath, key);
            log(path, texts.CheckIn);
            return true;
        case RC_OldVersion:
        case RC_NoChange:
            DelCheckoutPath(iniFilePath, key);
            ReleaseLock(access, key);
            log(path, error);
            return false;
        case RC_EditAudit:
            DelCheckoutPath(iniFilePath, key);
            log(path, error);
            return true;
        default:
            log(path, error);
            return false;
    }
}

}  // namespace

std::uint8_t RunBathCheckin(const TServerAccess& access, const QStringList& keys,
                            const QStringList& names, const QString& iniFilePath,
                            const TVersionTexts& texts, const TLogRow& log,
                            std::atomic<bool>* cancel) {
    std::uint8_t result = 0;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        try {
            if (CheckinOne(access, KeyOf(keys[i]), names.value(i), iniFilePath, texts, log, cancel))
                result = 1;
        } catch (const std::exception& e) {
            log(names.value(i), ExceptionText(e));
        }
    }
    return result;
}

}  // namespace ov
