#pragma once
// The base form of every online editor. It continues the previewers' base form with the
// editor's texts and identity, the download of the edited file with its check-out record, the
// upload of a new version (with a verified backup copy of a refused one), the release and the
// lock of the file on the server, the notes of the current operation and four virtual
// operations: InitLangStrings, Edit, SaveAndUpload and CancelEdit.
//
// Server work runs on a worker thread; the form waits for it with the event loop running.

#include "documents/editing/editserver.h"
#include "documents/editing/editworker.h"
#include "documents/preview/previewbase.h"

#include <QMessageBox>
#include <QStringList>
#include <functional>

namespace ov {

class TFileEditBaseFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TFileEditBaseFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TFileEditBaseFrm() override;

    // ---- virtual operations, continuing the base list ----
    virtual void InitLangStrings();
    // Starts editing; 1 when editing started, 0 when not. The base waits 100 ms, keeps the name
    // and the file type and returns 0; it does not keep the key.
    virtual int Edit(std::int64_t FileKey, const QString& FileName, const QString& FileExt);
    // Saves and uploads; 1 when the server stored the new version. Error: the notes.
    virtual int SaveAndUpload(QString& Error);
    virtual void CancelEdit();

    std::int64_t FileKey() const { return FFileKey; }
    QString EditFileName() const { return FEditFileName; }
    QString SourceFileName() const { return FSourceFileName; }
    QString Notes() const { return FNogList.join(u"\r\n"); }
    // Where a refused upload is copied, in order; tests point them elsewhere.
    QStringList BackupFolders;
    // Answers of the message boxes (tests replace them): the question's answer, and the boxes
    // shown.
    std::function<QMessageBox::StandardButton(const QString& text)> AskYesNo;
    std::function<void(const QString& text, QMessageBox::Icon icon)> ShowMessage;

protected:
    // A close while server work runs is refused: the form's owner frees it on close, and the
    // work's result still has to reach it.
    void closeEvent(QCloseEvent* event) override;
    // Runs server work on a worker while the form waits (and refuses to close).
    template <class Result>
    Result RunServerWork(std::function<Result()> work) {
        ++FBusy;
        Result result = RunEditWork<Result>(std::move(work));
        --FBusy;
        return result;
    }

    void AddNote(const QString& Text) { FNogList.append(Text); }
    bool DownloadEditFile();
    bool UploadEditFile(const QString& FileName);
    // The release of a cancel; with eraseRecord a release answered 1 erases the check-out record.
    // True when the server answered 1.
    bool UnlockEditFile(bool eraseRecord = true);
    void LockEditFile();
    QString GetBackupFolder() const;
    EditServer Server(int readTimeoutMs = 0) const;
    // A message box owned by the form, captioned WLS_Hint.
    void Message(const QString& text, QMessageBox::Icon icon);
    void ShowErrorMessage(const QString& text) override;
    // Closes the form once the handler that asks for it has returned (its owner may free it on
    // close).
    void CloseLater();
    // The tool bar's "save and upload": uploads, tells doneText and closes, or shows the error.
    void SaveUploadAndClose(const QString& doneText);
    // The tool bar's "cancel": on a yes to question the edit is cancelled and the form closes.
    void ConfirmCancelAndClose(const QString& question);
    // The last upload's backup copy when it was not stored (empty when none was made).
    QString FLastBackupPath;
    bool FLastBackupOk = false;

    QString WLS_Edit, WLS_IsUpload, WLS_InWriteAudit, WLS_Audit, WLS_UplaodError2,
        WLS_DownloadOK, WLS_Cancel, WLS_KeptLocal, WLS_BackupFailed;
    std::int64_t FFileKey = 0;
    std::int32_t FFileType = 0;
    QString FIniFilePath;
    QString FSourceFileName;
    QString FEditFileName;
    QStringList FNogList;
    int FBusy = 0;
};

}  // namespace ov
