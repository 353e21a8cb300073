#pragma once
// "Get the latest version": brings a local working folder up to date with a server folder. The
// server lists the folder's files (with its sub-folders when asked) and every file whose local
// copy is missing or older is downloaded into the matching local folder; a newer local copy is
// replaced only when the user agrees (OK / All / Cancel). Rows go to the log window.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/newverlist.h"
#include "documents/versions/versionui.h"
#include "documents/versions/workpath.h"

#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

class THintFrmXe;
class TTitleBar;

class TGetNewVerFrm : public QDialog {
    Q_OBJECT
public:
    // The language, the server and the work root come from the settings.
    explicit TGetNewVerFrm(QWidget* parent = nullptr);
    ~TGetNewVerFrm() override;

    // The owner, the server folder and the settings folder; the local folder is looked up
    // (`ready` follows).
    void Init(std::int32_t OwnerId, std::int64_t FolderId, const QString& IniFilePath);
    // The log window; set before the dialog is confirmed.
    void SetHintForm(THintFrmXe* hintForm) { PHintFrm = hintForm; }

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    TTitleBar* Image1 = nullptr;  // title bar (lbTitle) with the close picture Image3
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;  // include sub-folders
    QPushButton* btPathSelect = nullptr;
    QPushButton* btConfirm = nullptr;
    QPushButton* btCancel = nullptr;

signals:
    void ready();
    // The run is over (the dialog closes right after).
    void finished();

private:
    void FormCreate();
    void LoadTexts();
    void CreateWidgets();
    void LayOut();
    void ShowResolved(const QString& reply);
    void btConfirmClick();
    void btPathSelectClick();
    bool EnsureFolder();
    void Run();
    void NextFile(int index);
    void Download(int index, const QString& local);
    void Finish();
    void AddLog(const QString& name, const QString& text);

    QString WLS_SelFolder, WLS_SelFolder2, WLS_Hint, WLS_ProcessOk, WLS_GetOK, WLS_NewFolder,
        WLS_NewFolderFailed, WLS_BadPath;
    QString FFileRoot, FIniFilePath, FPath;
    std::int32_t FOwnerId = 0;
    int FPathStep = 0;
    std::int64_t FFolderId = 0;
    bool FIsIncludeSubFolder = false;
    bool FIsReplaceAll = false;
    TFileInfoArray FFiles;
    std::optional<TLocalFolders> FFolders;
    QPointer<THintFrmXe> PHintFrm;
    THS_Language FHS_Language = HSL_NONE;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
