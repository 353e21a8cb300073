#include "client/app/composition.h"

#include <memory>

#include "client/editmonitor/editorguidefrm.h"
#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "client/login/loginflow.h"
#include "client/mainwindow/mainwindow.h"
#include "client/viewerchoice/viewerchoice.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "documents/editing/officefileedit.h"
#include "documents/editing/textfileedit.h"
#include "documents/preview/previewbase.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/versionwindows.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// What the login needs of the main window.
TLoginHost loginHostOf(TQUEXClientFrm& form) {
    TLoginHost host;
    host.window = &form;
    host.setLogin = [&form](bool loggedIn) { form.SetLogin(loggedIn); };
    host.setUserInfoText = [&form](const QString& text) { form.SetUserInfoText(text); };
    host.setServer = [&form](const TLoginServer& server) {
        form.SetLoginServer(server.host, server.port, server.ssl);
    };
    host.clearClipboardCmd = [] { TQUEXClientFrm::ClearClipboardCmd(); };
    host.loadServerConfig = [&form](int userId) { form.LoadServerConfig(userId); };
    host.postRun = [&form] { form.PostRun(); };
    return host;
}

void logOutcome(const TLoginFlow& flow, bool isLogin) {
    const TLoginServer server = flow.Server();
    if (isLogin)
        qInfo("OvClient: logged in as \"%s\" at %s:%d%s",
              qUtf8Printable(GlobalConfig()->UserName()), qUtf8Printable(server.host), server.port,
              server.ssl ? " (TLS)" : "");
    else
        qInfo("OvClient: not logged in");
}

// The dispatcher's context as the preview sees it.
class WebPreviewHost : public PreviewHost {
public:
    explicit WebPreviewHost(TWebModule& module) : m_module(module) {}
    QWidget* mainWindow() const override { return m_module.MainFrm(); }
    TPreViewHint* hintWindow() const override { return m_module.HintOfPreviewFrm(); }
    QRect lastPreviewRect() const override { return m_module.LastPreviewRect(); }
    THS_Language language() const override { return m_module.Language(); }
    QString clientPath() const override { return m_module.ClientPath(); }
    // A previewer is released by closing its viewer and deleting its copy; any other window
    // is only freed.
    void addForm(QWidget* form) override {
        if (auto* preview = dynamic_cast<TPreviewBaseFrm*>(form))
            m_module.FrmList().AddPreview(preview);
        else
            m_module.FrmList().Add(form, {});
    }

private:
    TWebModule& m_module;
};

}  // namespace

void ConnectWebCommands(TQUEXClientFrm& mainForm, TWebModule& module) {
    mainForm.Hooks().TakeWebCmdFile = [&module] { module.TakeCommandFile(); };
    mainForm.Hooks().RunWebCmd = [&module] { module.RunQueuedCommand(); };
}

void UseViewerPreview(TWebModule& module) {
    auto host = std::make_shared<WebPreviewHost>(module);
    module.Forms().Preview = [host](const QString& cmd) { return DoPreview(cmd, *host); };
}

// The editor is shown before it is placed and fills its file; its command bar shows.
template <class Editor>
void RunEditor(TWebModule& module, std::int64_t key, const QString& name, const QString& ext) {
    auto* editor = new Editor(module.MainFrm(), kViewerWindowFlags);
    editor->show();
    module.ShowAsWindow(editor, name);
    editor->Toolbar()->show();
    editor->Edit(key, name, ext);
    editor->ClientMax2();
}

void UseEditors(TWebModule& module) {
    module.Forms().TextEditor = [&module](std::int64_t key, const QString& name,
                                          const QString& ext) {
        RunEditor<TTextFileEditFrm>(module, key, name, ext);
    };
    module.Forms().OfficeEditor = [&module](std::int64_t key, const QString& name,
                                            const QString& ext) {
        RunEditor<TOfficeFileEditFrm>(module, key, name, ext);
    };
}

void ConnectEditMonitor(TQUEXClientFrm& mainForm, TShowEditInfoFrm& monitor) {
    mainForm.Hooks().EditFile = [&monitor](const QString& cmd, bool mainFrmWasVisible) {
        monitor.SetMainfrmVisible(mainFrmWasVisible);
        monitor.show();
        monitor.EditFile(cmd);
        monitor.raise();
    };
    mainForm.Hooks().ShowEditorGuide = [&mainForm] {
        (new TEditorGuideFrm(mainForm.Language(), &mainForm))->show();
    };
    monitor.CloseMainWindow = [&mainForm] { mainForm.close(); };
}

void UseVersionControl(TWebModule& module, TVersionWindows& windows) {
    TWebForms& forms = module.Forms();
    forms.SetWorkPath = [&windows](std::int64_t folderId) { windows.SetWorkPath(folderId); };
    forms.GetNewVer = [&windows](std::int32_t ownerId, std::int64_t folderId) {
        windows.GetNewVer(ownerId, folderId);
    };
    forms.Checkout = [&windows](const QStringList& keys, const QStringList& names) {
        windows.Checkout(keys, names);
    };
    forms.CancelCheckout = [&windows](const QStringList& keys, const QStringList& names) {
        windows.CancelCheckout(keys, names);
    };
    forms.Checkin = [&windows](const QStringList& keys, const QStringList& names) {
        windows.Checkin(keys, names);
    };
}

void ConnectLogin(TQUEXClientFrm& mainForm, TLoginFlow& login) {
    mainForm.Hooks().LoginOnActivate = [&login] { login.LoginOnActivate(); };
    mainForm.Hooks().LoginFromMenu = [&login] { login.tnLogin(); };
    QObject::connect(&login, &TLoginFlow::loginFinished, &login,
                     [&login](bool isLogin) { logOutcome(login, isLogin); });
}

TOvClient::TOvClient()
    : m_versionLog(std::make_unique<THintFrmXe>()),
      m_mainForm(std::make_unique<TQUEXClientFrm>()),
      m_webModule(new TWebModule(m_mainForm.get())),
      m_login(new TLoginFlow(loginHostOf(*m_mainForm), m_mainForm.get())),
      m_editHint(std::make_unique<THintFrm2>()),
      m_editMonitor(std::make_unique<TShowEditInfoFrm>(m_editHint.get())) {
    TWebModule* module = m_webModule;
    m_versionWindows = std::make_unique<TVersionWindows>(
        m_mainForm.get(), m_versionLog.get(), module->ClientPath(), [module](QDialog& dialog) {
            return module->ExecModal ? module->ExecModal(dialog) : dialog.exec();
        });
    UseViewerPreview(*m_webModule);
    UseEditors(*m_webModule);
    UseVersionControl(*m_webModule, *m_versionWindows);
    ConnectWebCommands(*m_mainForm, *m_webModule);
    ConnectLogin(*m_mainForm, *m_login);
    ConnectEditMonitor(*m_mainForm, *m_editMonitor);
}

// The monitor and its hint window go before the main window whose hooks reach them.
TOvClient::~TOvClient() {
    m_mainForm->Hooks().EditFile = {};
    m_editMonitor.reset();
    m_editHint.reset();
}

void TOvClient::Start() {
    m_mainForm->ListenOnBus();
    // Later starts wait for the command file to be gone before they write theirs.
    m_webModule->TakeCommandFile();
    m_mainForm->ShowMainFrm();
}

}  // namespace ov
