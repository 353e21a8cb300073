// The editors' base form: download, upload with its backup copy, release and lock, each run
// on a worker thread while the form's event loop goes on.

#include "documents/editing/editworker.h"
#include "documents/editing/fileeditbase.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kTransferTimeoutMs = 120000;

}  // namespace

void TFileEditBaseFrm::closeEvent(QCloseEvent* event) {
    if (FBusy > 0) return event->ignore();
    TPreviewBaseFrm::closeEvent(event);
}

bool TFileEditBaseFrm::DownloadEditFile() {
    const EditServer server = Server();
    const std::int64_t key = FFileKey;
    const QString path = FEditFileName;
    const EditDownload result = RunServerWork<EditDownload>(
        [server, key, path] { return DownloadForEdit(server, key, path); });
    AddNote(result.ok() ? WLS_DownloadOK : result.error);
    return result.ok();
}

bool TFileEditBaseFrm::UploadEditFile(const QString& FileName) {
    const EditServer server = Server(kTransferTimeoutMs);
    const std::int64_t key = FFileKey;
    const QStringList folders = BackupFolders;
    const EditUpload result = RunServerWork<EditUpload>(
        [server, key, FileName, folders] {
            return UploadEditVersion(server, key, FileName, folders);
        });
    FLastBackupPath = result.backupPath;
    FLastBackupOk = result.backupOk;
    if (result.code == 3) return true;
    if (result.code == 29) {
        AddNote(WLS_Audit);
        return true;
    }
    if (result.code == 30) {
        FNogList.clear();
        AddNote(WLS_InWriteAudit);
    } else {
        AddNote(result.error);
    }
    AddNote(result.backupOk ? WLS_UplaodError2 + result.backupPath
                            : WLS_BackupFailed + result.backupPath);
    return false;
}

bool TFileEditBaseFrm::UnlockEditFile(bool eraseRecord) {
    const EditServer server = Server(kTransferTimeoutMs);
    const std::int64_t key = FFileKey;
    return RunServerWork<EditLockReply>([server, key, eraseRecord] {
               return UnlockForEdit(server, key, eraseRecord);
           }).reply == 1;
}

void TFileEditBaseFrm::LockEditFile() {
    const EditServer server = Server(kTransferTimeoutMs);
    const std::int64_t key = FFileKey;
    RunServerWork<EditLockReply>([server, key] { return LockForEdit(server, key); });
}

}  // namespace ov
