#include <gtest/gtest.h>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

#include "client/app/composition.h"
#include "client/mainwindow/mainwindow.h"
#include "client/mainwindow/trayicon.h"
#include "client/startup/startup.h"
#include "client/webcommands/webcmd.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "platform/registry.h"
#include "platform/singleinstance.h"
#include "platform/windowbus.h"
#include "support/temphome.h"
#include "testapp.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

// The program started with one argument, as the browser starts it for a link.
std::unique_ptr<QProcess> startClient(const QString& argument) {
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral(OV_CLIENT_EXE), {argument});
    return process;
}

// Runs this process's event loop (the running instance) until the condition holds.
template <typename Condition>
bool processEventsUntil(Condition condition, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        test::app().processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

bool endedWell(QProcess& process) {
    return process.state() == QProcess::NotRunning &&
           process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QStringList drainQueue() {
    QStringList commands;
    TWebCmd cmd;
    while (WebCommand().Pop(cmd))
        commands << QString::number(cmd.Code) + u':' + cmd.Cmd;
    return commands;
}

// The running instance's main window with its dispatcher, connected as the start-up does.
std::unique_ptr<TQUEXClientFrm> runningWindow() {
    auto window = std::make_unique<TQUEXClientFrm>();
    ConnectWebCommands(*window, *new TWebModule(window.get()));
    return window;
}

// This test process is the running instance: its main window listens on the bus.
class HandOver : public ::testing::Test {
protected:
    void SetUp() override {
        test::app();
        RenewGlobalConfig();
        WebCommand().Clear();
        window = runningWindow();
        ASSERT_TRUE(window->ListenOnBus());
    }
    void TearDown() override {
        window.reset();
        WebCommand().Clear();
        FreeGlobalConfig();
    }

    test::TempHome home;
    std::unique_ptr<TQUEXClientFrm> window;
};

}  // namespace

TEST_F(HandOver, SecondStartHandsItsCommandOverAndEnds) {
    auto second = startClient(u"OvClient://-l%201%20-p%20[code]13[/code][cmd]first##doc[/cmd]/"_s);
    ASSERT_TRUE(processEventsUntil([&] { return second->state() == QProcess::NotRunning; }));
    EXPECT_TRUE(endedWell(*second));
    ASSERT_TRUE(processEventsUntil([] { return WebCommand().Count() == 1; }));
    EXPECT_EQ(drainQueue(), QStringList{u"13:first doc"_s});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFile::exists(WebCmdFileName()));
    // What the switch saved is in the shared settings for the running instance.
    EXPECT_EQ(RenewGlobalConfig()->SysLanguage(), HSL_ENG);
}

TEST_F(HandOver, CommandsInQuickSuccessionAreAllQueuedInOrder) {
    // This instance does not run its event loop while the second and third start: the second's
    // command file is still there when the third start wants to write its own.
    auto second = startClient(u"-p [code]11[/code][cmd]second[/cmd]"_s);
    ASSERT_TRUE(second->waitForFinished(60000));
    EXPECT_TRUE(endedWell(*second));
    ASSERT_TRUE(QFile::exists(WebCmdFileName()));
    auto third = startClient(u"-p [code]12[/code][cmd]third[/cmd]"_s);
    third->waitForFinished(2000);  // the third start waits for the file to be taken

    ASSERT_TRUE(processEventsUntil(
        [&] { return third->state() == QProcess::NotRunning && WebCommand().Count() == 2; }));
    EXPECT_TRUE(endedWell(*third));
    EXPECT_EQ(drainQueue(), QStringList({u"11:second"_s, u"12:third"_s}));
}

TEST_F(HandOver, FirstStartBecomesTheInstanceAndQueuesItsOwnCommand) {
    window.reset();  // no instance runs
    auto first = startClient(u"-p [code]15[/code][cmd]own[/cmd]"_s);
    const auto findFirst = [] { return bool(platform::findWindow(kMainWindowClass)); };
    ASSERT_TRUE(processEventsUntil(findFirst));
    // Its own command file was taken at once: a second start does not wait for it.
    EXPECT_TRUE(processEventsUntil([] { return !QFile::exists(WebCmdFileName()); }));
    // (A loaded machine may take seconds to start the program at all, so the bound is wide.)
    auto second = startClient(u"-l 1"_s);
    EXPECT_TRUE(second->waitForFinished(60000));
    EXPECT_TRUE(endedWell(*second));
    EXPECT_EQ(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished(10000);
}

TEST_F(HandOver, AStartWhileTheInstanceIsStillStartingWaitsForItsWindow) {
    window.reset();
    // An instance that holds the lock but shows its window only a moment later.
    platform::SingleInstance starting(u"OnlyInstanceForOvClient"_s);
    ASSERT_EQ(starting.acquire(), platform::SingleInstance::State::Owner);
    auto second = startClient(u"-p [code]16[/code][cmd]early[/cmd]"_s);
    processEventsUntil([] { return false; }, 1000);
    window = runningWindow();
    ASSERT_TRUE(window->ListenOnBus());
    ASSERT_TRUE(processEventsUntil(
        [&] { return second->state() == QProcess::NotRunning && WebCommand().Count() == 1; }));
    EXPECT_TRUE(endedWell(*second));  // it handed over instead of becoming a second instance
    EXPECT_EQ(drainQueue(), QStringList{u"16:early"_s});
}

TEST_F(HandOver, RegistrationEndsWithoutHandingOver) {
    auto registering = startClient(u"ovclient://-r/"_s);
    ASSERT_TRUE(processEventsUntil([&] { return registering->state() == QProcess::NotRunning; }));
    EXPECT_TRUE(endedWell(*registering));
    const QString program = QFileInfo(QStringLiteral(OV_CLIENT_EXE)).canonicalFilePath();
    EXPECT_EQ(platform::Registry::readString(platform::Hive::ClassesRoot,
                                             u"OvClient\\shell\\open\\command"_s),
              u"\""_s + program + u"\" \"%1\""_s);
    EXPECT_TRUE(QFile::exists(home.file(u".local/share/applications/ovclient.desktop"_s)));
    test::app().processEvents();
    EXPECT_FALSE(window->isVisible());  // no message reached the running instance
}

TEST(Tray, WithoutANotificationAreaTheIconIsNotShown) {
    test::app();
    TrayIcon tray(QIcon(), u"Orvane Client"_s);
    if (TrayIcon::hasTray()) GTEST_SKIP() << "this desktop has a notification area";
    EXPECT_FALSE(tray.show());
    EXPECT_FALSE(tray.isVisible());
    EXPECT_FALSE(tray.showMessage(u"t"_s, u"x"_s));
    EXPECT_EQ(TrayIcon::mouseCode(QSystemTrayIcon::Trigger), 0x201);
    EXPECT_EQ(TrayIcon::mouseCode(QSystemTrayIcon::Context), 0x204);
    EXPECT_EQ(TrayIcon::mouseCode(QSystemTrayIcon::MiddleClick), 0);
}
