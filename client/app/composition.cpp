#include "client/app/composition.h"

#include <QApplication>
#include <QPointer>
#include <memory>

#include "client/batch/batchwindow.h"
#include "client/editmonitor/editorguidefrm.h"
#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "client/filemanager/filemagfrm.h"
#include "client/login/loginflow.h"
#include "client/mainwindow/mainwindow.h"
#include "client/serverdialogs/messagenoticefrm.h"
#include "client/serverdialogs/passwordfrm.h"
#include "client/serverdialogs/serverhostfrm.h"
#include "client/viewerchoice/viewerchoice.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "documents/batchdownload/batchdownloadfrm.h"
#include "documents/capture/twainxefrm.h"
#include "documents/editing/officefileedit.h"
#include "documents/editing/textfileedit.h"
#include "documents/uploads/uploaddragfilesfrm.h"
#include "documents/preview/previewbase.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/showdifffrm.h"
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

void UseBatchDownload(TWebModule& module, THintFrmXe& log) {
    module.Forms().BatchDownload = [&module, &log](const QStringList& keys,
                                                   const QStringList& names) {
        auto* dialog = new TBatchDownloadFrm(module.MainFrm());
        dialog->SetHintForm(&log);
        dialog->Init(keys, names);
        if (module.ExecModal)
            module.ExecModal(*dialog);
        else
            dialog->exec();
    };
}

void UseClipboardUpload(TWebModule& module) {
    // One window for the process, made on the first command and reused (its log grows).
    auto form = std::make_shared<QPointer<TUploadDragFilesFrm>>();
    module.Forms().UploadFiles = [&module, form](std::int32_t ownerId, std::int64_t folderId) {
        if (form->isNull()) {
            *form = new TUploadDragFilesFrm(module.MainFrm());
            (*form)->setWindowFlag(Qt::Window);
        }
        TUploadDragFilesFrm* f = form->data();
        f->SetDestOwnerId(ownerId);
        f->SetDestFolderId(folderId);
        f->show();
        f->raise();
        f->Uplad();
    };
}

void UseScanUpload(TWebModule& module) {
    // One capture window for the process (scanners only), made on the first command.
    auto form = std::make_shared<QPointer<TTwainXeFrm>>();
    module.Forms().ScanUpload = [&module, form](std::int32_t ownerId, std::int64_t folderId) {
        if (form->isNull()) {
            *form = new TTwainXeFrm(module.MainFrm());
            (*form)->setWindowFlag(Qt::Window);
            (*form)->plUpload->show();
        }
        TTwainXeFrm* f = form->data();
        f->UploadOwnerId = ownerId;
        f->UploadFolderId = folderId;
        f->show();
        f->raise();
    };
}

void ConnectLogin(TQUEXClientFrm& mainForm, TLoginFlow& login) {
    mainForm.Hooks().LoginOnActivate = [&login] { login.LoginOnActivate(); };
    mainForm.Hooks().LoginFromMenu = [&login] { login.tnLogin(); };
    QObject::connect(&login, &TLoginFlow::loginFinished, &login,
                     [&login](bool isLogin) { logOutcome(login, isLogin); });
}

void ConnectBatch(TQUEXClientFrm& mainForm, TBatchFileDealMainFrm& batch) {
    mainForm.SetBatchPanel(&batch);
    TMainFrmHooks& hooks = mainForm.Hooks();
    hooks.BatchToFront = [&batch] { batch.ToFront(); };
    hooks.BatchStartAll = [&batch] { batch.UMRobotStartAll(); };
    hooks.BatchUnOverTaskNum = [&batch] { return batch.UnOverTaskNum(); };
    hooks.BatchAppendTaskCmd = [&batch](const QString& cmd) {
        batch.SetBatchTaskCmd(cmd);
        batch.AppendTask();
    };
    hooks.BatchAppendTask = [&batch](const TBatchTransport& task) { batch.AppendTask(task); };
    // The workers end, and every task's state is saved, while the program can still process
    // events.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &batch, [&batch] { batch.Shutdown(); });
}

void ConnectFileManager(TQUEXClientFrm& mainForm, TFileMagFrm& panel, TWebModule& module) {
    mainForm.SetFileManagerPanel(&panel);
    mainForm.Hooks().FileManagerInit = [&panel] { panel.Init(); };
    mainForm.Hooks().FileManagerToFront = [&panel] { panel.ToFront(); };
    mainForm.Hooks().FileManagerSelectOwner = [&panel] { panel.UMSelectedOwner2(); };
    panel.Slots().OnBatchFileDeal = [&mainForm](const TBatchTransport& task) {
        mainForm.FileMagBatchFileDeal(task);
    };
    panel.Slots().RunWebCmd = [&module](quint8 code, const QString& cmd) {
        module.Execute(TWebCmd{code, cmd});
    };
}

// Check-out, check-in and the folder comparison of the file manager are the version-control
// windows; the settings folder of the panel is the one the windows use.
void ConnectVersionForms(TFileMagFrm& panel, TVersionWindows& windows) {
    panel.Slots().Checkout = [&windows](const QStringList& keys, const QStringList& names,
                                        const QString&) { windows.Checkout(keys, names); };
    panel.Slots().Checkin = [&windows](const QStringList& keys, const QStringList& names,
                                       const QString&) { windows.Checkin(keys, names); };
    panel.Slots().ShowDiff = [&panel](std::int32_t ownerId, std::int64_t folderId,
                                      const QString& appPath) {
        auto* form = new TShowDiffFrm(&panel);  // frees itself when closed
        form->Init(ownerId, folderId, appPath);
        form->show();
    };
}

void ConnectServerDialogs(TQUEXClientFrm& mainForm) {
    mainForm.Hooks().ShowServerHostDialog = [&mainForm] {
        TSetServerHostFrm dialog(&mainForm);
        dialog.exec();
    };
    mainForm.Hooks().ShowPasswordDialog = [&mainForm] {
        TUpdateUserPasswordFrm dialog(&mainForm);
        dialog.exec();
    };
    mainForm.Hooks().CreateMessageNotice = [&mainForm](QWidget* parent) -> QWidget* {
        return new TMessageNoticeFrm(
            [&mainForm](int choice) { mainForm.HandleMessage(UM_SET_MSG_TYPE, 0, choice); },
            parent);
    };
}

TOvClient::TOvClient(const TWebPages& webPages)
    : m_versionLog(std::make_unique<THintFrmXe>()),
      m_mainForm(std::make_unique<TQUEXClientFrm>()),
      m_webModule(new TWebModule(m_mainForm.get())),
      m_login(new TLoginFlow(loginHostOf(*m_mainForm), m_mainForm.get())),
      m_batch(new TBatchFileDealMainFrm(GlobalConfig()->SysLanguage(), {},
                                        m_mainForm->workArea())),
      m_fileManager(new TFileMagFrm),
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
    UseBatchDownload(*m_webModule, *m_versionLog);
    UseClipboardUpload(*m_webModule);
    UseScanUpload(*m_webModule);
    ConnectWebCommands(*m_mainForm, *m_webModule);
    ConnectLogin(*m_mainForm, *m_login);
    ConnectEditMonitor(*m_mainForm, *m_editMonitor);
    ConnectBatch(*m_mainForm, *m_batch);
    ConnectFileManager(*m_mainForm, *m_fileManager, *m_webModule);
    ConnectVersionForms(*m_fileManager, *m_versionWindows);
    m_fileManager->Slots().EditProperties = webPages.EditFileProperties;
    ConnectServerDialogs(*m_mainForm);
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
