// The command-line harness against the test server: the login keeps the token in the session
// file, and the other commands use it.

#include "testing/ovcli/ovcli.h"
#include "fixture.h"
#include "testing/ovcli/session.h"

#include <QFileInfo>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class OvcliTest : public CommandsTest {
protected:
    int run(QStringList arguments) {
        output.clear();
        QTextStream out(&output), err(&errors);
        arguments.prepend(server.host() + u':' + QString::number(server.port()));
        arguments.prepend(u"--server"_s);
        if (GetParam()) arguments.prepend(u"--tls"_s);
        return cli::Run(arguments, out, err);
    }
    QString output;
    QString errors;
};

TEST_P(OvcliTest, LoginThenStatusFoldersFilesLockAndUnlock) {
    EXPECT_EQ(run({u"login"_s, u"demo"_s, u"wrong"_s}), 1);
    EXPECT_EQ(output, u"login failed: Wrong user name or password\n"_s);
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    EXPECT_EQ(output, u"logged in as 演示用户 (user id 100001)\n"_s);
    // The token is the user's login: neither the session file nor its folder is open to others.
    const QFileInfo session(cli::DefaultSessionFile());
    const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    EXPECT_FALSE(session.permissions() & others);
    EXPECT_FALSE(QFileInfo(session.absolutePath()).permissions() & others);

    EXPECT_EQ(run({u"status"_s}), 0);
    EXPECT_EQ(output, u"server status: 80 ('P')\n"_s);
    EXPECT_EQ(run({u"folders"_s}), 0);
    EXPECT_EQ(output, u"20  我的文档\n"_s);
    EXPECT_EQ(run({u"folders"_s, u"2"_s}), 0);
    EXPECT_EQ(output, u"10  设计图纸\n  11  机械\n  12  电气\n"_s);
    EXPECT_EQ(run({u"files"_s, u"20"_s}), 0);
    EXPECT_TRUE(output.endsWith(u"2001\t46002500000000\t周报.xlsx\t\tFalse\t1\n"_s));

    EXPECT_EQ(run({u"lock"_s, u"2001"_s}), 0);
    EXPECT_EQ(model.files[2001].lockedBy, demo::DemoUser);
    EXPECT_EQ(run({u"--token"_s, demo::OtherToken(), u"--lang"_s, u"cn"_s, u"lock"_s, u"1001"_s}),
              0);
    EXPECT_EQ(run({u"lock"_s, u"1001"_s}), 1);
    EXPECT_EQ(output, u"lock failed (14): The file has been locked.\n"_s);
    EXPECT_EQ(run({u"unlock"_s, u"2001"_s}), 0);
    EXPECT_EQ(output, u"unlocked 2001\n"_s);
    EXPECT_EQ(model.files[2001].lockedBy, 0);

    EXPECT_EQ(run({u"frobnicate"_s}), 2);
}

INSTANTIATE_TEST_SUITE_P(Commands, OvcliTest, ::testing::Bool(), TlsName);

}  // namespace
