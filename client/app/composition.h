#pragma once
// The one place that creates the parts of the running instance and connects them: the main
// window, the web-command dispatcher, the login and the windows the commands open. Parts meet
// only here, through the slot tables they offer (TMainFrmHooks, TLoginHost, TWebForms); no part
// creates another or registers itself with it.

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace ov {

class TBatchFileDealMainFrm;
class TFileMagFrm;
class THintFrm2;
class THintFrmXe;
class TLoginFlow;
class TShowEditInfoFrm;
class TQUEXClientFrm;
class TVersionWindows;
class TWebModule;

// The dispatcher runs on the main window's work tick: it takes "WebCmd.txt" there (and when a
// second start brings the window to the front) and carries out one command per tick.
void ConnectWebCommands(TQUEXClientFrm& mainForm, TWebModule& module);

// Code 13 goes to the viewer choice, with the dispatcher as the preview's host: its main
// window, hint window, remembered rectangle, language, folder and window list.
void UseViewerPreview(TWebModule& module);

// Code 15's editors: the Office editor for Office and WPS documents, the text editor for "txt"
// files; each a window of the main window listed by the dispatcher.
void UseEditors(TWebModule& module);

// The main window's clipboard poll hands edit commands to the online-edit monitor (and shows
// the editing guide); a stored upload of an edit that began while the main window was hidden
// closes it again.
void ConnectEditMonitor(TQUEXClientFrm& mainForm, TShowEditInfoFrm& monitor);

// Codes 16 to 20 open the version-control windows (working folder, latest versions, check-out,
// cancel, check-in), which report to the process's one log window. Their modal dialogs run
// through the dispatcher's ExecModal.
void UseVersionControl(TWebModule& module, TVersionWindows& windows);

// Code 25 downloads a list of files with the batch download dialog, which logs into the
// version-control log window.
void UseBatchDownload(TWebModule& module, THintFrmXe& log);

// Code 22 uploads the clipboard's files with the one clipboard-upload window of the process.
void UseClipboardUpload(TWebModule& module);

// Code 21 shows the one capture window of the process for scanning into a folder.
void UseScanUpload(TWebModule& module);

// The first activation of the window logs in, and the tools menu's "系统登录" logs in again.
void ConnectLogin(TQUEXClientFrm& mainForm, TLoginFlow& login);

// The batch window lives in the main window's work area; the main window starts the saved
// tasks after the login, brings the window to the front and hands it new tasks.
void ConnectBatch(TQUEXClientFrm& mainForm, TBatchFileDealMainFrm& batch);
// The file manager panel docks in the main window's work area: the window's hooks load it,
// bring it to the front and select the user's own owner; its batch tasks go to the window and
// its previews to the dispatcher. Check-out, check-in and differences are its slots
// (TFileMagSlots), filled by ConnectVersionForms.
void ConnectFileManager(TQUEXClientFrm& mainForm, TFileMagFrm& panel, TWebModule& module);

// The file manager's check-out and check-in open the version-control windows; its comparison
// opens a comparison window of the chosen folder.
void ConnectVersionForms(TFileMagFrm& panel, TVersionWindows& windows);

// The windows that show a web page. They come from a library of their own (client/webpages)
// that only the program links, so that whatever else uses the client does not load the web
// engine; left empty, an upload offers no property page.
struct TWebPages {
    // Edits an upload's property text on the server's property page; true when confirmed.
    std::function<bool(QWidget* parent, QString& properties)> EditFileProperties;
};

// The tools menu's server and password dialogs, and the notice that a message poll that finds
// messages shows (its snooze choice goes back to the window as message 0x501).
void ConnectServerDialogs(TQUEXClientFrm& mainForm);

// The parts of the running instance. The main window owns the others (as Qt children).
class TOvClient {
public:
    explicit TOvClient(const TWebPages& webPages = {});
    ~TOvClient();

    // Makes the main window findable by other processes, queues a command file that is
    // already there (this start's own, or one nobody took) and shows the window.
    void Start();

    TQUEXClientFrm& MainForm() const { return *m_mainForm; }
    TWebModule& WebModule() const { return *m_webModule; }
    TLoginFlow& Login() const { return *m_login; }
    TFileMagFrm& FileManager() const { return *m_fileManager; }
    // The version-control log window, made hidden at start-up and only hidden when closed.
    THintFrmXe& VersionLog() const { return *m_versionLog; }

private:
    std::unique_ptr<THintFrmXe> m_versionLog;
    std::unique_ptr<TQUEXClientFrm> m_mainForm;
    TWebModule* m_webModule;
    TLoginFlow* m_login;
    TBatchFileDealMainFrm* m_batch;
    TFileMagFrm* m_fileManager;
    // Windows of their own (no owner), as the monitor and its hint window are.
    std::unique_ptr<THintFrm2> m_editHint;
    std::unique_ptr<TShowEditInfoFrm> m_editMonitor;
    std::unique_ptr<TVersionWindows> m_versionWindows;
};

}  // namespace ov
