// The login dialog on its own: texts, the secure-connection port rule, the automatic-login
// choice, starting with the session and the desktop-shortcut link.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "client/desktop/autorun.h"
#include "client/desktop/programpath.h"
#include "loginfixture.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;
using ov::platform::Hive;
using ov::platform::Registry;

namespace {

class LoginForm : public LoginFixture, public ::testing::Test {
protected:
    // A dialog in the language, owned by the stand-in main window.
    TLoginFrm* makeForm(THS_Language language) {
        GlobalConfig()->SetSysLanguage(language);
        GlobalConfig()->Save();
        RenewGlobalConfig();
        return new TLoginFrm(&main.window);
    }
};

QString text(const TLoginFrm& form, const char* name) {
    const QString objectName = QString::fromLatin1(name);
    if (auto label = form.findChild<QLabel*>(objectName)) return label->text();
    if (auto box = form.findChild<QCheckBox*>(objectName)) return box->text();
    if (auto group = form.findChild<QGroupBox*>(objectName)) return group->title();
    if (auto button = form.findChild<QPushButton*>(objectName)) return button->text();
    return {};
}

}  // namespace

TEST_F(LoginForm, TextsAndFontOfBothLanguages) {
    struct Case {
        THS_Language language;
        QString family, title, group1, ssl, port, hint, autoRun, shortcut;
    } cases[] = {
        {HSL_CN, u"宋体"_s, u"登录"_s, u"服务器连接参数"_s, u"此服务器要求安全连接SSL"_s,
         u"端口："_s, u"用户名或者电子邮件"_s, u"开机自动启动"_s, u"创建桌面快捷方式"_s},
        {HSL_ENG, u"Tahoma"_s, u"Login"_s, u"Server's connection parameters"_s,
         u"This server requires a secure connection (SSL). "_s, u"Port:"_s,
         u"Username or E-mail "_s, u"Boot automatically activated"_s, u"Create shortcut"_s},
    };
    for (const Case& c : cases) {
        TLoginFrm* form = makeForm(c.language);
        EXPECT_EQ(form->font().family(), c.family);
        EXPECT_EQ(form->font().pointSize(), 9);
        EXPECT_EQ(form->windowTitle(), c.title);
        EXPECT_EQ(text(*form, "GroupBox1"), c.group1);
        EXPECT_EQ(text(*form, "chbSSL"), c.ssl);
        EXPECT_EQ(text(*form, "Label4"), c.port);
        EXPECT_EQ(text(*form, "Label3"), c.hint);
        EXPECT_EQ(text(*form, "chbAutoRun"), c.autoRun);
        EXPECT_TRUE(text(*form, "lbShortcut").contains(c.shortcut));
        EXPECT_EQ(form->HintCaption(), c.language == HSL_ENG ? u"Hint"_s : u"提示"_s);
        EXPECT_EQ(form->edtPort->text(), u"80"_s);
        EXPECT_EQ(form->edtPass->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(form->btnLogin->isDefault());
        EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        delete form;
    }
}

TEST_F(LoginForm, SecureConnectionSwitchesOnlyTheUsualPorts) {
    struct Case {
        QString before;
        bool tick;
        QString after;
    } cases[] = {
        {u"80"_s, true, u"443"_s},  {u"443"_s, false, u"80"_s}, {u"8080"_s, true, u"8080"_s},
        {u"443"_s, true, u"443"_s}, {u" 80"_s, true, u" 80"_s}, {QString(), true, QString()},
    };
    TLoginFrm* form = makeForm(HSL_ENG);
    for (const Case& c : cases) {
        form->chbSSL->setChecked(!c.tick);
        form->edtPort->setText(c.before);
        form->chbSSL->click();
        EXPECT_EQ(form->edtPort->text(), c.after) << c.before.toStdString();
    }
    // Filling the box from code acts like a click when the state changes.
    form->chbSSL->setChecked(false);
    form->edtPort->setText(u"80"_s);
    form->SetSSLChecked(true);
    EXPECT_EQ(form->edtPort->text(), u"443"_s);
}

TEST_F(LoginForm, AutomaticLoginBoxSavesTheChoiceAtOnce) {
    TLoginFrm* form = makeForm(HSL_CN);
    form->chkAutoLogin->click();
    EXPECT_TRUE(TClientConfigX().SaveLoginInfo());
    EXPECT_TRUE(TClientConfigX().SavePassword());
    form->chkAutoLogin->click();
    EXPECT_FALSE(TClientConfigX().SaveLoginInfo());
    EXPECT_FALSE(TClientConfigX().SavePassword());
}

TEST_F(LoginForm, StartWithSessionFollowsTheBoxWhenLoggingIn) {
    const QString program = ProgramPath();
    const QString entry = home.path() + u".config/autostart/"_s + kAutostartId + u".desktop"_s;
    // The box shows the saved value, whatever the letter case.
    Registry::writeString(Hive::CurrentUser, kRunKey, kRunValueName, program.toUpper());
    TLoginFrm* form = makeForm(HSL_ENG);
    EXPECT_TRUE(form->chbAutoRun->isChecked());

    int attempts = 0;
    form->SetOnLogin([&](std::function<void(bool)> done) {
        ++attempts;
        done(false);
    });
    form->btnLogin->click();
    // Written in its exact spelling, with the desktop's autostart entry.
    EXPECT_EQ(Registry::readString(Hive::CurrentUser, kRunKey, kRunValueName), program);
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Exec=" + program.toUtf8()));
    file.close();

    form->chbAutoRun->click();
    form->btnLogin->click();
    EXPECT_FALSE(Registry::valueExists(Hive::CurrentUser, kRunKey, kRunValueName));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(attempts, 2);
    // A failed attempt leaves the dialog open.
    EXPECT_FALSE(form->IsLogined());
}

TEST_F(LoginForm, ShortcutLinkSaysWhetherTheShortcutWasMade) {
    struct Case {
        THS_Language language;
        bool desktopUsable;
        QString file, message;
    } cases[] = {
        {HSL_CN, true, u"Orvane文档管理客户端.desktop"_s, u"成功创建桌面快捷方式"_s},
        {HSL_ENG, true, u"Orvane Client.desktop"_s, u"Create shortcut successfully"_s},
        // A desktop folder that cannot be made is reported, not passed off as success.
        {HSL_ENG, false, QString(), u"Failed to create the shortcut"_s},
    };
    for (const Case& c : cases) {
        const QString desktop =
            home.path() + (c.desktopUsable ? u"Desktop"_s : u"blocked/Desktop"_s);
        if (!c.desktopUsable) {
            QFile blocker(home.path() + u"blocked"_s);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        }
        qputenv("XDG_DESKTOP_DIR", desktop.toUtf8());
        TLoginFrm* form = makeForm(c.language);
        emit form->lbShortcut->linkActivated(u"shortcut"_s);
        auto box = form->findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), c.message);
        EXPECT_EQ(box->windowTitle(), form->HintCaption());
        if (c.desktopUsable) {
            EXPECT_TRUE(QFile::exists(desktop + u'/' + c.file));
        }
        delete form;
    }
}

TEST(LoginServerFields, PortTextAndHost) {
    struct Case {
        QString host, port;
        bool ssl;
        QString wantHost;
        int wantPort;
    } cases[] = {
        {u" 10.0.0.5 "_s, u" 8080 "_s, false, u"10.0.0.5"_s, 8080},
        {u"h"_s, QString(), true, u"h"_s, 443},
        {u"h"_s, QString(), false, u"h"_s, 80},
        {u"h"_s, u"http"_s, true, u"h"_s, 443},
        {u"h"_s, u"0"_s, true, u"h"_s, 0},  // a number, refused as a server later
    };
    for (const Case& c : cases) {
        const TLoginServer server = ServerFromFields(c.host, c.port, c.ssl);
        EXPECT_EQ(server.host, c.wantHost);
        EXPECT_EQ(server.port, c.wantPort) << c.port.toStdString();
        EXPECT_EQ(server.ssl, c.ssl);
        EXPECT_EQ(IsUsableServer(server), c.wantPort > 0);
    }
}
