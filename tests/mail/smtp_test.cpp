#include "core/smtpex.h"

#include "core/certpins.h"
#include "smtpserverprocess.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QProcess>

using namespace ov;
using namespace ov::test;

namespace {

class SmtpTest : public ::testing::Test {
protected:
    // A sender for the server with the authentication type, logging into `log`.
    std::unique_ptr<TSmtpEx> sender(int port, std::uint8_t authType,
                                    THS_Language language = HSL_ENG,
                                    const QString& password = QStringLiteral("secret")) {
        auto s = std::make_unique<TSmtpEx>();
        s->SetLanguage(language);
        s->SetSmtpSrvParams({QStringLiteral(" sender@example.cn "), displayName, password,
                             QStringLiteral("127.0.0.1"), port, authType});
        s->SetOnSmtpMsg([this](TSmtpEx*, const QString& msg) { log.append(msg); });
        s->setReadTimeout(10000);
        return s;
    }
    QString send(TSmtpEx& s, const QString& to = QStringLiteral("to@example.cn")) {
        try {
            EXPECT_TRUE(
                s.SendEx(to, QString(), QString(), QStringLiteral("T"), QStringLiteral("B")));
        } catch (const SmtpError& e) {
            return e.message();
        }
        return {};
    }

    TempHome home;
    QString displayName;
    QStringList log;
};

QString header(const QJsonObject& message, const char* name) {
    return message[QStringLiteral("headers")].toObject()[QLatin1String(name)].toString();
}

}  // namespace

TEST_F(SmtpTest, PlainSendWithEncodedHeadersRecipientsAndLog) {
    SmtpServerProcess server(home.path(), {});
    displayName = QStringLiteral("文档 系统");
    auto s = sender(server.port(), satNone);
    const QString subject =
        QStringLiteral("测试邮件：中文标题 that is long enough to need several encoded words");
    const QString body =
        QStringLiteral("<p>在测试您的SMTP设置时</p>\r\n.\r\n<p>line after a dot</p>");
    ASSERT_TRUE(s->SSLSend(QStringLiteral("王五 <ww@example.cn>;to@example.cn"),
                           QStringLiteral("cc@example.cn"), QStringLiteral("hidden@example.cn"),
                           subject, body, home.file(QStringLiteral("no-such-file"))));

    const QList<QJsonObject> messages = server.events(QStringLiteral("message"));
    ASSERT_EQ(messages.size(), 1);
    const QJsonObject m = messages.first();
    EXPECT_EQ(m[QStringLiteral("from")].toString(), QStringLiteral("sender@example.cn"));
    EXPECT_EQ(m[QStringLiteral("rcpt")].toArray().toVariantList(),
              (QVariantList{QStringLiteral("ww@example.cn"), QStringLiteral("to@example.cn"),
                            QStringLiteral("cc@example.cn"), QStringLiteral("hidden@example.cn")}));
    EXPECT_EQ(header(m, "Subject"), subject);
    EXPECT_EQ(header(m, "From"), QStringLiteral("文档 系统 <sender@example.cn>"));
    EXPECT_EQ(header(m, "To"), QStringLiteral("王五 <ww@example.cn>, to@example.cn"));
    EXPECT_EQ(header(m, "Cc"), QStringLiteral("cc@example.cn"));
    EXPECT_EQ(header(m, "Reply-To"), QStringLiteral("sender@example.cn"));
    EXPECT_TRUE(header(m, "Bcc").isEmpty());
    EXPECT_FALSE(header(m, "Date").isEmpty());
    // The display name is joined to the address without a blank.
    EXPECT_TRUE(
        m[QStringLiteral("data")].toString().contains(QStringLiteral("?=<sender@example.cn>")));
    EXPECT_EQ(m[QStringLiteral("contentType")].toString(), QStringLiteral("text/html"));
    EXPECT_EQ(
        m[QStringLiteral("body")].toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
        QString(body).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(m[QStringLiteral("attachments")].toArray().isEmpty());
    EXPECT_FALSE(m[QStringLiteral("tls")].toBool());

    EXPECT_EQ(
        log,
        (QStringList{
            QStringLiteral("Parameter initialization"),
            QStringLiteral("Host=127.0.0.1 Port=%1 Account=sender@example.cn").arg(server.port()),
            QStringLiteral("Connecting SMTP server..."), QStringLiteral("Start sending"),
            QStringLiteral("Sent successfully")}));
}

TEST_F(SmtpTest, EmptyTitleAndAnAttachment) {
    SmtpServerProcess server(home.path(), {});
    const QString file = home.file(QStringLiteral("报告.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray content = QByteArray(100000, 'x') + "end";
    f.write(content);
    f.close();
    auto s = sender(server.port(), satNone);
    ASSERT_TRUE(s->SSLSend(QStringLiteral("to@example.cn"), {}, {}, QStringLiteral("  "),
                           QStringLiteral("<b>hi</b>"), file));
    const QJsonObject m = server.events(QStringLiteral("message")).value(0);
    EXPECT_EQ(header(m, "Subject"), QStringLiteral("Title"));
    EXPECT_TRUE(header(m, "Content-Type").startsWith(QStringLiteral("multipart/mixed")));
    EXPECT_EQ(m[QStringLiteral("body")].toString().trimmed(), QStringLiteral("<b>hi</b>"));
    const QJsonObject attachment = m[QStringLiteral("attachments")].toArray().at(0).toObject();
    EXPECT_EQ(attachment[QStringLiteral("name")].toString(), QStringLiteral("报告.txt"));
    EXPECT_EQ(attachment[QStringLiteral("content")].toString().toLatin1(), content);
}

TEST_F(SmtpTest, DefaultLoginAndRefusedPassword) {
    SmtpServerProcess server(home.path(), {false, QStringLiteral("sender@example.cn:secret")});
    auto good = sender(server.port(), satDefault);
    EXPECT_EQ(send(*good), QString());
    auto bad = sender(server.port(), satDefault, HSL_ENG, QStringLiteral("wrong"));
    EXPECT_FALSE(send(*bad).isEmpty());

    const QList<QJsonObject> auths = server.events(QStringLiteral("auth"));
    ASSERT_EQ(auths.size(), 2);
    EXPECT_EQ(auths[0][QStringLiteral("mechanism")].toString(), QStringLiteral("LOGIN"));
    EXPECT_EQ(auths[0][QStringLiteral("login")].toString(), QStringLiteral("sender@example.cn"));
    EXPECT_TRUE(auths[0][QStringLiteral("ok")].toBool());
    EXPECT_FALSE(auths[1][QStringLiteral("ok")].toBool());
    EXPECT_EQ(server.events(QStringLiteral("message")).size(), 1);
    // The connection stood both times: sending started before the login was refused.
    EXPECT_EQ(log.count(QStringLiteral("Start sending")), 2);
    EXPECT_EQ(log.count(QStringLiteral("Sent successfully")), 1);
    EXPECT_EQ(log.last(), QStringLiteral("Start sending"));
}

TEST_F(SmtpTest, SaslAfterStartTlsWithThePreferredMechanism) {
    SmtpServerProcess server(home.path(), {true, QStringLiteral("sender@example.cn:secret"), true});
    auto s = sender(server.port(), satSASL, HSL_CN);
    EXPECT_EQ(send(*s), QString());
    const QList<QJsonObject> auths = server.events(QStringLiteral("auth"));
    ASSERT_EQ(auths.size(), 1);
    EXPECT_EQ(auths[0][QStringLiteral("mechanism")].toString(), QStringLiteral("CRAM-MD5"));
    EXPECT_TRUE(auths[0][QStringLiteral("tls")].toBool());
    const QJsonObject m = server.events(QStringLiteral("message")).value(0);
    EXPECT_TRUE(m[QStringLiteral("tls")].toBool());
    EXPECT_EQ(m[QStringLiteral("login")].toString(), QStringLiteral("sender@example.cn"));
    // The server's self-signed certificate was pinned on first use.
    EXPECT_TRUE(QFile::exists(certificatePinFile()));
    EXPECT_EQ(log.value(0), QStringLiteral("参数初始化"));
    EXPECT_EQ(log.mid(2),
              (QStringList{QStringLiteral("开始连接SMTP服务器, 请等候..."),
                           QStringLiteral("开始发送邮件"), QStringLiteral("完成邮件发送")}));
}

TEST_F(SmtpTest, SaslNeverSendsTheLoginWithoutStartTls) {
    SmtpServerProcess server(home.path(), {false, QStringLiteral("sender@example.cn:secret")});
    auto s = sender(server.port(), satSASL);
    const QString error = send(*s);
    EXPECT_TRUE(error.contains(QStringLiteral("STARTTLS"))) << error.toStdString();
    EXPECT_TRUE(server.events(QStringLiteral("auth")).isEmpty());
    EXPECT_TRUE(server.events(QStringLiteral("message")).isEmpty());
    EXPECT_FALSE(log.contains(QStringLiteral("Start sending")));
}

TEST_F(SmtpTest, SettingsAreCheckedInOrderBeforeConnecting) {
    struct Case {
        const char* host;
        int port;
        const char* user;
        const char* recipients;
        const char* message;
    };
    const Case cases[] = {
        {" ", 0, "", "", "Incorrect SMPT host"},
        {"127.0.0.1", 0, "", "", "Incorrect SMPT port"},
        {"127.0.0.1", 70000, "", "", "Incorrect SMPT port"},
        {"127.0.0.1", 1, "  ", "", "SMPT Email is Error"},
        {"127.0.0.1", 1, "a@b.cn", "  ", "Recipient can not be empty"},
        {"127.0.0.1", 1, "a@b.cn", " ; ", "Recipient can not be empty"},
        // A line break in an envelope address would smuggle in further SMTP commands.
        {"127.0.0.1", 1, "a@b.cn\r\nRSET", "x@y.cn", "SMPT Email is Error"},
        {"127.0.0.1", 1, "a@b.cn", "x@y.cn;y@z.cn\r\nDATA", "Invalid recipient address"},
    };
    for (const Case& c : cases) {
        log.clear();
        TSmtpEx s;
        s.SetOnSmtpMsg([this](TSmtpEx*, const QString& msg) { log.append(msg); });
        s.SetSmtpSrvParams({QLatin1String(c.user), {}, {}, QLatin1String(c.host), c.port, 0});
        try {
            s.SendEx(QLatin1String(c.recipients), {}, {}, {}, {});
            ADD_FAILURE() << c.message;
        } catch (const SmtpError& e) {
            EXPECT_EQ(e.message(), QLatin1String(c.message));
        }
        EXPECT_EQ(log.size(), 2) << c.message;  // nothing past the parameter lines
    }
}

TEST_F(SmtpTest, UnreachableServerRaises) {
    auto s = sender(1, satNone);
    EXPECT_FALSE(send(*s).isEmpty());
    EXPECT_EQ(log.last(), QStringLiteral("Connecting SMTP server..."));
}

namespace {

// An SMTP server that accepts the envelope, asks for the message and then stops reading.
const char* const StallingServer = R"(
import socket, sys
listener = socket.socket()
listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
listener.bind(("127.0.0.1", 0))
listener.listen()
print(listener.getsockname()[1], flush=True)
connection, _ = listener.accept()
lines = connection.makefile("rb")
connection.sendall(b"220 loopback\r\n")
for line in lines:
    command = line[:4].upper()
    if command == b"DATA":
        connection.sendall(b"354 go on\r\n")
        sys.stdin.read()
        break
    connection.sendall(b"250 ok\r\n")
)";

}  // namespace

TEST_F(SmtpTest, ServerThatStopsTakingTheMessageTimesOut) {
    const QString file = home.file(QStringLiteral("big.bin"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(qint64(24) << 20));
    f.close();
    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(StallingServer)});
    ASSERT_TRUE(server.waitForReadyRead(10000));
    auto s = sender(server.readLine().trimmed().toInt(), satNone);
    s->setReadTimeout(1000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(s->SSLSend(QStringLiteral("to@example.cn"), {}, {}, QStringLiteral("T"),
                            QStringLiteral("B"), file),
                 SmtpError);
    EXPECT_LT(timer.elapsed(), 15000);
    EXPECT_EQ(log.last(), QStringLiteral("Start sending"));
    server.kill();
    server.waitForFinished();
}
