// Trust on first use: what is stored, what is accepted and what is refused.

#include "core/certpins.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace ov;

namespace {

QByteArray fingerprint(char fill) {
    return QByteArray(32, fill);
}

TEST(CertPins, FirstUseIsPinnedAndAChangeRefusedPerHostAndPort) {
    test::TempHome home;
    const QString host = QStringLiteral("Docs.Example.com");
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('a'), false), PinCheck::PinnedNow);
    EXPECT_EQ(
        checkServerCertificate(QStringLiteral("docs.example.com"), 443, fingerprint('a'), false),
        PinCheck::PinMatches);
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('b'), false), PinCheck::Changed);
    EXPECT_EQ(checkServerCertificate(host, 8443, fingerprint('b'), false), PinCheck::PinnedNow);
    EXPECT_EQ(checkServerCertificate(QStringLiteral("::1"), 443, fingerprint('c'), false),
              PinCheck::PinnedNow);
    EXPECT_FALSE(isAccepted(PinCheck::Changed));

    QFile file(certificatePinFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("docs.example.com:443 " + fingerprint('a').toHex()));
    EXPECT_TRUE(text.contains("[::1]:443 "));
    EXPECT_TRUE(certificatePinFile().startsWith(home.path()));
}

TEST(CertPins, AServerOnceTrustedAcceptsNoUntrustedCertificate) {
    test::TempHome home;
    const QString host = QStringLiteral("docs");
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('a'), false), PinCheck::PinnedNow);
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('t'), true), PinCheck::SystemTrusted);
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('a'), false), PinCheck::Changed);
    EXPECT_EQ(checkServerCertificate(host, 443, fingerprint('u'), true), PinCheck::SystemTrusted);
    EXPECT_EQ(checkServerCertificate(QStringLiteral("other"), 443, fingerprint('t'), true),
              PinCheck::SystemTrusted);
    EXPECT_EQ(checkServerCertificate(QStringLiteral("other"), 443, fingerprint('t'), false),
              PinCheck::Changed);
}

TEST(CertPins, DamagedLinesAreIgnoredAndTheRestKept) {
    test::TempHome home;
    EXPECT_EQ(checkServerCertificate(QStringLiteral("a"), 1, fingerprint('a'), false),
              PinCheck::PinnedNow);
    QFile file(certificatePinFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("garbage\nb:2 nothex\n");
    file.close();
    EXPECT_EQ(checkServerCertificate(QStringLiteral("b"), 2, fingerprint('b'), false),
              PinCheck::PinnedNow);
    EXPECT_EQ(checkServerCertificate(QStringLiteral("a"), 1, fingerprint('a'), false),
              PinCheck::PinMatches);
}

TEST(CertPins, TheChangedMessageNamesTheServerInEachLanguage) {
    const QString cn = certificateChangedMessage(HSL_CN, QStringLiteral("srv"), 443);
    const QString en = certificateChangedMessage(HSL_ENG, QStringLiteral("srv"), 443);
    EXPECT_TRUE(cn.contains(QStringLiteral("srv:443")) && cn.contains(QStringLiteral("证书")));
    EXPECT_TRUE(en.contains(QStringLiteral("srv:443")) &&
                en.contains(QStringLiteral("certificate")));
    EXPECT_EQ(certificateChangedMessage(HSL_NONE, QStringLiteral("srv"), 443), cn + u'\n' + en);
}

}  // namespace
