#pragma once
// How OvClient logs in: on the first activation of its main window it takes the identity that
// the control or a web page handed over, else logs in with the saved name and password
// (automatic login), else asks with the login dialog; the tools menu logs in again through the
// dialog. A login fixes the server and the identity that all later server work uses.
//
// Server requests run on a thread of their own; the steps that follow them run on the
// user-interface thread when the answer is in.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "client/login/loginrequest.h"

class QWidget;

namespace ov {

class LoginTask;
class TLoginFrm;

// What the login needs of the main window.
struct TLoginHost {
    QWidget* window = nullptr;  // owner of the dialogs
    std::function<void(bool)> setLogin;
    std::function<void(const TLoginServer&)> setServer;  // the server of the login made
    std::function<void(const QString&)> setUserInfoText;
    std::function<void()> clearClipboardCmd;
    std::function<void(int)> loadServerConfig;  // the fetches after a login
    std::function<void()> postRun;              // message 0x478 to the main window
};

class TLoginFlow : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(bool)>;

    TLoginFlow(TLoginHost host, QObject* parent = nullptr);
    ~TLoginFlow() override;

    // The first-activation login; runs once, later calls do nothing.
    void LoginOnActivate();
    // The tools menu's login. A cancelled dialog leaves the login state as it was. Ignored
    // while another login is under way.
    void tnLogin();

    bool IsLogin() const { return FIsLogin; }
    bool IsBusy() const { return m_busy; }
    // The dialog of the last login while it is open.
    TLoginFrm* LoginForm() const;
    TLoginServer Server() const { return {FServerIp, FServerPort, FServerSSL}; }

signals:
    // A login sequence has ended (first activation or tools menu) with the login state.
    void loginFinished(bool isLogin);

private:
    bool HandOverLogin();
    void AutoLoginFromSettings(Done done);
    void ShowLoginFrm(Done done);
    void FillLoginFrm(TLoginFrm& form);
    void LoginFrmLogin(Done done);
    void ShowLoginError(const QString& error);
    void LoginSucceeded();
    void AfterLogin(const QString& userName);
    void SetServer(const TLoginServer& server);
    void Finish(bool isLogin);

    TLoginHost m_host;
    THS_Language FHS_Language;
    QString WLS_Welcome;
    QString FServerIp;
    int FServerPort = 0;
    bool FServerSSL = false;
    bool FIsLogin = false;
    bool m_loginOver = false;
    bool m_busy = false;
    // The password box still holds the saved password (not typed by the user).
    bool m_savedPasswordShown = false;
    QPointer<TLoginFrm> FLoginFrm;
    QPointer<LoginTask> m_autoLogin;
};

}  // namespace ov
