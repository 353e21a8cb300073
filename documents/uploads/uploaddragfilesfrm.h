#pragma once
// "Upload Clipboard Files": the files a file manager copied go one after the other into one
// server folder, on a worker, with a progress bar, the current file, a running count and a log
// line per file. A second call while a list runs takes nothing (the clipboard stays as it is).

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>

class QClipboard;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace ov {

class TUploadDragFilesFrm : public QWidget {
    Q_OBJECT
public:
    // The language and the server come from the settings.
    explicit TUploadDragFilesFrm(QWidget* parent = nullptr);
    ~TUploadDragFilesFrm() override;

    void SetDestOwnerId(std::int32_t id) { FDestOwnerId = id; }
    void SetDestFolderId(std::int64_t id) { FDestFolderId = id; }
    // Takes the files from the clipboard and uploads them.
    void Uplad();
    void Uplad(QClipboard* clipboard);
    bool IsRunning() const { return FRunning; }

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    QLabel* lbCurrent = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lbT = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

signals:
    // The list is done.
    void finished();

private:
    void LoadTexts();
    void CreateWidgets();
    void UploadList();
    void NextFile(int index);
    void FileDone(int index, const QString& message);

    QString WLS_Hint, WLS_NoFile, WLS_CurrentFile, WLS_UploadErr, WLS_UploadOk, WLS_ErrorNum,
        WLS_NumDesc, WLS_SizeIsZero;
    THS_Language FHS_Language = HSL_NONE;
    std::int32_t FDestOwnerId = 0;
    std::int64_t FDestFolderId = 0;
    QStringList PFileList;
    int FFailed = 0;
    bool FRunning = false;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
