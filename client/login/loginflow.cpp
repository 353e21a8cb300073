#include "client/login/loginflow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "client/login/loginfrm.h"
#include "client/login/loginsaved.h"
#include "client/login/logintask.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TLoginServer DialogServer(const TLoginFrm& form) {
    return ServerFromFields(form.edtIp->text(), form.edtPort->text(), form.chbSSL->isChecked());
}

}  // namespace

TLoginFlow::TLoginFlow(TLoginHost host, QObject* parent)
    : QObject(parent), m_host(std::move(host)), FHS_Language(GlobalConfig()->SysLanguage()) {
    WLS_Welcome = FHS_Language == HSL_ENG ? u"Welcome:"_s : u"欢迎："_s;
}

TLoginFlow::~TLoginFlow() = default;

TLoginFrm* TLoginFlow::LoginForm() const {
    return FLoginFrm;
}

void TLoginFlow::LoginOnActivate() {
    if (m_loginOver || m_busy) return;
    m_loginOver = true;
    m_busy = true;
    if (HandOverLogin()) return LoginSucceeded();
    AutoLoginFromSettings([this](bool automatic) {
        if (automatic) return LoginSucceeded();
        ShowLoginFrm([this](bool logined) {
            if (logined) return LoginSucceeded();
            Finish(FIsLogin);
        });
    });
}

void TLoginFlow::tnLogin() {
    if (m_busy) return;
    m_busy = true;
    ShowLoginFrm([this](bool logined) {
        if (!logined) return Finish(FIsLogin);
        FIsLogin = true;
        m_host.setLogin(true);
        m_host.setServer(Server());
        AfterLogin(TClientConfigX().UserName());
    });
}

bool TLoginFlow::HandOverLogin() {
    const auto config = GlobalConfig();
    SetServer(ConfiguredServer(*config));
    // The identity is taken as it is: no request goes to the server.
    return HasHandedOverIdentity(*config);
}

void TLoginFlow::AutoLoginFromSettings(Done done) {
    const auto config = GlobalConfig();
    if (!config->AutoLogin()) return done(false);
    m_host.clearClipboardCmd();
    SetServer(ConfiguredServer(*config));
    // The saved password goes only to the server it was saved for; any other server (one a
    // web page pointed the client at, say) gets the dialog instead.
    if (!SavedPasswordFits(*config, Server())) return done(false);
    m_autoLogin = new LoginTask(
        Server(), config->LoginName(), config->LoginPassword(), FHS_Language,
        [done](const TLoginReply& reply) {
            if (reply.ok) StoreIdentity(*GlobalConfig(), reply);
            done(reply.ok);
        },
        this);
}

void TLoginFlow::ShowLoginFrm(Done done) {
    m_host.clearClipboardCmd();
    auto form = new TLoginFrm(m_host.window);
    FLoginFrm = form;
    form->SetOnLogin([this](Done loginDone) { LoginFrmLogin(std::move(loginDone)); });
    FillLoginFrm(*form);
    connect(form, &TLoginFrm::loginClosed, this, [done](bool logined) { done(logined); });
    form->open();
}

void TLoginFlow::FillLoginFrm(TLoginFrm& form) {
    const auto config = GlobalConfig();
    form.edtIp->setText(config->ServerHost());
    form.edtPort->setText(QString::number(config->ServerPort()));
    form.SetSSLChecked(config->IsSSL());
    form.edtNickName->setText(config->LoginName());
    // The saved password is shown only for the server it was saved for, and leaves the box
    // when the user points the dialog at another server.
    m_savedPasswordShown = SavedPasswordFits(*config, ConfiguredServer(*config));
    if (m_savedPasswordShown) form.edtPass->setText(config->LoginPassword());
    form.SetAutoLoginChecked(config->AutoLogin());
    connect(form.edtPass, &QLineEdit::textEdited, this, [this] { m_savedPasswordShown = false; });
    connect(&form, &TLoginFrm::serverEdited, this, [this, &form] {
        if (!m_savedPasswordShown || SavedPasswordFits(*GlobalConfig(), DialogServer(form))) return;
        form.edtPass->clear();
        m_savedPasswordShown = false;
    });
}

void TLoginFlow::LoginFrmLogin(Done done) {
    TLoginFrm* form = FLoginFrm;
    if (!form) return done(false);
    const QString name = form->edtNickName->text();
    const QString password = form->edtPass->text();  // blanks are part of a password
    const TLoginServer server = DialogServer(*form);
    if (!IsUsableServer(server)) {
        ShowLoginError(QString());
        return done(false);
    }
    // The task belongs to the dialog, which cannot close while it runs.
    new LoginTask(
        server, name, password, FHS_Language,
        [this, server, name, password, done](const TLoginReply& reply) {
            if (!reply.ok) {
                ShowLoginError(reply.error);
                return done(false);
            }
            SetServer(server);
            const auto config = GlobalConfig();
            config->SetLoginName(name);
            StoreDialogLogin(*config, server, name, password, reply);
            done(true);
        },
        form);
}

void TLoginFlow::ShowLoginError(const QString& error) {
    const bool english = FHS_Language == HSL_ENG;
    QString text = error;
    // A login that sent nothing (no usable server) or got no text still says why it failed.
    if (text.isEmpty() && FLoginFrm && !IsUsableServer(DialogServer(*FLoginFrm)))
        text = english ? u"Please enter a valid server address and port."_s
                       : u"请输入有效的服务器地址和端口。"_s;
    const bool serverUsable = !FLoginFrm || IsUsableServer(DialogServer(*FLoginFrm));
    if (text.isEmpty()) text = english ? u"Login failed."_s : u"登录失败。"_s;
    QWidget* over = FLoginFrm ? static_cast<QWidget*>(FLoginFrm) : m_host.window;
    auto box = new QMessageBox(QMessageBox::Critical, english ? u"Hint"_s : u"提示"_s, text,
                               QMessageBox::Ok, over);
    box->setObjectName(u"loginError"_s);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // A refused login is mended in the password field: the user types it again right away.
    if (FLoginFrm && serverUsable) {
        QPointer<TLoginFrm> form = FLoginFrm;
        const auto toPassword = [form] {
            if (!form) return;
            form->edtPass->setFocus(Qt::OtherFocusReason);
            form->edtPass->selectAll();
        };
        toPassword();
        QObject::connect(box, &QDialog::finished, form, toPassword);
    }
    box->open();
}

void TLoginFlow::LoginSucceeded() {
    FIsLogin = true;
    m_host.setLogin(true);
    const auto config = GlobalConfig();
    StoreServer(*config, Server());
    m_host.setServer(Server());
    AfterLogin(config->UserName());
}

void TLoginFlow::AfterLogin(const QString& userName) {
    m_host.setUserInfoText(WLS_Welcome + userName);
    m_host.loadServerConfig(GlobalConfig()->UserId());
    m_host.postRun();
    Finish(true);
}

void TLoginFlow::SetServer(const TLoginServer& server) {
    FServerIp = server.host;
    FServerPort = server.port;
    FServerSSL = server.ssl;
}

void TLoginFlow::Finish(bool isLogin) {
    m_busy = false;
    emit loginFinished(isLogin);
}

}  // namespace ov
