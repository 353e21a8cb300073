#pragma once
// The check-out dialog, and the runs of cancel check-out and check-in over a list of files.
// Every outcome becomes a row of the log: in the process's log window, or in the window that
// started the run (SetHandle), which is also told to reload its lists at the end.
//
// All server work runs on a worker; the dialog hides while a run goes on and closes (and frees
// itself) at its end.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionsteps.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ov {

class THintFrmXe;
class TTitleBar;
class TVersionLogSink;
struct TLockStep;

class TVersionControlFrm : public QDialog {
    Q_OBJECT
public:
    // The language, the server and the folders come from the settings.
    explicit TVersionControlFrm(QWidget* parent = nullptr);
    ~TVersionControlFrm() override;

    // The files (keys in decimal and names, in matching order) and the settings folder. The
    // target folder is looked up (mapping of the first file's server folder, else the last
    // check-out folder, else the work root); `ready` follows.
    void Init(const QStringList& KeysStr, const QStringList& NamesStr, const QString& IniFilePath);
    // Shows the folder and keeps it as the settings' last check-out folder.
    void SetCheckoutPath(const QString& Path);
    // The window that gets the log rows instead of the log window (nullptr: none).
    void SetHandle(TVersionLogSink* sink) { FOtherFormHandle = sink; }
    void SetHintForm(THintFrmXe* hintForm);
    // Shows the check-out dialog modally through `exec` (QDialog::exec when none). It returns
    // when the dialog hides for its run (or is cancelled); the run goes on, and the dialog
    // frees itself at its end (at once when there is no run).
    int ShowModalRun(const std::function<int(QDialog&)>& exec = nullptr);
    // Starts the runs; `finished` gives their result (1 when at least one file was released,
    // or stored or sent to audit), then the dialog closes.
    void CancelCheckout();
    void BathCheckin();
    bool DelCheckoutPath(std::int64_t FileKey);
    // Whether a run goes on (its end comes with `finished`).
    bool Running() const { return m_running; }
    // 1 when the last check-out run checked out at least one file.
    std::uint8_t Succeed() const { return FSucceed; }

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();

    TTitleBar* Image1 = nullptr;  // title bar (lbtitle) with the close picture Image3
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;  // overwrite the local file
    QRadioButton* RadioButton2 = nullptr;  // keep local changes
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;  // open the file afterwards
    QPushButton* btSelect = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btOk = nullptr;
    QCheckBox* chbSaveAsDefault = nullptr;

signals:
    void ready();
    void finished(std::uint8_t result);

private:
    struct TFileRun {
        int Index = 0;
        std::int64_t Key = 0;
        QString Name;
        QString Local;
    };

    void FormCreate();
    void CreateWidgets();
    void LayOut();
    void LoadTexts();
    void ShowResolved(const QString& reply);
    void btOkClick();
    void btSelectClick();
    void AddVersionLog(const QString& Name, const QString& Text);
    void NextCheckout(int index);
    void OnLocked(const TFileRun& file, const TLockStep& step);
    bool AskReplace(const TLockStep& step, const QString& local);
    void OnFetched(const TFileRun& file, const TStepResult& result);
    void FailCheckout(const TFileRun& file, const QString& error, bool release);
    void FinishCheckout();
    void FinishRun(std::uint8_t result);
    TLogRow PostedLog();
    TVersionTexts Texts() const;

    QString WLS_Replace, WLS_Hint, WLS_SelFolder, WLS_OpenFailed, WLS_CheckOut, WLS_CancelCheckOut,
        WLS_Modify, WLS_Missing, WLS_CheckIn, WLS_BadName;
    QString FFileRoot, FLastCheckoutPath, FIniFilePath;
    QStringList FKeysStr, FNamesStr;
    QString FTarget;
    bool FOpenAfter = false;
    TVersionLogSink* FOtherFormHandle = nullptr;
    std::uint8_t FSucceed = 0;
    bool m_running = false;
    QPointer<THintFrmXe> PHintFrm;
    THS_Language FHS_Language = HSL_NONE;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov
