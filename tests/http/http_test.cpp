#include "core/httpclient.h"

#include "core/certpins.h"
#include "httpresponder.h"
#include "platform/codepage.h"
#include "support/temphome.h"
#include "testing/docserver/testcert.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

using namespace ov;
using namespace ov::test;

namespace {

class HttpTest : public ::testing::Test {
protected:
    explicit HttpTest(bool tls = false)
        : server(DocServer::Options{tls, 0, std::nullopt}), responder(server) {}
    QString url(const char* path) const {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(server.isTls() ? u"https" : u"http")
            .arg(server.port())
            .arg(QLatin1String(path));
    }
    HttpError::Kind failureOf(TSSLHttp& http, const char* path) {
        try {
            http.GetBytes(url(path));
        } catch (const HttpError& e) {
            lastMessage = e.message();
            return e.kind();
        }
        ADD_FAILURE() << "no error for " << path;
        return HttpError::Kind::Connection;
    }

    TempHome home;
    DocServer server;
    HttpResponder responder;
    QString lastMessage;
};

class HttpsTest : public HttpTest {
protected:
    HttpsTest() : HttpTest(true) {}
};

QByteArray binaryBody(int size) {
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        body[i] = char((i * 7 + i / 251) & 0xFF);
    return body;
}

}  // namespace

TEST_F(HttpTest, TextIsDecodedByTheCharsetTheResponseNames) {
    responder.set("/utf8", {"HTTP/1.1 200 OK",
                            {"Content-Type: text/plain; charset=UTF-8"},
                            QStringLiteral("密级 ok").toUtf8()});
    responder.set("/gbk", {"HTTP/1.1 200 OK",
                           {"Content-Type: text/html; charset=\"gbk\""},
                           platform::toSystemCodePage(QStringLiteral("中文"))});
    responder.set("/none", {"HTTP/1.1 200 OK", {}, QStringLiteral("é").toUtf8()});
    TSSLHttp http;
    EXPECT_EQ(http.Get(url("/utf8")), QStringLiteral("密级 ok"));
    EXPECT_EQ(http.Get(url("/gbk")), QStringLiteral("中文"));
    EXPECT_EQ(http.Get(url("/none")), QStringLiteral("é"));
    EXPECT_EQ(http.responseCode(), 200);
}

TEST_F(HttpTest, BinaryBodyToMemoryAndStreamedToFileWithProgress) {
    const QByteArray body = binaryBody(3 << 20);
    responder.set("/helper/OvExtViewer.exe", {"HTTP/1.1 200 OK", {}, body});
    TSSLHttp http;
    qint64 lastReceived = 0, lastTotal = 0;
    int calls = 0;
    http.setOnProgress([&](qint64 received, qint64 total) {
        EXPECT_GE(received, lastReceived);
        lastReceived = received;
        lastTotal = total;
        ++calls;
    });
    EXPECT_EQ(http.GetBytes(url("/helper/OvExtViewer.exe")), body);
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(lastTotal, body.size());
    EXPECT_GE(calls, 1);

    lastReceived = 0;
    const QString file = home.file(QStringLiteral("viewer.exe"));
    http.GetToFile(url("/helper/OvExtViewer.exe"), file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), body);
    EXPECT_EQ(lastReceived, body.size());
}

TEST_F(HttpTest, StatusesOtherThanSuccessRaiseWithTheStatusLine) {
    responder.set("/moved", {"HTTP/1.1 302 Found", {"Location: /elsewhere"}, "x"});
    responder.set("/elsewhere", {"HTTP/1.1 200 OK", {}, "followed"});
    responder.set("/boom", {"HTTP/1.1 500 Internal Server Error", {}, ""});
    struct Case {
        const char* path;
        int status;
        const char* message;
    };
    const Case cases[] = {{"/nothing", 404, "HTTP/1.1 404 Not Found"},
                          {"/moved", 302, "HTTP/1.1 302 Found"},  // redirects are not followed
                          {"/boom", 500, "HTTP/1.1 500 Internal Server Error"}};
    TSSLHttp http;
    for (const Case& c : cases) {
        try {
            http.Get(url(c.path));
            ADD_FAILURE() << c.path;
        } catch (const HttpError& e) {
            EXPECT_EQ(e.kind(), HttpError::Kind::Status) << c.path;
            EXPECT_EQ(e.status(), c.status);
            EXPECT_EQ(e.message(), QLatin1String(c.message));
        }
    }
    EXPECT_FALSE(responder.requestLines().join().contains("/elsewhere"));
}

TEST_F(HttpTest, AFailedDownloadLeavesTheExistingFileAlone) {
    const QString file = home.file(QStringLiteral("keep.bin"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    TSSLHttp http;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_THROW(http.Get(url("/nothing"), buffer), HttpError);
    EXPECT_TRUE(buffer.data().isEmpty());  // the error page is not written
    EXPECT_THROW(http.GetToFile(url("/nothing"), file), HttpError);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
}

TEST_F(HttpTest, SilenceLongerThanTheReadTimeOutEndsTheRequest) {
    responder.set("/slow", {"HTTP/1.1 200 OK", {}, "late", 2500});
    TSSLHttp http;
    http.setReadTimeout(300);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(failureOf(http, "/slow"), HttpError::Kind::TimeOut);
    EXPECT_EQ(lastMessage, QStringLiteral("Read timed out."));
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(HttpTest, LimitsAndRefusals) {
    responder.set("/big", {"HTTP/1.1 200 OK", {}, binaryBody(5000)});
    TSSLHttp http;
    http.setMaxBodySize(4096);
    EXPECT_EQ(failureOf(http, "/big"), HttpError::Kind::TooLarge);

    // A proxy in the environment is never used.
    qputenv("http_proxy", "http://127.0.0.1:1");
    qputenv("ALL_PROXY", "http://127.0.0.1:1");
    responder.set("/user", {"HTTP/1.1 200 OK", {}, "levels"});
    EXPECT_EQ(TSSLHttp().Get(url("/user")), QStringLiteral("levels"));
    qunsetenv("http_proxy");
    qunsetenv("ALL_PROXY");

    // Nothing listens: a connection error.
    TSSLHttp none;
    EXPECT_THROW(none.Get(QStringLiteral("http://127.0.0.1:1/")), HttpError);
}

TEST_F(HttpsTest, UntrustedCertificateIsPinnedOnFirstUseAndRefusedWhenItChanges) {
    responder.set("/user", {"HTTP/1.1 200 OK", {}, "secure"});
    TSSLHttp http(true);
    EXPECT_EQ(http.Get(url("/user")), QStringLiteral("secure"));
    EXPECT_EQ(TSSLHttp(true, sslvTLSv1_2).Get(url("/user")), QStringLiteral("secure"));
    EXPECT_TRUE(QFile::exists(certificatePinFile()));

    server.setCertificate(makeSelfSignedCertificate());
    TSSLHttp again(true);
    again.setLanguage(HSL_ENG);
    EXPECT_EQ(failureOf(again, "/user"), HttpError::Kind::CertificateChanged);
    EXPECT_EQ(lastMessage,
              certificateChangedMessage(HSL_ENG, QStringLiteral("127.0.0.1"), server.port()));

    // A client made without TLS does not speak https.
    TSSLHttp plain(false);
    EXPECT_EQ(failureOf(plain, "/user"), HttpError::Kind::Connection);
}

TEST_F(HttpsTest, CertificateTrustedByTheStoreIsAcceptedAndAnUntrustedSuccessorRefused) {
    TestCertificateAuthority authority;
    const QString caFile = home.file(QStringLiteral("ca.pem"));
    ASSERT_TRUE(authority.writeCertificatePem(caFile));
    setTrustedCaFile(caFile);
    server.setCertificate(authority.issue());
    responder.set("/linkX", {"HTTP/1.1 200 OK", {}, "trusted"});
    EXPECT_EQ(TSSLHttp(true).Get(url("/linkX")), QStringLiteral("trusted"));

    server.setCertificate(makeSelfSignedCertificate());
    TSSLHttp http(true);
    EXPECT_EQ(failureOf(http, "/linkX"), HttpError::Kind::CertificateChanged);
    setTrustedCaFile(QString());
}

namespace {

// A loopback HTTPS server that speaks TLS 1.3 only and answers every request with "ok",
// its handshake begun after the pause (seconds) its optional third argument names.
const char* const Tls13Server = R"(
import socket, ssl, sys, time
pause = float(sys.argv[3]) if len(sys.argv) > 3 else 0
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.minimum_version = ssl.TLSVersion.TLSv1_3
context.load_cert_chain(sys.argv[1], sys.argv[2])
listener = socket.socket()
listener.bind(("127.0.0.1", 0))
listener.listen()
print(listener.getsockname()[1], flush=True)
while True:
    connection, _ = listener.accept()
    time.sleep(pause)
    try:
        tls = context.wrap_socket(connection, server_side=True)
        tls.recv(65536)
        tls.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok")
        tls.close()
    except (OSError, ssl.SSLError):
        connection.close()
)";

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class Tls13Test : public ::testing::Test {
protected:
    // Starts the server; its address is `url` afterwards.
    void start(const char* pauseSeconds = "0") {
        const TestCertificate certificate = makeSelfSignedCertificate();
        const QString cert = home.file(QStringLiteral("server.pem"));
        const QString key = home.file(QStringLiteral("server.key"));
        ASSERT_TRUE(writeFile(cert, certificate.certificatePem));
        ASSERT_TRUE(writeFile(key, certificate.privateKeyPem));
        server.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), QString::fromUtf8(Tls13Server), cert, key,
                      QLatin1String(pauseSeconds)});
        ASSERT_TRUE(server.waitForReadyRead(10000));
        url = QStringLiteral("https://127.0.0.1:%1/").arg(server.readLine().trimmed().toInt());
    }
    ~Tls13Test() override {
        server.kill();
        server.waitForFinished();
    }

    TempHome home;
    QProcess server;
    QString url;
};

}  // namespace

TEST_F(Tls13Test, TheTls12ChoiceRefusesAServerWithoutTls12) {
    start();
    EXPECT_EQ(TSSLHttp(true, sslvSSLv23).Get(url), QStringLiteral("ok"));
    try {
        TSSLHttp(true, sslvTLSv1_2).Get(url);
        ADD_FAILURE() << "TLS 1.3 was spoken with the TLS 1.2 choice";
    } catch (const HttpError& e) {
        EXPECT_EQ(e.kind(), HttpError::Kind::Connection);
    }
}

// The read time-out bounds the silences of the transfer; a slow connection and handshake are
// bounded by the connect time-out alone.
TEST_F(Tls13Test, AHandshakeSlowerThanTheReadTimeOutIsWaitedForUpToTheConnectTimeOut) {
    start("1.5");
    TSSLHttp http(true);
    http.setReadTimeout(300);
    EXPECT_EQ(http.Get(url), QStringLiteral("ok"));

    TSSLHttp impatient(true);
    impatient.setReadTimeout(300);
    impatient.setConnectTimeout(500);
    EXPECT_THROW(impatient.Get(url), HttpError);
}
