// TLS as the user meets it: a certificate the trust store vouches for connects, an unknown one
// is pinned on first use, and a changed one is refused with a message saying why.

#include "core/certpins.h"
#include "core/pipetcpclient.h"
#include "support/temphome.h"
#include "testing/docserver/server.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ov;
using namespace ov::test;

namespace {

class TlsTest : public ::testing::Test {
protected:
    ~TlsTest() override { setTrustedCaFile(QString()); }

    void aim(TPipeTcpClient& client, const DocServer& server, const QString& host) {
        client.SetHost(host);
        client.SetPort(server.port());
        client.SetUseTls(true);
    }

    bool pinFileExists() const { return QFile::exists(certificatePinFile()); }

    TempHome home;
};

TEST_F(TlsTest, ACertificateFromATrustedAuthorityConnects) {
    TestCertificateAuthority ca;
    ASSERT_TRUE(ca.writeCertificatePem(home.file(QStringLiteral("ca.pem"))));
    setTrustedCaFile(home.file(QStringLiteral("ca.pem")));
    DocServer server(DocServer::Options{true, 0, ca.issue()});
    for (const QString& host : {QStringLiteral("localhost"), QStringLiteral("127.0.0.1")}) {
        TPipeTcpClient client;
        aim(client, server, host);
        EXPECT_TRUE(client.IP_Test()) << host.toStdString();
    }

    // A renewed certificate of the same authority is trusted as well; an untrusted one put in
    // its place (someone in the middle) is refused, not pinned.
    server.setCertificate(ca.issue());
    TPipeTcpClient client;
    aim(client, server, QStringLiteral("localhost"));
    EXPECT_TRUE(client.IP_Test());
    server.setCertificate(makeSelfSignedCertificate());
    client.SetMessageLanguage(HSL_ENG);
    EXPECT_FALSE(client.IP_Test());
    EXPECT_EQ(client.GetLastError(),
              certificateChangedMessage(HSL_ENG, QStringLiteral("localhost"), server.port()));
}

TEST_F(TlsTest, ATrustedCertificateForAnotherNameIsOnlyPinned) {
    TestCertificateAuthority ca;
    ASSERT_TRUE(ca.writeCertificatePem(home.file(QStringLiteral("ca.pem"))));
    setTrustedCaFile(home.file(QStringLiteral("ca.pem")));
    DocServer server(DocServer::Options{true, 0, ca.issue(QStringLiteral("elsewhere"))});
    TPipeTcpClient client;
    aim(client, server, QStringLiteral("127.0.0.1"));  // an address the certificate does not carry
    EXPECT_TRUE(client.IP_Test());
    EXPECT_TRUE(pinFileExists());
}

TEST_F(TlsTest, AnUntrustedCertificateIsPinnedAndAChangedOneRefused) {
    DocServer server(DocServer::Options{true});
    TPipeTcpClient client;
    aim(client, server, QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(client.IP_Test());
    EXPECT_TRUE(client.IP_Test());
    EXPECT_EQ(client.GetLastError(), QString());
    ASSERT_TRUE(pinFileExists());

    server.setCertificate(makeSelfSignedCertificate());
    const int requestsBefore = int(server.requests().size());
    client.SetMessageLanguage(HSL_ENG);
    EXPECT_FALSE(client.IP_Test());
    EXPECT_EQ(client.GetLastError(),
              certificateChangedMessage(HSL_ENG, QStringLiteral("127.0.0.1"), server.port()));
    EXPECT_EQ(int(server.requests().size()), requestsBefore);  // nothing was sent

    NetStream stream;
    stream.setLanguage(HSL_CN);
    try {
        stream.connectTo(QStringLiteral("127.0.0.1"), server.port(), true);
        ADD_FAILURE() << "a changed certificate was accepted";
    } catch (const NetError& e) {
        EXPECT_EQ(e.kind(), NetError::Kind::CertificateChanged);
        EXPECT_EQ(e.message(),
                  certificateChangedMessage(HSL_CN, QStringLiteral("127.0.0.1"), server.port()));
    }
}

// Without a record of the first certificate nothing could be checked later: the connection is
// refused, and the user reads why instead of a bare connection failure.
TEST_F(TlsTest, ACertificateThatCannotBeRecordedIsRefusedWithTheReason) {
    ASSERT_TRUE(QDir().mkpath(certificatePinFile()));  // a folder where the file belongs
    DocServer server(DocServer::Options{true});
    TPipeTcpClient client;
    aim(client, server, QStringLiteral("127.0.0.1"));
    client.SetMessageLanguage(HSL_ENG);
    EXPECT_FALSE(client.IP_Test());
    EXPECT_EQ(client.GetLastError(),
              certificateStoreFailedMessage(HSL_ENG, QStringLiteral("127.0.0.1"), server.port()));
    EXPECT_TRUE(server.requests().empty());
}

}  // namespace
