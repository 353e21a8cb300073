#pragma once
// The online-edit monitor: fetches the file of an edit command under the work root (with its
// check-out record), opens it in the desktop's application and watches it every 2 seconds.
// Once no program uses the file any more, a changed copy is uploaded as a new version of the
// server file and an unchanged one released; the outcome goes to the log and the hint window.
// A copy that disappears while watched is logged and no longer watched; its check-out record
// stays, so that a cancel of the check-out can still release the file.
//
// Server work runs on worker threads; the window stays live meanwhile.

#include "core/types.h"
#include "documents/editing/editserver.h"

#include <QDateTime>
#include <QList>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace ov {

class THintFrm2;

// One watched file.
struct TEditedFileInfo {
    std::int64_t FileKey = 0;
    QString FileName;        // the server's file name
    QString PathAndFile;     // the local copy
    QDateTime LastModifyTime;  // the copy's time as the download left it
};

class TShowEditInfoFrm : public QWidget {
    Q_OBJECT
public:
    // The hint window is the main window's (not owned).
    explicit TShowEditInfoFrm(THintFrm2* hint, QWidget* parent = nullptr);
    ~TShowEditInfoFrm() override;

    // Starts watching the file of the command ("[Key]", "[FileName]", optional "[VersionId]").
    void EditFile(const QString& cmd);
    void SetMainfrmVisible(bool visible) { FMainfrmVisible = visible; }

    QList<TEditedFileInfo> FileList() const { return FFileList; }
    QString Log() const;
    QString CurrentFileText() const;
    // One pass of the watch (what the 2-second timer runs).
    void Timer1Timer();

    // How the file is opened (the desktop's application by default), and how the main window
    // is closed after a stored upload while it was hidden; tests replace them.
    std::function<bool(const QString& path)> OpenDocument;
    std::function<void()> CloseMainWindow;
    // The rules' times, shortened by tests: a file is looked at only this long after the last
    // edit started; after a stored upload the monitor hides this much later.
    int SettleMs = 5000;
    int HideAfterUploadMs = 2100;
    int OpenWaitMs = 1000;
    // Whether X11 window titles count as "in use" (tests of files of this process turn it off).
    bool WatchWindowTitles = true;

signals:
    // After each EditFile and each pass that handled a file.
    void editFileFinished();
    void fileHandled(std::int64_t fileKey);

private:
    void InitLangStrings();
    void BuildForm();
    void AddMonitorLog(const QString& Name, const QString& Text);
    void ReadServer();
    EditServer Server(int readTimeoutMs = 0) const;
    bool DownloadAndOpen(TEditedFileInfo& info, int version);
    void FinishEditFile(const QString& path);
    bool HandleFile(int index);
    void ReleaseUnchanged(const TEditedFileInfo& info, const QDateTime& time);
    void UploadChanged(const TEditedFileInfo& info);
    void ShowOutcome(const QString& text, bool error);

    QTimer* FTimer1 = nullptr;
    QPlainTextEdit* FMemo1 = nullptr;
    QLabel* FLbFileName = nullptr;
    QLabel *FLbH0 = nullptr, *FLbH1 = nullptr, *FLbH2 = nullptr;
    THintFrm2* FHint;
    QString FWorkRoot, FUserIdStr, FIniFilePath, FServerHost;
    int FServerPort = 0;
    bool FIsSSL = false;
    QDateTime FLastTm;
    THS_Language ALanguage = HSL_NONE;
    QList<TEditedFileInfo> FFileList;
    bool FMainfrmVisible = true;
    bool FInPass = false;
    QString WLS_UpdateOk, WLS_UpdateError, WLS_NoChange, WLS_CurrentFile, WLS_DownloadOK,
        WLS_OpenOK, WLS_OpenFailed, WLS_Monitor, WLS_FileTime, WLS_LB0, WLS_LB1, WLS_LB2,
        WLS_UplaodError2, WLS_Audit, WLS_Missing, WLS_BadName;
};

}  // namespace ov
