#include "client/loginattach.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QTimer>

#include "client/loginflow.h"
#include "client/mainwindow.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The main window's message that shows the file manager and the batch window after a login.
constexpr quint32 kUmRun = 0x478;

// Runs the login once, when the window is first shown or activated; the window paints first.
class FirstActivation : public QObject {
public:
    FirstActivation(QWidget* window, TLoginFlow* flow) : QObject(flow), m_flow(flow) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, m_flow, &TLoginFlow::LoginOnActivate);
        }
        return false;
    }

private:
    TLoginFlow* m_flow;
};

TLoginHost hostOf(TQUEXClientFrm& form) {
    TLoginHost host;
    host.window = &form;
    host.setLogin = [&form](bool loggedIn) { form.SetLogin(loggedIn); };
    host.setUserInfoText = [&form](const QString& text) { form.SetUserInfoText(text); };
    host.clearClipboardCmd = [] { TQUEXClientFrm::ClearClipboardCmd(); };
    // The security levels, client configuration and logo are fetched by the main window once
    // it offers that step; until then the login goes on without them.
    host.loadServerConfig = [](int) {};
    host.postRun = [&form] {
        QMetaObject::invokeMethod(
            &form, [&form] { form.HandleMessage(kUmRun, 0, 0); }, Qt::QueuedConnection);
    };
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

}  // namespace

TLoginFlow* AttachLogin(TQUEXClientFrm& mainForm) {
    auto flow = new TLoginFlow(hostOf(mainForm), &mainForm);
    new FirstActivation(&mainForm, flow);
    if (QAction* login = mainForm.toolsMenu()->findChild<QAction*>(u"tnLogin"_s))
        QObject::connect(login, &QAction::triggered, flow, &TLoginFlow::tnLogin);
    QObject::connect(flow, &TLoginFlow::loginFinished, flow,
                     [flow](bool isLogin) { logOutcome(*flow, isLogin); });
    return flow;
}

}  // namespace ov
