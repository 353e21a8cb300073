#include "client/mainwindow/mainwindow.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QToolButton>

#include "client/mainwindow/trayicon.h"
#include "client/startup/startup.h"
#include "client/webcommands/webcmd.h"
#include "client/webcommands/webmodule.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "platform/adapters.h"
#include "support/temphome.h"
#include "testapp.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

void processEventsFor(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        test::app().processEvents(QEventLoop::AllEvents, 20);
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        test::app();
        platform::setAdapterSource([] {
            return std::optional<platform::AdapterList>(
                {{QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6), {u"10.0.0.2"_s}}});
        });
        RenewGlobalConfig();
        WebCommand().Clear();
    }
    void TearDown() override {
        WebCommand().Clear();
        FreeGlobalConfig();
        platform::setAdapterSource({});
    }

    // A logged-in identity, saved.
    static void saveIdentity(bool autoLogin, TStartStyle style = SS_NONE) {
        const auto config = GlobalConfig();
        config->SetEncryptUserID(u"tok-1"_s);
        config->SetUserId(5);
        config->SetUserName(u"张三"_s);
        config->SetLoginName(u"zhang"_s);
        config->SetLoginPassword(u"pw"_s);
        config->SetAutoLogin(autoLogin);
        config->SetStartStyle(style);
        config->Save();
    }

    // The identity as the settings file holds it: token/id/name/login name/password.
    static QString savedIdentity() {
        TClientConfigX config;
        return u"%1/%2/%3/%4/%5"_s.arg(config.EncryptUserID())
            .arg(config.UserId())
            .arg(config.UserName(), config.LoginName(), config.LoginPassword());
    }

    test::TempHome home;
};

}  // namespace

TEST_F(MainWindow, ClosingOnlyHidesAndExitEndsWithTheIdentityCleared) {
    for (const bool autoLogin : {false, true}) {
        saveIdentity(autoLogin);
        TQUEXClientFrm window;
        window.ShowMainFrm();
        window.close();
        processEventsFor(50);
        // No notification area here: the window stays reachable on the task bar.
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(window.isMinimized());
        EXPECT_EQ(savedIdentity(), u"tok-1/5/张三/zhang/pw"_s);

        window.Exit();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(savedIdentity(), autoLogin ? u"/0//zhang/pw"_s : u"/0///"_s);
    }
}

// With a notification area, closing and minimising hide the window and its panels; the icon
// and a second start show it again with the panels as they were. A notification area that
// appears after the start (the panel of a desktop that starts after the program) counts too.
TEST_F(MainWindow, HiddenInTheTrayAndShownAgainWithThePanelsAsTheyWere) {
    bool tray = false;
    TrayIcon::setTrayProbe([&tray] { return tray; });
    TQUEXClientFrm window;
    auto* files = new QWidget;
    auto* batch = new QWidget;
    window.SetFileManagerPanel(files);
    window.SetBatchPanel(batch);
    window.ShowMainFrm();
    files->show();
    tray = true;
    const std::function<void()> hideWays[] = {[&] { window.close(); },
                                              [&] { window.showMinimized(); }};
    for (const auto& hide : hideWays) {
        hide();
        processEventsFor(50);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(files->isVisible());
        const std::pair<quint32, qint64> showMessages[] = {{WM_TRAY, kTrayLeftButtonDown},
                                                           {UM_BRING_TO_FRONT, 0}};
        for (const auto& [message, lParam] : showMessages) {
            window.HandleMessage(message, 0, lParam);
            EXPECT_TRUE(window.isVisible());
            EXPECT_FALSE(window.isMinimized());
            EXPECT_TRUE(files->isVisible());
            EXPECT_FALSE(batch->isVisible());
            window.close();
        }
        window.ShowMainFrm();
    }
    TrayIcon::setTrayProbe({});
}

TEST_F(MainWindow, CloseMessageEndsWithoutClearingAndAControlStartClearsOnDestruction) {
    saveIdentity(false);
    {
        TQUEXClientFrm window;
        window.ShowMainFrm();
        window.HandleMessage(UM_CLOSE, 0, 0);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(savedIdentity(), u"tok-1/5/张三/zhang/pw"_s);

    saveIdentity(false, SS_ACTIVTX);
    { TQUEXClientFrm window; }
    EXPECT_EQ(TClientConfigX().StartStyle(), SS_NONE);
    EXPECT_EQ(savedIdentity().section(u'/', 0, 2), u"/0/"_s);
}

TEST_F(MainWindow, TextsFollowTheLanguage) {
    for (const THS_Language language : {HSL_ENG, HSL_CN}) {
        GlobalConfig()->SetSysLanguage(language);
        GlobalConfig()->Save();
        RenewGlobalConfig();
        TQUEXClientFrm window;
        const bool english = language == HSL_ENG;
        EXPECT_EQ(window.windowTitle(), u"Ov client tools"_s);
        EXPECT_EQ(window.userInfoText(), english ? u"    Not logged in"_s : u"    未登录..."_s);
        EXPECT_EQ(window.popupMenu()->actions().value(0)->text(),
                  english ? u"Close client"_s : u"关闭客户端系统"_s);
        EXPECT_EQ(window.toolsMenu()->actions().value(0)->text(), u"系统登录"_s);
        window.SetUserInfoText(u"Welcome:zhang"_s);
        EXPECT_EQ(window.userInfoText(), u"    Welcome:zhang"_s);
        // A name from the server is never rendered as markup.
        EXPECT_EQ(window.findChild<QLabel*>(u"plUserInfo"_s)->textFormat(), Qt::PlainText);
    }
}

TEST_F(MainWindow, SnoozeChoiceIsKeptInTheSettings) {
    TQUEXClientFrm window;
    const TDateTime before = Now();
    window.HandleMessage(UM_SET_MSG_TYPE, 0, 2);
    EXPECT_NEAR(GlobalConfig()->LastTimeOfViewMsg(), before + 1, 1.0 / 86400 * 5);
    window.HandleMessage(UM_SET_MSG_TYPE, 0, 9);
    EXPECT_NEAR(GlobalConfig()->LastTimeOfViewMsg(), before, 1.0 / 86400 * 5);
}

TEST_F(MainWindow, TimerTakesTheCommandFileOnlyWhileLoggedIn) {
    TQUEXClientFrm window;
    // The dispatcher takes the file when the window's tick asks it to.
    auto* module = new TWebModule(&window);
    window.Hooks().TakeWebCmdFile = [module] { module->TakeCommandFile(); };
    ASSERT_TRUE(WriteWebCmdFile(WebCmdFileName(), {13, u"x"_s}, 0));
    processEventsFor(700);
    EXPECT_TRUE(QFile::exists(WebCmdFileName()));
    window.SetLogin(true);
    processEventsFor(700);
    EXPECT_FALSE(QFile::exists(WebCmdFileName()));
    TWebCmd cmd;
    ASSERT_TRUE(WebCommand().Pop(cmd));
    EXPECT_EQ(cmd, (TWebCmd{13, u"x"_s}));
}

TEST_F(MainWindow, ClipboardCommandsAreClearedBeforeALogin) {
    const struct {
        QString text;
        QString after;
    } cases[] = {
        {u"[Key]5[/Key][FileName]a.doc[/FileName]"_s, u"  "_s},
        {u"[TranStyle]2[/TranStyle][FF]2[/FF]"_s, u"  "_s},
        {u"[key]5[/key]"_s, u"[key]5[/key]"_s},  // exact case only
        {u"plain text"_s, u"plain text"_s},
    };
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const auto& c : cases) {
        clipboard->setText(c.text);
        TQUEXClientFrm::ClearClipboardCmd();
        EXPECT_EQ(clipboard->text(), c.after) << c.text.toStdString();
    }
}

TEST(MainWindowFrame, BorderPointsGiveTheSidesToResizeFrom) {
    const QSize size(800, 640);
    const struct {
        QPoint at;
        Qt::Edges edges;
    } cases[] = {
        {{400, 300}, {}},
        {{2, 300}, Qt::LeftEdge},
        {{798, 300}, Qt::RightEdge},
        {{400, 1}, Qt::TopEdge},
        {{400, 639}, Qt::BottomEdge},
        {{1, 1}, Qt::TopEdge | Qt::LeftEdge},
        {{799, 2}, Qt::TopEdge | Qt::RightEdge},
        {{0, 639}, Qt::BottomEdge | Qt::LeftEdge},
        {{799, 639}, Qt::BottomEdge | Qt::RightEdge},
        {{4, 4}, {}},  // the border is four pixels wide
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TQUEXClientFrm::FrameEdgesAt(c.at, size, 4), c.edges)
            << c.at.x() << "," << c.at.y();
    }
}

TEST_F(MainWindow, LogoOfTheLanguageIsShownWhenItsFileExists) {
    GlobalConfig()->SetSysLanguage(HSL_ENG);
    GlobalConfig()->Save();
    RenewGlobalConfig();
    {
        TQUEXClientFrm window;
        EXPECT_EQ(window.logoPath(), GlobalConfig()->ConfigPath() + u"clientLogo2_ENG.png"_s);
        EXPECT_TRUE(window.logo()->pixmap().isNull());
        QPixmap picture(20, 20);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(window.logoPath(), "PNG"));
    }
    TQUEXClientFrm window;
    EXPECT_FALSE(window.logo()->pixmap().isNull());
}

// The home button opens the page through the desktop's opener; when that reports a failure
// (no web browser), the client says so instead of leaving only a line in the terminal.
TEST_F(MainWindow, TheHomeButtonSaysWhenNoBrowserCanOpenThePage) {
    const QByteArray path = qgetenv("PATH");
    for (const int status : {3, 0}) {
        SCOPED_TRACE(status);
        const QString bin = home.file(u"bin%1/"_s.arg(status));
        QDir().mkpath(bin);
        QFile opener(bin + u"xdg-open"_s);
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\nexit " + QByteArray::number(status) + "\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin) + ':' + path);
        TQUEXClientFrm window;
        window.findChild<QToolButton*>(u"imgHome"_s)->click();
        const auto hint = [&] { return window.findChild<QMessageBox*>(u"NoBrowserHint"_s); };
        if (status != 0) {
            const QDeadlineTimer deadline(20000);
            while (!hint() && !deadline.hasExpired())
                test::app().processEvents(QEventLoop::AllEvents, 20);
            ASSERT_NE(hint(), nullptr);
            EXPECT_EQ(hint()->text(), window.NoBrowserText());
            EXPECT_EQ(hint()->windowTitle(), window.HintText());
        } else {
            processEventsFor(1500);
            EXPECT_EQ(hint(), nullptr);
        }
    }
    qputenv("PATH", path);
}
