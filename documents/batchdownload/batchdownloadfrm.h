#pragma once
// The batch download dialog: a list of server files into one local folder. The downloads run
// one after the other on a worker; each result becomes a row of the log window, and the keys of
// the files that arrived are collected in `FileKey` ("12,34,"). Cancel stops the list after the
// file in hand (whose old local copy is put back); the dialog closes once the run has ended.

#include "core/types.h"
#include "documents/batchdownload/batchentries.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ov {

class THintFrmXe;
class TTitleBar;

class TBatchDownloadFrm : public QDialog {
    Q_OBJECT
public:
    // The language, the server and the download folder come from the settings.
    explicit TBatchDownloadFrm(QWidget* parent = nullptr);
    ~TBatchDownloadFrm() override;

    // The log window; set before `Init`.
    void SetHintForm(THintFrmXe* hintForm) { PHintFrm = hintForm; }
    void Init(const QStringList& KeysStr, const QStringList& NamesStr);
    QString FileKey() const { return FFileKey; }
    bool IsRunning() const { return FRunning; }

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    TTitleBar* Image3 = nullptr;  // title bar (Label2) with the close picture Image7
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btPathSelect = nullptr;
    QPushButton* btSetDownloadPath = nullptr;
    QCheckBox* cbOpenFile = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* btConfirm = nullptr;
    QPushButton* btCancel = nullptr;

signals:
    // The run is over (the dialog closes right after).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadTexts();
    void CreateWidgets();
    void LayOut();
    void btPathSelectClick();
    void btSetDownloadPathClick();
    void btConfirmClick();
    void btCancelClick();
    void NextFile(size_t index);
    void FileDone(size_t index, const QString& target, bool ok, const QString& error);
    void ShowCount();
    void Finish();
    void OpenResult();
    void AddLog(const QString& name, const QString& text);

    QString WLS_DownloadNum, WLS_DownlandFile, WLS_OpenFailed, WLS_Hint, WLS_SelPath,
        WLS_SelPath2, WLS_Dowload, WLS_OpenPath, WLS_NoName;
    THS_Language FHS_Language = HSL_NONE;
    std::vector<TBatchEntry> FEntries;
    QString FFolder, FFileKey, FLastTarget, FLastError, FFirstArrived;
    int FArrived = 0;
    size_t FIndex = 0;
    bool FOpenFile = false;
    bool FRunning = false;
    bool FCloseAfterRun = false;
    THintFrmXe* PHintFrm = nullptr;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
