#pragma once
// The login against the test server with its demo content over loopback, with a stand-in for
// the main window that records what the login does to it.

#include <QApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "client/login/loginflow.h"
#include "client/login/loginfrm.h"
#include "client/login/loginsaved.h"
#include "core/globalconfig.h"
#include "core/headinfo.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"

namespace ov::test {

inline QApplication& loginApp() {
    static int argc = 1;
    static char name[] = "test_login";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process, as the application object of a widget test must be.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Runs the event loop until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()>& condition, int ms = 60000) {
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        loginApp().processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// What the login did to the main window.
struct MainStandIn {
    QWidget window;
    bool loggedIn = false;
    TLoginServer server;
    QString userText;
    int runs = 0;
    QList<int> configLoads;

    TLoginHost host() {
        TLoginHost h;
        h.window = &window;
        h.setLogin = [this](bool on) { loggedIn = on; };
        h.setServer = [this](const TLoginServer& s) { server = s; };
        h.setUserInfoText = [this](const QString& text) { userText = text; };
        h.clearClipboardCmd = [] {};
        h.loadServerConfig = [this](int userId) { configLoads << userId; };
        h.postRun = [this] { ++runs; };
        return h;
    }
};

// One test server with the demo content.
struct DemoServer {
    explicit DemoServer(bool tls) : server(DocServer::Options{tls}) {
        demo::LoadDemo(model);
        commands.install(server);
    }
    TLoginServer address() const { return {server.host(), server.port(), server.isTls()}; }
    // The login requests that reached the server, as their request texts.
    QStringList logins() const {
        QStringList texts;
        for (const ControlRequest& request : server.requests())
            if (request.head.TranType == TT_Login) texts << request.text();
        return texts;
    }

    DocModel model;
    DocCommands commands{model};
    DocServer server;
};

// Name and password saved for automatic login at the server, without an identity (as after
// Exit with automatic login on).
inline void saveAutoLogin(const TLoginServer& server, const QString& password) {
    const auto config = GlobalConfig();
    config->SetSaveLoginInfo(true);
    TLoginReply reply;
    reply.ok = true;
    StoreDialogLogin(*config, server, demo::DemoLogin(), password, reply);
    config->Save();
    RenewGlobalConfig();
}

class LoginFixture {
protected:
    LoginFixture() {
        RenewGlobalConfig()->SetSysLanguage(HSL_ENG);
        GlobalConfig()->Save();
        RenewGlobalConfig();
    }
    ~LoginFixture() {
        flow.reset();
        FreeGlobalConfig();
    }

    void startFlow() {
        flow = std::make_unique<TLoginFlow>(main.host());
        QObject::connect(flow.get(), &TLoginFlow::loginFinished,
                         [this](bool isLogin) { finished.push_back(isLogin); });
    }
    TLoginFrm* dialog() {
        waitUntil([this] { return flow->LoginForm() && flow->LoginForm()->isVisible(); });
        return flow->LoginForm();
    }
    bool waitFinished() {
        return waitUntil([this] { return !finished.empty(); });
    }

    QApplication& app = loginApp();  // before any widget
    TempHome home;
    MainStandIn main;
    std::unique_ptr<TLoginFlow> flow;
    std::vector<bool> finished;
};

}  // namespace ov::test
