// The login request on its own thread, against the test server over plain TCP and TLS.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <optional>

#include "client/login/logintask.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;

namespace {

QCoreApplication& coreApp() {
    static int argc = 1;
    static char name[] = "test_logintask";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

class LoginTaskTest : public ::testing::TestWithParam<bool> {
protected:
    LoginTaskTest() : server(DocServer::Options{GetParam()}) {
        coreApp();
        demo::LoadDemo(model);
        commands.install(server);
    }
    TLoginServer address() const { return {server.host(), server.port(), GetParam()}; }

    TempHome home;  // the TLS runs pin the test certificate here
    DocModel model;
    DocCommands commands{model};
    DocServer server;
};

INSTANTIATE_TEST_SUITE_P(Transport, LoginTaskTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

}  // namespace

TEST_P(LoginTaskTest, AnswersOnTheCreatorsThreadAndEndsItself) {
    struct Case {
        QString name, password;
        bool ok;
        QString text;
    } cases[] = {
        {u"demo"_s, u"demo123"_s, true, QString()},
        {u"demo"_s, u"x"_s, false, u"Wrong user name or password"_s},
    };
    for (const Case& c : cases) {
        std::optional<TLoginReply> reply;
        const auto creator = std::this_thread::get_id();
        QPointer<LoginTask> task =
            new LoginTask(address(), c.name, c.password, HSL_ENG, [&](const TLoginReply& r) {
                EXPECT_EQ(std::this_thread::get_id(), creator);
                reply = r;
            });
        const QDeadlineTimer deadline(15000);
        while ((!reply || task) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(reply->ok, c.ok);
        EXPECT_EQ(reply->error, c.text);
        EXPECT_EQ(reply->userId, c.ok ? demo::DemoUser : 0);
        EXPECT_EQ(reply->encryptId, c.ok ? demo::DemoToken() : QString());
        EXPECT_TRUE(task.isNull());
    }
}

TEST_P(LoginTaskTest, ATaskDestroyedFirstNeverCallsBack) {
    bool called = false;
    delete new LoginTask(address(), u"demo"_s, u"demo123"_s, HSL_ENG,
                         [&](const TLoginReply&) { called = true; });
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(called);
    EXPECT_EQ(server.requests().size(), 1u);
}
