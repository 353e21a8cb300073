// CheckAdLogin through ovctrl-host against slapd: the page gets the enciphered identity,
// whose plain bytes are the tagged text in code page 936.

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "platform/sysinfo.h"
#include "slapd.h"
#include "support/ovhost.h"
#include "support/ports.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

// AES-256-ECB with the fixed key zero-filled to 32 bytes, the padding zeros left on.
QByteArray Decipher(const QByteArray& hex) {
    QByteArray key("qv7351_mxzt");
    key.resize(32, '\0');
    const QByteArray data = QByteArray::fromHex(hex);
    QByteArray plain(data.size() + 32, '\0');
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int length = 0, tail = 0;
    EVP_DecryptInit_ex(ctx, EVP_aes_256_ecb(), nullptr,
                       reinterpret_cast<const unsigned char*>(key.constData()), nullptr);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_DecryptUpdate(ctx, reinterpret_cast<unsigned char*>(plain.data()), &length,
                      reinterpret_cast<const unsigned char*>(data.constData()),
                      static_cast<int>(data.size()));
    EVP_DecryptFinal_ex(ctx, reinterpret_cast<unsigned char*>(plain.data()) + length, &tail);
    EVP_CIPHER_CTX_free(ctx);
    plain.resize(length + tail);
    return plain;
}

TEST(LdapHost, CheckAdLoginGivesTheEncipheredIdentity) {
    const QString user = ov::platform::currentUserName();
    ov::test::Slapd server(ov::test::DirectoryFixture(user));
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    ov::test::TempHome home;
    int code = -1;
    QString output =
        ov::test::RunOvHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code, 120000);
    ASSERT_EQ(code, 0) << output.toStdString();
    const QString closed = u"LDAP://127.0.0.1:%1/dc=example,dc=com"_s.arg(ov::test::closedPort());
    output = ov::test::RunOvHost({QStringLiteral(OV_SCRIPTS_DIR "/checkadlogin.js"),
                                  server.path(u"dc=example,dc=com"_s), closed},
                                 &code, 120000);
    ASSERT_EQ(code, 0) << output.toStdString();
    const qsizetype at = output.indexOf(u"identity="_s);
    ASSERT_GE(at, 0) << output.toStdString();
    const QByteArray hex = output.mid(at + 9).section(u'\n', 0, 0).trimmed().toLatin1();
    ASSERT_EQ(hex.size() % 32, 0) << hex.constData();
    QByteArray expected = "[UserName]" + user.toLatin1() +
                          "[/UserName][UserAlias]\xCD\xF5\xCE\xE5[/UserAlias]";  // 王五 in GBK
    expected.resize((expected.size() + 15) / 16 * 16, '\0');
    EXPECT_EQ(Decipher(hex), expected);
}

}  // namespace
