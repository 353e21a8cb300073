// The three ways of logging in, against the test server over plain TCP and TLS.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "client/startup/startup.h"
#include "core/cipher.h"
#include "core/trantype.h"
#include "loginfixture.h"
#include "support/ports.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;

namespace {

void fillDialog(TLoginFrm& form, const TLoginServer& server, const QString& name,
                const QString& password) {
    form.edtIp->setText(server.host);
    form.edtPort->setText(QString::number(server.port));
    form.chbSSL->setChecked(server.ssl);
    form.edtNickName->setText(name);
    form.edtPass->setText(password);
}

// The handed-over identity of the demo user, as "-u" leaves it.
void saveHandedOver(const TLoginServer& server, int userId) {
    const auto config = GlobalConfig();
    StoreServer(*config, server);
    config->SetStartStyle(SS_ACTIVTX);
    config->SetUserId(userId);
    config->SetEncryptUserID(demo::DemoToken());
    config->SetUserName(u"演示用户"_s);
    config->Save();
    RenewGlobalConfig();
}

// The error box over the dialog: its text, and the box closed.
QString takeErrorText(TLoginFrm& form) {
    QMessageBox* box = nullptr;
    waitUntil([&] { return (box = form.findChild<QMessageBox*>(u"loginError"_s)) != nullptr; });
    if (!box) return u"<no message box>"_s;
    const QString text = box->text();
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    delete box;
    return text;
}

class LoginFlow : public LoginFixture, public ::testing::TestWithParam<bool> {
protected:
    DemoServer demoServer{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Transport, LoginFlow, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

class HandOver : public LoginFixture, public ::testing::Test {};
class RefusedWithoutText : public LoginFixture, public ::testing::Test {};
class HandedOverTexts : public LoginFixture, public ::testing::Test {};

}  // namespace

TEST_F(HandOver, CompleteIdentityLogsInWithoutServerOrDialog) {
    saveHandedOver({u"127.0.0.1"_s, closedPort(), false}, demo::DemoUser);
    startFlow();
    flow->LoginOnActivate();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    EXPECT_TRUE(main.loggedIn);
    EXPECT_EQ(main.userText, u"Welcome:演示用户"_s);
    EXPECT_EQ(main.configLoads, QList<int>{demo::DemoUser});
    EXPECT_EQ(main.runs, 1);
    EXPECT_EQ(flow->LoginForm(), nullptr);
    // Only the first activation logs in.
    flow->LoginOnActivate();
    EXPECT_EQ(main.runs, 1);
}

TEST_F(HandOver, IdentityWithoutUserIdFallsBackToTheDialog) {
    saveHandedOver({u"127.0.0.1"_s, closedPort(), false}, 0);
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    form->btnCancel->click();
    ASSERT_TRUE(waitFinished());
    EXPECT_FALSE(finished.front());
    EXPECT_FALSE(main.loggedIn);
    EXPECT_EQ(main.runs, 0);
}

TEST_P(LoginFlow, SavedCredentialsLogInWithoutDialogAndKeepTheIdentityInMemory) {
    saveAutoLogin(demoServer.address(), demo::DemoPassword());
    startFlow();
    flow->LoginOnActivate();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    EXPECT_EQ(flow->LoginForm(), nullptr);
    ASSERT_EQ(demoServer.logins().size(), 1);
    EXPECT_TRUE(demoServer.logins().front().contains(u"[Name]demo[/Name][PassWord]demo123["_s));
    EXPECT_EQ(GlobalConfig()->EncryptUserID(), demo::DemoToken());
    EXPECT_EQ(GlobalConfig()->UserId(), demo::DemoUser);
    EXPECT_EQ(main.userText, u"Welcome:演示用户"_s);
    EXPECT_EQ(main.runs, 1);
    // Not saved: the settings file still has no identity.
    EXPECT_EQ(TClientConfigX().UserId(), 0);
}

TEST_P(LoginFlow, WrongSavedPasswordShowsTheDialogWithTheSavedValues) {
    saveAutoLogin(demoServer.address(), u"wrong"_s);
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->edtIp->text(), demoServer.server.host());
    EXPECT_EQ(form->edtPort->text(), QString::number(demoServer.server.port()));
    EXPECT_EQ(form->chbSSL->isChecked(), GetParam());
    EXPECT_EQ(form->edtNickName->text(), demo::DemoLogin());
    EXPECT_EQ(form->edtPass->text(), u"wrong"_s);
    EXPECT_TRUE(form->chkAutoLogin->isChecked());
    // The failed automatic login said nothing.
    EXPECT_EQ(form->findChild<QMessageBox*>(), nullptr);
    form->edtPass->setText(demo::DemoPassword());
    form->btnLogin->click();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    EXPECT_EQ(TClientConfigX().LoginPassword(), demo::DemoPassword());
}

// A web page can point the client at another server with "-s"; the password saved for the
// first server must not reach the second one.
TEST_P(LoginFlow, SavedPasswordIsNeverSentToAServerItWasNotSavedFor) {
    DemoServer other(GetParam());
    saveAutoLogin(demoServer.address(), demo::DemoPassword());
    TWebCmd cmd;
    const QString link = u"OvClient://-s%20127.0.0.1#%1#%2/"_s.arg(other.server.port())
                             .arg(GetParam() ? u"1"_s : u"0"_s);
    ApplySwitches(PrepareArgument(link), *GlobalConfig(), cmd);
    RenewGlobalConfig();
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(other.logins().isEmpty());
    EXPECT_TRUE(demoServer.logins().isEmpty());
    EXPECT_EQ(form->edtPort->text(), QString::number(other.server.port()));
    EXPECT_EQ(form->edtNickName->text(), demo::DemoLogin());
    EXPECT_TRUE(form->edtPass->text().isEmpty());
    // The user types the password for the new server and logs in there.
    form->edtPass->setText(demo::DemoPassword());
    form->btnLogin->click();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    EXPECT_EQ(other.logins().size(), 1);
    EXPECT_TRUE(demoServer.logins().isEmpty());
    EXPECT_TRUE(SavedPasswordFits(TClientConfigX(), other.address()));
}

TEST_P(LoginFlow, AHandedOverIdentityCannotPlantASavedPasswordsServer) {
    DemoServer other(GetParam());
    saveAutoLogin(demoServer.address(), demo::DemoPassword());
    const QString otherServer =
        u"127.0.0.1#%1#%2"_s.arg(other.server.port()).arg(GetParam() ? u"1"_s : u"0"_s);
    // A name that would close its own setting and name the page's server as the one the saved
    // password belongs to.
    const QString identity = EncryptString(
        u"[UserId2]0[/UserId2][UserId]t[/UserId][UserName]x[/OwnerName][LoginServer]"_s +
            otherServer + u"[/LoginServer][OwnerName][/UserName]"_s,
        1);
    TWebCmd cmd;
    ApplySwitches(PrepareArgument(u"-s "_s + otherServer + u" -u "_s + identity), *GlobalConfig(),
                  cmd);
    RenewGlobalConfig();
    EXPECT_TRUE(TClientConfigX().UserName().isEmpty());
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(other.logins().isEmpty());
    EXPECT_TRUE(form->edtPass->text().isEmpty());
    form->btnCancel->click();
    ASSERT_TRUE(waitFinished());
}

TEST_F(HandedOverTexts, OnlyTextsThatCanBeKeptSafelyAreTaken) {
    const QString longName(kMaxUserNameLength + 1, u'n');
    const struct {
        QString identity;  // deciphered "-u" text
        bool taken;
    } identities[] = {
        {u"[UserId2]7[/UserId2][UserId]tok[/UserId][UserName]张 三[/UserName]"_s, true},
        {u"[UserId2]7[/UserId2][UserId]tok[/UserId][UserName]"_s + longName + u"[/UserName]"_s,
         false},
        {u"[UserId2]7[/UserId2][UserId]t[ok[/UserId][UserName]a[/UserName]"_s, false},
        {u"[UserId2]7[/UserId2][UserId]tok[/UserId][UserName]<b>a</b>[/UserName]"_s, false},
        {u"[UserId2]7[/UserId2][UserId]tok[/UserId][UserName]a\nb[/UserName]"_s, false},
        {u"[UserId2]-7[/UserId2][UserId]tok[/UserId][UserName]a[/UserName]"_s, false},
    };
    for (const auto& c : identities) {
        SCOPED_TRACE(c.identity.toStdString());
        TClientConfigX config;
        TWebCmd cmd;
        ApplySwitches({u"-u"_s, EncryptString(c.identity, 1)}, config, cmd);
        EXPECT_EQ(config.StartStyle(), SS_ACTIVTX);
        EXPECT_EQ(config.UserId(), c.taken ? 7 : 0);
        EXPECT_EQ(config.EncryptUserID().isEmpty(), !c.taken);
        EXPECT_EQ(config.UserName().isEmpty(), !c.taken);
    }
    const struct {
        QString value;  // "-s"
        QString host;
        int port;
    } servers[] = {
        {u"srv.example#8443#1"_s, u"srv.example"_s, 8443},
        {u"srv.example#70000#0"_s, u"srv.example"_s, 80},
        {u"srv.example#-1#0"_s, u"srv.example"_s, 80},
        {u"a[LoginServer]b#81#0"_s, u"srv.example"_s, 80},  // refused: server kept
        {QString(300, u'h') + u"#81#0"_s, u"srv.example"_s, 80},
    };
    for (const auto& c : servers) {
        SCOPED_TRACE(c.value.toStdString());
        TClientConfigX config;
        TWebCmd cmd;
        ApplySwitches({u"-s"_s, c.value}, config, cmd);
        EXPECT_EQ(TClientConfigX().ServerHost(), c.host);
        EXPECT_EQ(TClientConfigX().ServerPort(), c.port);
    }
}

TEST_P(LoginFlow, SavedPasswordLeavesTheDialogWhenTheUserPointsItElsewhere) {
    saveAutoLogin(demoServer.address(), demo::DemoPassword());
    startFlow();
    flow->tnLogin();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->edtPass->text(), demo::DemoPassword());
    form->edtIp->setText(u"example.invalid"_s);
    emit form->edtIp->textEdited(form->edtIp->text());
    EXPECT_TRUE(form->edtPass->text().isEmpty());
    form->btnCancel->click();
    ASSERT_TRUE(waitFinished());
}

TEST_P(LoginFlow, DialogLoginSavesTheLoginAndTheNextStartLogsInByItself) {
    for (const bool autoLogin : {false, true}) {
        SCOPED_TRACE(autoLogin);
        startFlow();
        finished.clear();
        flow->LoginOnActivate();
        TLoginFrm* form = dialog();
        ASSERT_NE(form, nullptr);
        fillDialog(*form, demoServer.address(), demo::DemoLogin(), demo::DemoPassword());
        if (form->chkAutoLogin->isChecked() != autoLogin) form->chkAutoLogin->click();
        form->btnLogin->click();
        ASSERT_TRUE(waitFinished());
        EXPECT_TRUE(finished.front());
        EXPECT_TRUE(main.loggedIn);
        EXPECT_EQ(main.userText, u"Welcome:演示用户"_s);
        EXPECT_EQ(main.server.port, demoServer.server.port());
        EXPECT_EQ(main.server.ssl, GetParam());

        const TClientConfigX saved;
        EXPECT_EQ(saved.StartStyle(), SS_NONE);
        EXPECT_EQ(saved.UserId(), demo::DemoUser);
        EXPECT_EQ(saved.EncryptUserID(), demo::DemoToken());
        EXPECT_EQ(saved.ServerPort(), demoServer.server.port());
        EXPECT_EQ(saved.IsSSL(), GetParam());
        EXPECT_EQ(saved.AutoLogin(), autoLogin);
        EXPECT_EQ(saved.LoginName(), autoLogin ? demo::DemoLogin() : QString());
        EXPECT_EQ(saved.LoginPassword(), autoLogin ? demo::DemoPassword() : QString());
    }
    // The next start (after Exit cleared the identity) logs in without the dialog.
    const auto config = RenewGlobalConfig();
    config->SetUserId(0);
    config->SetEncryptUserID(QString());
    startFlow();
    finished.clear();
    const auto before = demoServer.logins().size();
    flow->LoginOnActivate();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    EXPECT_EQ(flow->LoginForm(), nullptr);
    EXPECT_EQ(demoServer.logins().size(), before + 1);
}

TEST_P(LoginFlow, AServersAnswerThatWouldPlantSettingsIsRefused) {
    demoServer.model.addUser(77, u"evil"_s, u"evil123"_s, u"tok"_s,
                             u"x[/OwnerName][DownloadRoot]/tmp/[/DownloadRoot]"_s);
    startFlow();
    flow->tnLogin();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    fillDialog(*form, demoServer.address(), u"evil"_s, u"evil123"_s);
    form->btnLogin->click();
    waitUntil([&] { return !finished.empty() || form->findChild<QMessageBox*>(u"loginError"_s); });
    ASSERT_TRUE(finished.empty()) << "the login was taken";
    EXPECT_EQ(takeErrorText(*form), u"The server's answer holds an unusable user name."_s);
    EXPECT_FALSE(main.loggedIn);
    EXPECT_TRUE(TClientConfigX().UserName().isEmpty());
    form->btnCancel->click();
    ASSERT_TRUE(waitFinished());
}

TEST_P(LoginFlow, AnUntickedAutomaticLoginBoxSavesNoPassword) {
    // A dialog ticked and then cancelled left the choice on while automatic login is off.
    const auto config = GlobalConfig();
    config->SetSaveLoginInfo(true);
    config->SetAutoLogin(false);
    config->Save();
    RenewGlobalConfig();
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    ASSERT_FALSE(form->chkAutoLogin->isChecked());
    fillDialog(*form, demoServer.address(), demo::DemoLogin(), demo::DemoPassword());
    form->btnLogin->click();
    ASSERT_TRUE(waitFinished());
    EXPECT_TRUE(finished.front());
    const TClientConfigX saved;
    EXPECT_FALSE(saved.AutoLogin());
    EXPECT_TRUE(saved.LoginPassword().isEmpty());
}

TEST_P(LoginFlow, RefusedLoginsShowTheServersTextAndKeepTheDialogOpen) {
    const TLoginServer good = demoServer.address();
    const TLoginServer closed{good.host, closedPort(), good.ssl};
    struct Case {
        TLoginServer server;
        QString name, password, text;
    } cases[] = {
        {good, u"demo"_s, u"nope"_s, u"Wrong user name or password"_s},
        {good, u"li"_s, u"li123"_s, u"The user account is disabled."_s},
        // Blanks are part of the password: sent as typed, hence refused.
        {good, u"demo"_s, u"  demo123"_s, u"Wrong user name or password"_s},
        {closed, u"demo"_s, u"demo123"_s, u"Network connection failed"_s},
        {{QString(), good.port, good.ssl},
         u"demo"_s,
         u"demo123"_s,
         u"Please enter a valid server address and port."_s},
        // Not cut down to another port (70000 - 65536 = 4464).
        {{good.host, 70000, good.ssl},
         u"demo"_s,
         u"demo123"_s,
         u"Please enter a valid server address and port."_s},
    };
    startFlow();
    flow->LoginOnActivate();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + c.password.toStdString());
        fillDialog(*form, c.server, c.name, c.password);
        form->btnLogin->click();
        EXPECT_EQ(takeErrorText(*form), c.text);
        EXPECT_TRUE(waitUntil([&] { return !form->IsBusy(); }));
        EXPECT_TRUE(form->isVisible());
        // A refused password is typed again at once; a bad address is mended where it stands.
        if (c.server.port == good.port && !c.server.host.isEmpty()) {
            EXPECT_EQ(form->focusWidget(), form->edtPass);
        }
    }
    EXPECT_TRUE(demoServer.logins().last().contains(u"[PassWord]  demo123[/PassWord]"_s));
    EXPECT_EQ(demoServer.logins().size(), 3);
    form->btnCancel->click();
    ASSERT_TRUE(waitFinished());
    EXPECT_FALSE(finished.front());
    EXPECT_FALSE(main.loggedIn);
    EXPECT_EQ(TClientConfigX().UserId(), 0);
}

TEST_P(LoginFlow, ToolsMenuLoginAndACancelledOneThatKeepsTheLogin) {
    saveHandedOver(demoServer.address(), demo::DemoUser);
    startFlow();
    flow->LoginOnActivate();
    ASSERT_TRUE(waitFinished());
    // Cancelled: still logged in, nothing shown again.
    flow->tnLogin();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    form->btnCancel->click();
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 2; }));
    EXPECT_TRUE(finished.back());
    EXPECT_TRUE(flow->IsLogin());
    EXPECT_TRUE(main.loggedIn);
    EXPECT_EQ(main.runs, 1);
    // Logged in again as another user.
    flow->tnLogin();
    form = dialog();
    ASSERT_NE(form, nullptr);
    fillDialog(*form, demoServer.address(), u"zhang"_s, u"zhang123"_s);
    form->btnLogin->click();
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 3; }));
    EXPECT_EQ(main.userText, u"Welcome:张三"_s);
    EXPECT_EQ(main.configLoads.last(), demo::OtherUser);
    EXPECT_EQ(main.runs, 2);
    EXPECT_EQ(TClientConfigX().StartStyle(), SS_NONE);
}

TEST_F(RefusedWithoutText, StillSaysTheLoginFailed) {
    DocServer silent;
    silent.setControlHandler(
        [](const ControlRequest&) { return ControlReply::withText(RS_Refused, QString()); });
    startFlow();
    flow->tnLogin();
    TLoginFrm* form = dialog();
    ASSERT_NE(form, nullptr);
    fillDialog(*form, {silent.host(), silent.port(), false}, u"demo"_s, u"demo123"_s);
    form->btnLogin->click();
    EXPECT_EQ(takeErrorText(*form), u"Login failed."_s);
    EXPECT_EQ(silent.requests().size(), 1u);
}
