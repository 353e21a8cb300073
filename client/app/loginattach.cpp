#include "client/app/loginattach.h"

#include "client/login/loginflow.h"
#include "client/mainwindow/mainwindow.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TLoginHost hostOf(TQUEXClientFrm& form) {
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

}  // namespace

TLoginFlow* AttachLogin(TQUEXClientFrm& mainForm) {
    auto flow = new TLoginFlow(hostOf(mainForm), &mainForm);
    mainForm.Hooks().LoginOnActivate = [flow] { flow->LoginOnActivate(); };
    mainForm.Hooks().LoginFromMenu = [flow] { flow->tnLogin(); };
    QObject::connect(flow, &TLoginFlow::loginFinished, flow,
                     [flow](bool isLogin) { logOutcome(*flow, isLogin); });
    return flow;
}

}  // namespace ov
