#pragma once
// The one place that creates the parts of the running instance and connects them: the main
// window, the web-command dispatcher, the login and the windows the commands open. Parts meet
// only here, through the slot tables they offer (TMainFrmHooks, TLoginHost, TWebForms); no part
// creates another or registers itself with it.

#include <memory>

namespace ov {

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

// The first activation of the window logs in, and the tools menu's "系统登录" logs in again.
void ConnectLogin(TQUEXClientFrm& mainForm, TLoginFlow& login);

// The parts of the running instance. The main window owns the others (as Qt children).
class TOvClient {
public:
    TOvClient();
    ~TOvClient();

    // Makes the main window findable by other processes, queues a command file that is
    // already there (this start's own, or one nobody took) and shows the window.
    void Start();

    TQUEXClientFrm& MainForm() const { return *m_mainForm; }
    TWebModule& WebModule() const { return *m_webModule; }
    TLoginFlow& Login() const { return *m_login; }
    // The version-control log window, made hidden at start-up and only hidden when closed.
    THintFrmXe& VersionLog() const { return *m_versionLog; }

private:
    std::unique_ptr<THintFrmXe> m_versionLog;
    std::unique_ptr<TQUEXClientFrm> m_mainForm;
    TWebModule* m_webModule;
    TLoginFlow* m_login;
    // Windows of their own (no owner), as the monitor and its hint window are.
    std::unique_ptr<THintFrm2> m_editHint;
    std::unique_ptr<TShowEditInfoFrm> m_editMonitor;
    std::unique_ptr<TVersionWindows> m_versionWindows;
};

}  // namespace ov
