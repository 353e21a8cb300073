#pragma once
// The working-folder dialog: the local folder of a server folder, kept in
// "workpath_record.ini"; for the root (folder id 0 or less) the settings' `WorkRoot`.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ov {

class TTitleBar;

class TSetCheckOutPathFrm : public QDialog {
    Q_OBJECT
public:
    // The language and the server come from the settings.
    explicit TSetCheckOutPathFrm(QWidget* parent = nullptr);

    // The root, the settings folder and the server folder. For a folder id above 0 the folder
    // shown is looked up on the server (`ready` follows); otherwise it is the root.
    void Init(const QString& FileRoot, const QString& IniFilePath, std::int64_t FolderId);

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    TTitleBar* Image3 = nullptr;  // title bar (Label2) with the close picture Image7
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btSelect = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

signals:
    // The folder is shown and the dialog may be confirmed.
    void ready();

private:
    void FormCreate();
    void ShowResolved(const QString& reply);
    void btOKClick();
    void btSelectClick();
    bool EnsureFolder();
    void Store();

    QString WLS_CheckPath, WLS_Hint, WLS_Restart, WLS_NewFolder, WLS_NewFolderFailed, WLS_WorkPath,
        WLS_SelectFolder, WLS_S, WLS_Confim, WLS_Cancel;
    QString FPath, FIniFilePath, FFileRoot;
    std::int64_t FFolderId = 0;
    THS_Language FHS_Language = HSL_NONE;
    TBackgroundCalls m_calls{this};
};

// Whether a folder typed or picked by the user may be used as a target: not empty and
// absolute (an empty text would mean the root of the file system).
bool IsUsableTargetFolder(const QString& folder);

}  // namespace ov
