#include "client/app/composition.h"

#include <QPointer>
#include <memory>

#include "client/login/loginflow.h"
#include "client/mainwindow/mainwindow.h"
#include "client/viewerchoice/viewerchoice.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "documents/batchdownload/batchdownloadfrm.h"
#include "documents/capture/twainxefrm.h"
#include "documents/uploads/uploaddragfilesfrm.h"
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

TOvClient::TOvClient()
    : m_versionLog(std::make_unique<THintFrmXe>()),
      m_mainForm(std::make_unique<TQUEXClientFrm>()),
      m_webModule(new TWebModule(m_mainForm.get())),
      m_login(new TLoginFlow(loginHostOf(*m_mainForm), m_mainForm.get())) {
    TWebModule* module = m_webModule;
    m_versionWindows = std::make_unique<TVersionWindows>(
        m_mainForm.get(), m_versionLog.get(), module->ClientPath(), [module](QDialog& dialog) {
            return module->ExecModal ? module->ExecModal(dialog) : dialog.exec();
        });
    UseViewerPreview(*m_webModule);
    UseVersionControl(*m_webModule, *m_versionWindows);
    UseBatchDownload(*m_webModule, *m_versionLog);
    UseClipboardUpload(*m_webModule);
    UseScanUpload(*m_webModule);
    ConnectWebCommands(*m_mainForm, *m_webModule);
    ConnectLogin(*m_mainForm, *m_login);
}

TOvClient::~TOvClient() = default;

void TOvClient::Start() {
    m_mainForm->ListenOnBus();
    // Later starts wait for the command file to be gone before they write theirs.
    m_webModule->TakeCommandFile();
    m_mainForm->ShowMainFrm();
}

}  // namespace ov
