#include "platform/windowbus.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "children.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::platform;

namespace {

// Sends 0x13 until the child has seen `count` posts (posts on separate connections may be
// read in any order) or the time is up.
qint64 waitForPosts(const WindowHandle& window, qint64 count) {
    const QDeadlineTimer deadline(10000);
    qint64 seen = -1;
    while (!deadline.hasExpired()) {
        seen = sendMessage(window, 0x13, 0, 0).value_or(-1);
        if (seen == count) break;
    }
    return seen;
}

// Runs the event loop until the condition holds or five seconds have passed.
template <typename Condition>
void processEventsUntil(Condition condition) {
    const QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// A window of this process, with an application object of its own, in a private home.
class WindowBusHere : public ::testing::Test {
protected:
    ov::test::TempHome home;
    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

}  // namespace

TEST(WindowBus, AnotherProcessFindsPostsAndSendsToTheWindow) {
    ov::test::TempHome home;
    auto child = ov::test::startChild(u"window"_s);
    ASSERT_TRUE(ov::test::waitForLine(*child, u"ready"_s));

    const WindowHandle window = findWindow(u"TESTWNDCLASS"_s);
    ASSERT_TRUE(window);  // class names compare without regard to case
    EXPECT_FALSE(findWindow(u"OtherClass"_s));

    // The handler ran on the child's main thread and its result came back.
    EXPECT_EQ(sendMessage(window, 0x500, 40, 2), 42);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(postMessage(window, 0x46F, 0, 0x201));
    EXPECT_TRUE(postMessage(window, 0x46F, 0, 0x204));  // not counted by the child
    EXPECT_EQ(waitForPosts(window, 3), 3);

    // A handler slower than the time limit gives no result; the window goes on serving.
    EXPECT_EQ(sendMessage(window, 0x10, 0, 0, 200), std::nullopt);
    EXPECT_EQ(sendMessage(window, 0x500, 1, 1), 2);

    EXPECT_TRUE(postMessage(window, 0x12, 0, 5));
    EXPECT_EQ(ov::test::childExitCode(*child), 5);
    EXPECT_FALSE(findWindow(u"TestWndClass"_s));
    EXPECT_FALSE(postMessage(window, 0x500, 0, 0, 500));
    EXPECT_EQ(sendMessage(window, 0x500, 0, 0, 500), std::nullopt);
}

TEST_F(WindowBusHere, SocketOfAKilledWindowIsReplacedAndALiveOneIsNot) {
    auto child = ov::test::startChild(u"window"_s);
    ASSERT_TRUE(ov::test::waitForLine(*child, u"ready"_s));

    BusWindow second(u"TestWndClass"_s);
    EXPECT_FALSE(second.listen());  // a live window of the class is kept

    child->kill();
    child->waitForFinished(10000);
    ASSERT_TRUE(QFile::exists(windowSocketPath(u"TestWndClass"_s)));  // left behind
    EXPECT_FALSE(findWindow(u"TestWndClass"_s));
    EXPECT_TRUE(second.listen());
    EXPECT_TRUE(findWindow(u"TestWndClass"_s));
}

TEST_F(WindowBusHere, MalformedFramesCloseOnlyThatConnection) {
    BusWindow window(u"TestWndClass"_s);
    qint64 handled = 0;
    window.setHandler([&](quint32, qint64, qint64 lParam) { return handled += lParam; });
    ASSERT_TRUE(window.listen());

    QLocalSocket garbage;
    garbage.connectToServer(windowSocketPath(u"TestWndClass"_s));
    ASSERT_TRUE(garbage.waitForConnected(2000));
    garbage.write(QByteArray(4096, '\x7f'));  // no valid kind byte
    garbage.flush();
    QDeadlineTimer deadline(5000);
    while (garbage.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        app.processEvents();
        garbage.waitForDisconnected(10);
    }
    EXPECT_EQ(garbage.state(), QLocalSocket::UnconnectedState);
    EXPECT_EQ(handled, 0);

    // A post from this thread is handled once the event loop runs.
    ASSERT_TRUE(postMessage(findWindow(u"TestWndClass"_s), 0x500, 0, 9));
    processEventsUntil([&] { return handled != 0; });
    EXPECT_EQ(handled, 9);
}

TEST(WindowBus, UnusableClassNames) {
    ov::test::TempHome home;
    for (const QString& bad : {QString(), u"a/b"_s, u"../x"_s, u"宋体"_s, QString(65, u'a')}) {
        EXPECT_FALSE(isValidClassName(bad)) << bad.toStdString();
        EXPECT_FALSE(BusWindow(bad).listen());
        EXPECT_FALSE(findWindow(bad));
    }
    EXPECT_TRUE(isValidClassName(u"TBatchFileDealMainFrm2"_s));
}

// A handler may run an event loop of its own (a message box, say). The caller that posted has
// gone by then, and its connection is closed and freed in that loop; the window reads on
// without touching it.
TEST_F(WindowBusHere, HandlerRunningAnEventLoopOutlivesTheConnectionOfItsMessage) {
    BusWindow window(u"TestWndClass"_s);
    int handled = 0;
    window.setHandler([&](quint32, qint64, qint64) {
        ++handled;
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        return 0;
    });
    ASSERT_TRUE(window.listen());
    const WindowHandle handle = findWindow(u"TestWndClass"_s);
    ASSERT_TRUE(postMessage(handle, 0x500, 0, 1));
    processEventsUntil([&] { return handled != 0; });
    ASSERT_EQ(handled, 1);
    // The window still serves.
    ASSERT_TRUE(postMessage(handle, 0x500, 0, 2));
    processEventsUntil([&] { return handled != 1; });
    EXPECT_EQ(handled, 2);
}
