// The monitor's watch: every 2 seconds each file that no program uses any more is uploaded
// (changed) or released (unchanged) and leaves the list; the outcome goes to the hint window.

#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "core/paths.h"
#include "documents/editing/editrecords.h"
#include "documents/editing/editworker.h"
#include "platform/fileinuse.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kTransferTimeoutMs = 120000;
// A copy whose time moved less than this was not saved.
constexpr qint64 kSameTimeMs = 200;

}  // namespace

void TShowEditInfoFrm::Timer1Timer() {
    if (FInPass || FLastTm.msecsTo(QDateTime::currentDateTime()) < SettleMs) return;
    FInPass = true;
    FTimer1->stop();
    for (int i = int(FFileList.size()) - 1; i >= 0; --i) {
        if (HandleFile(i)) {
            const std::int64_t key = FFileList.at(i).FileKey;
            FFileList.removeAt(i);
            emit fileHandled(key);
        }
    }
    FInPass = false;
    FTimer1->start();
}

// True when the file was handled (it leaves the list).
bool TShowEditInfoFrm::HandleFile(int index) {
    const TEditedFileInfo info = FFileList.at(index);
    const platform::FileUse use =
        platform::fileInUse(info.PathAndFile, {0, WatchWindowTitles});
    if (use == platform::FileUse::Missing) {
        AddMonitorLog(info.PathAndFile, WLS_Missing);
        return true;  // its check-out record stays for a cancel
    }
    if (use != platform::FileUse::Free) return false;
    const QDateTime time = QFileInfo(info.PathAndFile).lastModified();
    if (std::abs(time.msecsTo(info.LastModifyTime)) < kSameTimeMs)
        ReleaseUnchanged(info, time);
    else
        UploadChanged(info);
    return true;
}

void TShowEditInfoFrm::ReleaseUnchanged(const TEditedFileInfo& info, const QDateTime& time) {
    QFile::remove(info.PathAndFile);
    const EditServer server = Server();
    const std::int64_t key = info.FileKey;
    // The record goes whatever the release answers: the copy it names is gone.
    RunEditWork<EditLockReply>([server, key] { return UnlockForEdit(server, key, false); });
    DelCheckoutRecord(FIniFilePath, key);
    AddMonitorLog(info.FileName, WLS_NoChange + WLS_FileTime +
                                     QLocale::system().toString(time, QLocale::ShortFormat));
    ShowOutcome(info.FileName + u","_s + WLS_NoChange, true);
}

void TShowEditInfoFrm::UploadChanged(const TEditedFileInfo& info) {
    const EditServer server = Server(kTransferTimeoutMs);
    const std::int64_t key = info.FileKey;
    const QString path = info.PathAndFile;
    const QStringList folders{GetPersonalPath()};
    const EditUpload result = RunEditWork<EditUpload>(
        [server, key, path, folders] { return UploadEditVersion(server, key, path, folders); });
    if (result.stored()) {
        AddMonitorLog(path, result.code == 29 ? WLS_Audit : WLS_UpdateOk);
        QFile::remove(path);
        return ShowOutcome(WLS_UpdateOk, false);
    }
    // The copy and its record stay; the text names the backup, or says it failed.
    const QString text = u"("_s + result.error + u")"_s + WLS_UplaodError2 +
                         (result.backupOk ? result.backupPath : path);
    FMemo1->appendPlainText(text);
    ShowOutcome(text, true);
}

void TShowEditInfoFrm::ShowOutcome(const QString& text, bool error) {
    if (FHint) {
        error ? FHint->SetErrorStr(text) : FHint->SetHintStr(text);
        FHint->show();
        FHint->raise();
    }
    if (error) {
        raise();
        activateWindow();
        return;
    }
    QTimer::singleShot(HideAfterUploadMs, this, [this] {
        hide();
        if (!FMainfrmVisible && CloseMainWindow) CloseMainWindow();
    });
}

}  // namespace ov
