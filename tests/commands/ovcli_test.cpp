// The command-line harness against the test server: the login keeps the token in the session
// file, and the other commands use it.

#include "testing/ovcli/ovcli.h"
#include "fixture.h"
#include "testing/ovcli/session.h"

#include "support/ports.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class OvcliTest : public CommandsTest {
protected:
    QString address() const { return server.host() + u':' + QString::number(server.port()); }
    int run(QStringList arguments) {
        output.clear();
        errors.clear();
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
    EXPECT_EQ(errors, u"ovcli: login failed: Wrong user name or password\n"_s);
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    EXPECT_EQ(output, u"logged in as 演示用户 (user id 100001)\n"_s);
    // The token is the user's login: neither the session file nor its folder is open to others.
    const QFileInfo session(cli::DefaultSessionFile());
    const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    EXPECT_FALSE(session.permissions() & others);
    EXPECT_FALSE(QFileInfo(session.absolutePath()).permissions() & others);

    EXPECT_EQ(run({u"status"_s}), 0);
    EXPECT_EQ(output, u"server %1 is ready\n"_s.arg(address()));
    EXPECT_EQ(run({u"folders"_s}), 0);
    EXPECT_EQ(output, u"20  我的文档\n"_s);
    EXPECT_EQ(run({u"folders"_s, u"2"_s}), 0);
    EXPECT_EQ(output, u"10  设计图纸\n  11  机械\n  12  电气\n"_s);
    EXPECT_EQ(run({u"files"_s, u"20"_s}), 0);
    EXPECT_TRUE(output.startsWith(u"id\tmodified\tname\tchecked out by\tfolder\tsize\n"_s));
    EXPECT_TRUE(output.endsWith(u"\n2001\t2025-12-11 12:00:00\t周报.xlsx\t\tno\t1\n"_s))
        << output.toStdString();
    EXPECT_EQ(run({u"files"_s, u"10"_s, u"2"_s}), 0);
    EXPECT_TRUE(output.contains(u"\n11\t\t机械\t\tyes\t0\n"_s)) << output.toStdString();

    EXPECT_EQ(run({u"lock"_s, u"2001"_s}), 0);
    EXPECT_EQ(model.files[2001].lockedBy, demo::DemoUser);
    EXPECT_EQ(run({u"--token"_s, demo::OtherToken(), u"--lang"_s, u"cn"_s, u"lock"_s, u"1001"_s}),
              0);
    EXPECT_EQ(run({u"lock"_s, u"1001"_s}), 1);
    EXPECT_EQ(errors, u"ovcli: lock 1001 failed (14): The file has been locked.\n"_s);
    EXPECT_EQ(run({u"unlock"_s, u"2001"_s}), 0);
    EXPECT_EQ(output, u"unlocked 2001\n"_s);
    EXPECT_EQ(model.files[2001].lockedBy, 0);
}

// Each case: the command line (after --server), the exit status, and the start of what is
// printed on the standard output and on the standard error.
TEST_P(OvcliTest, MessagesSayWhatWentWrongAndWhere) {
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    const QString missing = home.file(u"no/such/folder/copy.xlsx"_s);
    const struct {
        QStringList args;
        int status;
        QString out;
        QString err;
    } cases[] = {
        {{u"files"_s, u"999"_s}, 1, {}, u"ovcli: folder 999 does not exist\n"_s},
        {{u"download"_s, u"2001"_s, missing}, 1, {},
         u"ovcli: download: %1: the folder %2 does not exist\n"_s.arg(
             missing, QFileInfo(missing).absolutePath())},
        {{u"upload"_s, u"20"_s, home.file(u"absent.txt"_s)}, 1, {},
         u"ovcli: upload: %1: no such file\n"_s.arg(home.file(u"absent.txt"_s))},
        {{u"--session"_s, home.file(u"none"_s), u"folders"_s}, 1, {},
         u"ovcli: not logged in, run login first\n"_s},
        {{u"frobnicate"_s}, 2, {}, u"ovcli: unknown command \"frobnicate\"\nusage: "_s},
        {{u"lock"_s}, 2, {}, u"ovcli: wrong arguments for \"lock\"\nusage: "_s},
        {{u"--lang"_s, u"fr"_s, u"status"_s}, 2, {}, u"ovcli: --lang fr: en or cn expected\n"_s},
        {{u"--help"_s}, 0, u"usage: ovcli --server HOST:PORT"_s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(run(c.args), c.status);
        EXPECT_TRUE(output.startsWith(c.out)) << output.toStdString();
        EXPECT_TRUE(c.err.isEmpty() ? errors.isEmpty() : errors.startsWith(c.err))
            << errors.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(missing).absolutePath()));
    // The help explains the arguments and where the session is kept.
    run({u"--help"_s});
    for (const QString& word : {u"OWNER"_s, u"KEY"_s, cli::DefaultSessionFile()})
        EXPECT_TRUE(output.contains(word)) << word.toStdString();
}

TEST_P(OvcliTest, ServerTextReachesTheTerminalEscaped) {
    model.users[demo::DemoUser].displayName = u"X\x1b]0;owned\x07\x1b[2J演示"_s;
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    EXPECT_EQ(output, u"logged in as X\\x1b]0;owned\\x07\\x1b[2J演示 (user id 100001)\n"_s);
    EXPECT_EQ(cli::Printable(u"a\\b\tc\u009b"_s), u"a\\\\b\\x09c\\x9b"_s);
}

TEST_P(OvcliTest, AnUnreachableServerIsNamed) {
    const QString closed = u"127.0.0.1:"_s + QString::number(closedPort());
    QTextStream out(&output), err(&errors);
    for (const char* command : {"status", "folders"}) {
        errors.clear();
        EXPECT_EQ(cli::Run({u"--server"_s, closed, u"--token"_s, u"t"_s,
                            QString::fromLatin1(command)},
                           out, err),
                  1);
        EXPECT_TRUE(errors.startsWith(u"ovcli: cannot reach %1 ("_s.arg(closed)))
            << errors.toStdString();
    }
}

TEST_P(OvcliTest, ATokenTooLongToKeepIsRefusedAtLogin) {
    model.users[demo::DemoUser].token = QString(70000, u't');
    EXPECT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 1);
    EXPECT_TRUE(errors.contains(u"too long to keep"_s)) << errors.toStdString();
    EXPECT_TRUE(output.isEmpty());
}

TEST_P(OvcliTest, APipeOrLinkInPlaceOfTheSessionFile) {
    const QString session = cli::DefaultSessionFile();
    QDir().mkpath(QFileInfo(session).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(session).constData(), 0600), 0);
    EXPECT_EQ(run({u"folders"_s}), 1);  // read without blocking: no session
    EXPECT_EQ(errors, u"ovcli: not logged in, run login first\n"_s);
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    EXPECT_TRUE(QFileInfo(session).isFile());

    const QString victim = home.file(u"victim"_s);
    {
        QFile empty(victim);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    QFile::remove(session);
    ASSERT_TRUE(QFile::link(victim, session));
    ASSERT_EQ(run({u"login"_s, u"demo"_s, u"demo123"_s}), 0);
    EXPECT_EQ(QFileInfo(victim).size(), 0);
    EXPECT_FALSE(QFileInfo(session).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(Commands, OvcliTest, ::testing::Bool(), TlsName);

}  // namespace
