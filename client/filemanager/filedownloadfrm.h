#pragma once
// The download dialog: the ticked server files go into a local folder (proposed from the
// working root and the first file's server path). Transfers run on a worker; the log lists
// each file's outcome, and the dialog closes by itself when all succeeded.

#include <QDialog>

#include "client/filemanager/serverlink.h"
#include "core/types.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace ov {

class TTransferJob;

// The local name of a server file: its last path component; "" (refused) for "", "." and "..".
QString SafeLocalName(const QString& serverName);
// A typed save path in its usable form: "\" as "/", doubled separators single, a trailing "/".
QString NormalizeSavePath(const QString& path);
// The proposed folder: the working root and the server path's folders (each a safe name).
QString ProposedSavePath(const QString& workRoot, const QString& serverPath);

class TFileDownloadFrm : public QDialog {
    Q_OBJECT
public:
    explicit TFileDownloadFrm(QWidget* parent = nullptr);
    ~TFileDownloadFrm() override;

    void Init(const TSelectedInfos& SelectedInfo);
    void BtDownloadClick();
    // The folder picker; tests replace it.
    std::function<QString(const QString& start)> PickFolder;
    int ErrorCount() const { return FErrors; }
    bool IsBusy() const;

    QWidget *PlDownload, *PlHint;
    QLineEdit* EdtPath;
    QPushButton *BtSelectPath, *BtDownload, *BtCancel, *BtCancel2;
    QLabel *lbFileName, *lbSize;
    QProgressBar* ProgressBar1;
    QPlainTextEdit* MmHint;

signals:
    void downloadsFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadTexts();
    bool CheckSavePath(QString& path);
    void DownloadNext();
    void ShowProgress(qint64 allSize, qint64 doneSize);

    TServerLink FLink;
    TTransferJob* FJob;
    TSelectedInfos FItems;
    QString FPath;
    qsizetype FIndex = 0;
    int FErrors = 0;
    bool FMayClose = false;
    QString WLS_Hint, WLS_DownloadOK, WLS_SelPath, WLS_IsNewPath, WLS_NewPathErr, WLS_AllOK;
};

}  // namespace ov
