#pragma once
// "Get old versions": the versions of one server file that a page asks for, downloaded into a
// local folder the user confirms (the folder mapped to the file's server folder is proposed).
// A local file of the same name is first renamed with a time stamp; each version's outcome
// becomes a row of the version-control log window. Transfers run on a worker; cancel stops the
// one in hand after its chunk and the versions still to come.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/versionui.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <QVector>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ov {
class TTitleBar;
}  // namespace ov

namespace ov::control {

class TGetOldVerFrm : public QDialog {
    Q_OBJECT
public:
    // The working root, the server and the language come from the settings.
    explicit TGetOldVerFrm(QWidget* parent = nullptr);
    ~TGetOldVerFrm() override;

    // Key, name and the settings folder; the versions as "3,-1". Asks the server for the
    // file's folder and proposes its local folder; raises when the server cannot be asked.
    void Init(const QString& FileName, const QString& VersionIdTxt, const QString& IniFilePath,
              std::int64_t FileKey);

    void SetHintForm(THintFrmXe* form) { PHintFrm = form; }
    bool IsUkDownload = false;
    bool ShowDownloadMsg = false;
    std::uint8_t Succeed() const { return FSucceed; }
    QString UkErrorStr() const { return FUkErrorStr; }
    const QVector<std::int32_t>& VersionIds() const { return FVersionIds; }

    TVersionUi Ui = DefaultVersionUi();
    // The time of the stamp that keeps a local file (tests fix it).
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    TServerAccess Access = TServerAccess::FromSettings();

    TTitleBar* Image1 = nullptr;  // title bar (lbTitle) with the close picture Image3
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lbSize = nullptr;
    QPushButton* btConfirm = nullptr;
    QPushButton* btCancel = nullptr;

signals:
    // Every version has been handled (the dialog closes right after).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadTexts();
    void CreateWidgets();
    void LayOut();
    void Button1Click();
    void btConfirmClick();
    void btCancelClick();
    void NextVersion(int index);
    void Outcome(const QString& target, std::uint8_t code, const QString& error);
    void Finish();
    void Progress(qint64 all, qint64 done);
    void AddLog(const QString& name, const QString& text);

    QString WLS_SelFolder, WLS_Hint, WLS_GetOK, WLS_Cancel, WLS_GetFileOK, WLS_GetFileError;
    std::int64_t FFileKey = 0;
    QString FFileName, FIniFilePath, FFileRoot, FFolder;
    QVector<std::int32_t> FVersionIds;
    THS_Language FHS_Language = HSL_NONE;
    std::uint8_t FSucceed = 0;
    QString FUkErrorStr;
    bool FRunning = false;
    QPointer<THintFrmXe> PHintFrm;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov::control
