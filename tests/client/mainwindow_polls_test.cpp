// The main window's clipboard polls, its work panels and its first activation, offscreen.

#include <gtest/gtest.h>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QMenu>
#include <functional>

#include "client/mainwindow/clipboardpoll.h"
#include "client/mainwindow/mainwindow.h"
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
        test::app().processEvents(QEventLoop::AllEvents, 10);
}

// Processes events until the condition holds or five seconds pass; a loaded machine may take
// longer than a fixed pause to deliver an activation.
bool processEventsUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        test::app().processEvents(QEventLoop::AllEvents, 10);
    return done();
}

QClipboard& clipboard() {
    return *QGuiApplication::clipboard();
}

class MainWindowPolls : public ::testing::Test {
protected:
    void SetUp() override {
        test::app();
        RenewGlobalConfig();
        clipboard().setText(QString());
    }
    void TearDown() override { FreeGlobalConfig(); }

    // A logged-in window whose hooks log what they are asked, in order.
    void hookUp(TQUEXClientFrm& window) {
        TMainFrmHooks& hooks = window.Hooks();
        hooks.FileManagerInit = [this] { calls << u"init"_s; };
        hooks.BatchStartAll = [this] { calls << u"start all"_s; };
        hooks.BatchAppendTaskCmd = [this](const QString& cmd) { calls << u"task "_s + cmd; };
        hooks.EditFile = [this](const QString& cmd, bool wasVisible) {
            calls << u"edit "_s + cmd + (wasVisible ? u" visible"_s : u" hidden"_s);
        };
        hooks.FileManagerSelectOwner = [this] { calls << u"select owner"_s; };
        window.SetLogin(true);
    }

    test::TempHome home;
    QStringList calls;
};

TEST(ClipboardCommands, WhichTextsAreCommands) {
    const struct {
        QString text;
        bool edit;
        bool batch;
    } cases[] = {
        {u"[Key]1234567890123[/Key][FileName]a.doc[/FileName]"_s, true, false},
        {u"[key] -5 [/key]"_s, true, false},
        {u"[Key]0[/Key]"_s, false, false},
        {u"[Key]abc[/Key]"_s, false, false},
        {u"[TranStyle]2[/TranStyle][FF]2[/FF][OwnerId]5[/OwnerId]"_s, false, true},
        {u"[TranStyle]2[/TranStyle][FF]0[/FF]"_s, false, false},
        {u"[TranStyle]x[/TranStyle][FF]1[/FF]"_s, false, false},
        {u"[FF]1[/FF]"_s, false, false},
        {u"  "_s, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsEditFileCmd(c.text), c.edit) << c.text.toStdString();
        EXPECT_EQ(IsBatchTaskCmd(c.text), c.batch) << c.text.toStdString();
    }
}

TEST_F(MainWindowPolls, BatchTaskIsTakenOnceAndHandedToTheBatchWindow) {
    TQUEXClientFrm window;
    hookUp(window);
    auto* files = new QWidget;
    auto* batch = new QWidget;
    window.SetFileManagerPanel(files);
    window.SetBatchPanel(batch);
    const QString task = u"[TranStyle]2[/TranStyle][FF]2[/FF][OwnerId]5[/OwnerId]"_s;
    clipboard().setText(task);
    window.TimerMsgTimer();
    window.TimerMsgTimer();
    EXPECT_EQ(clipboard().text(), u"  "_s);
    EXPECT_EQ(calls, QStringList({u"init"_s, u"start all"_s, u"task "_s + task}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(files->isVisible());
    EXPECT_TRUE(batch->isVisible());
}

TEST_F(MainWindowPolls, OnlineEditIsTakenOnceAndHandedToTheMonitor) {
    TQUEXClientFrm window;
    hookUp(window);
    const QString tooLong = u"[Key]5[/Key]"_s + QString(kMaxClipboardCmdLength, u'x');
    for (const QString& notACommand : {u"[Key]0[/Key]"_s, tooLong}) {
        clipboard().setText(notACommand);
        window.TimerMsgTimer();
        EXPECT_EQ(clipboard().text().size(), notACommand.size());
    }
    EXPECT_TRUE(calls.isEmpty());

    clipboard().setText(u"[Key]77[/Key][FileName]a.doc[/FileName]"_s);
    window.TimerMsgTimer();
    window.TimerMsgTimer();
    EXPECT_EQ(clipboard().text(), u"  "_s);
    EXPECT_EQ(calls,
              QStringList({u"init"_s, u"edit [Key]77[/Key][FileName]a.doc[/FileName] hidden"_s,
                           u"select owner"_s}));
    EXPECT_TRUE(window.isVisible());
}

// A command stays on the clipboard while nobody is logged in and while the window that would
// carry it out does not exist, so that it is not lost.
TEST_F(MainWindowPolls, CommandsWaitForTheLoginAndForTheirWindow) {
    const QString edit = u"[Key]77[/Key]"_s;
    const QString task = u"[TranStyle]1[/TranStyle][FF]1[/FF]"_s;
    for (const QString& text : {edit, task}) {
        TQUEXClientFrm window;
        hookUp(window);
        window.SetLogin(false);
        clipboard().setText(text);
        window.TimerMsgTimer();
        EXPECT_EQ(clipboard().text(), text);

        window.SetLogin(true);
        window.Hooks().EditFile = nullptr;
        window.Hooks().BatchAppendTaskCmd = nullptr;
        window.TimerMsgTimer();
        EXPECT_EQ(clipboard().text(), text);
        EXPECT_TRUE(calls.isEmpty());
    }
}

TEST_F(MainWindowPolls, RunAfterLoginShowsThePanelWithWork) {
    for (const int unfinished : {0, 3}) {
        TQUEXClientFrm window;
        QStringList fronts;
        window.Hooks().BatchUnOverTaskNum = [unfinished] { return unfinished; };
        window.Hooks().BatchStartAll = [&] { fronts << u"start"_s; };
        window.Hooks().BatchToFront = [&] { fronts << u"batch"_s; };
        window.Hooks().FileManagerToFront = [&] { fronts << u"files"_s; };
        auto* files = new QWidget;
        auto* batch = new QWidget;
        window.SetFileManagerPanel(files);
        window.SetBatchPanel(batch);
        window.ShowMainFrm();
        EXPECT_FALSE(files->isVisible());
        window.PostRun();
        processEventsFor(50);
        EXPECT_EQ(fronts, QStringList({u"start"_s, unfinished ? u"batch"_s : u"files"_s}));
        EXPECT_TRUE(files->isVisible());
        EXPECT_TRUE(batch->isVisible());
    }
}

// The login dialog of the first activation activates the window again when it closes; that
// must not start a second login.
TEST_F(MainWindowPolls, FirstActivationLogsInOnce) {
    TQUEXClientFrm window;
    QWidget other;
    int logins = 0;
    window.Hooks().LoginOnActivate = [&] {
        ++logins;
        other.show();
        other.activateWindow();
        processEventsFor(50);
        window.activateWindow();
        processEventsFor(50);
    };
    window.ShowMainFrm();
    EXPECT_TRUE(processEventsUntil([&] { return logins > 0; }));
    processEventsFor(100);
    EXPECT_EQ(logins, 1);
    other.activateWindow();
    processEventsFor(50);
    window.activateWindow();
    processEventsFor(50);
    EXPECT_EQ(logins, 1);
}

TEST_F(MainWindowPolls, MenusCallTheirDialogs) {
    TQUEXClientFrm window;
    QStringList opened;
    window.Hooks().LoginFromMenu = [&] { opened << u"login"_s; };
    window.Hooks().ShowServerHostDialog = [&] { opened << u"server"_s; };
    window.Hooks().ShowWorkPathDialog = [&] { opened << u"work"_s; };
    window.Hooks().ShowPasswordDialog = [&] { opened << u"password"_s; };
    GlobalConfig()->SetUserId(5);
    for (const char* name : {"tnLogin", "tnServerUrl", "tnWork", "N2"})
        window.toolsMenu()->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    EXPECT_EQ(opened, QStringList({u"login"_s, u"server"_s, u"work"_s, u"password"_s}));
}

}  // namespace
