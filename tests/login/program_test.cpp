// The program itself logs in when its window first shows: from a server page's link (server
// and identity handed over) and from saved credentials.

#include <gtest/gtest.h>
#include <QProcess>

#include "client/startup/startup.h"
#include "loginfixture.h"
#include "platform/windowbus.h"
#include "testing/docserver/httppages.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;

namespace {

class LoginProgram : public LoginFixture, public ::testing::Test {
protected:
    DemoServer demoServer{false};
};

}  // namespace

TEST_F(LoginProgram, LogsInOnStartFromALinkAndFromSavedCredentials) {
    saveAutoLogin(demoServer.address(), demo::DemoPassword());
    const ServerAddress address{demoServer.server.host(), demoServer.server.port(), false};
    struct Case {
        QString argument;
        int loginRequests;
    } cases[] = {
        {clientStartLink(address, *demoServer.model.userByLogin(demo::DemoLogin())), 0},
        {QString(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        demoServer.server.clearRequests();
        QProcess client;
        client.setProcessChannelMode(QProcess::MergedChannels);
        client.start(QStringLiteral(OV_CLIENT_EXE),
                     c.argument.isEmpty() ? QStringList() : QStringList{c.argument});
        QByteArray output;
        const bool loggedIn = waitUntil([&] {
            output += client.readAll();
            return output.contains("logged in as \"演示用户\"") ||
                   client.state() == QProcess::NotRunning;
        });
        EXPECT_TRUE(loggedIn && output.contains("logged in")) << output.toStdString();
        EXPECT_EQ(demoServer.logins().size(), c.loginRequests);
        // Message 0x470 ends the program.
        platform::WindowHandle window;
        waitUntil([&] { return bool(window = platform::findWindow(kMainWindowClass)); });
        ASSERT_TRUE(window);
        platform::postMessage(window, 0x470, 0, 0);
        ASSERT_TRUE(client.waitForFinished(15000));
        EXPECT_EQ(client.exitCode(), 0);
    }
}

// Exit while the server holds the fetch that follows the login: the program ends at once and
// cleanly, without waiting for the server or running into its own shut-down.
TEST_F(LoginProgram, EndsPromptlyWhileTheServerHoldsItsWork) {
    demoServer.server.setFault(Fault::Stall);
    const ServerAddress address{demoServer.server.host(), demoServer.server.port(), false};
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(QStringLiteral(OV_CLIENT_EXE),
                 {clientStartLink(address, *demoServer.model.userByLogin(demo::DemoLogin()))});
    QByteArray output;
    ASSERT_TRUE(waitUntil([&] {
        output += client.readAll();
        return output.contains("logged in") || client.state() == QProcess::NotRunning;
    })) << output.toStdString();
    // The fetch after the login and the first message poll are under way by now.
    waitUntil([] { return false; }, 1500);
    platform::WindowHandle window;
    waitUntil([&] { return bool(window = platform::findWindow(kMainWindowClass)); });
    ASSERT_TRUE(window);
    platform::postMessage(window, 0x470, 0, 0);
    ASSERT_TRUE(client.waitForFinished(10000));
    output += client.readAll();
    EXPECT_EQ(client.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(client.exitCode(), 0) << output.toStdString();
}
