// The upload of a list of dropped files, one after the other; a refused file asks whether to
// go on.

#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>

#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/transferjob.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

void TFileUploadFrm::UploadList(const QString& ASourceFolderName, const QStringList& files) {
    if (files.isEmpty()) return;
    FSource = ASourceFolderName;
    FListFiles = files;
    FListIndex = 0;
    EdtPath->clear();
    EdtPath->setEnabled(false);
    SetControls(false);
    WithLimits([this] { NextListFile(); });
}

void TFileUploadFrm::NextListFile() {
    if (FClosing || FListIndex >= FListFiles.size()) {
        EndList(true);
        return;
    }
    const QString path = FListFiles.at(FListIndex);
    EdtPath->setText(ShortDropPath(FSource, path));
    const TTidyFile file = Describe(path);
    const QString refusal = LimitRefusal(file);
    if (!refusal.isEmpty()) {
        if (!Ask(refusal + WLS_IsContinue)) return EndList(false);
        ++FListIndex;
        NextListFile();
        return;
    }
    ProgressBar1->setMaximum(0);
    const QString subFolder = UploadSubFolderName(FSource, path);
    FJob->Run(
        FLink, kTransferTimeoutMs,
        [this, file, subFolder](TRobotTcpClient& client) {
            std::int64_t key = 0;
            return int(client.UploadFile(FOwnerId, subFolder, FFolderId, file, key));
        },
        [this](int result, const QString& error) { ListFileDone(result, error); });
}

void TFileUploadFrm::ListFileDone(int result, const QString& error) {
    EdtPath->clear();
    if (!FClosing) {
        if (result == RC_CanUpload) {
            ProgressBar1->setValue(ProgressBar1->maximum());
        } else {
            const QString why = result == RC_NoChange ? WLS_SameFile : error;
            if (!Ask(why + WLS_IsContinue)) return EndList(false);
        }
    }
    ++FListIndex;
    NextListFile();
}

// Controls come back in every case, also after a "no": the dialog stays usable.
void TFileUploadFrm::EndList(bool complete) {
    EdtPath->setEnabled(true);
    SetControls(true);
    if (complete && !FClosing) QMessageBox::information(this, WLS_Hint, WLS_UploadOK);
    emit listFinished();
}

}  // namespace ov
