#include "core/cipher.h"
#include "core/smtpex.h"

#include <gtest/gtest.h>

using namespace ov;

TEST(SmtpParams, ParameterTextWithDefaults) {
    const TSmtpParams full = TSmtpEx::StrToSmtpParams(
        QStringLiteral("[srv] mail.example.cn [/srv][port]587[/port][ssl]2[/ssl]"
                       "[add]a@example.cn[/add][displayname]文档[/displayname][pass]pw[/pass]"),
        false);
    EXPECT_EQ(full.Host, QStringLiteral("mail.example.cn"));
    EXPECT_EQ(full.Port, 587);
    EXPECT_EQ(full.AuthType, satSASL);
    EXPECT_EQ(full.Username, QStringLiteral("a@example.cn"));
    EXPECT_EQ(full.FromDisplayName, QStringLiteral("文档"));
    EXPECT_EQ(full.PassWord, QStringLiteral("pw"));

    const TSmtpParams bare = TSmtpEx::StrToSmtpParams(QStringLiteral("[srv]h[/srv]"), false);
    EXPECT_EQ(bare.Port, 25);
    EXPECT_EQ(bare.AuthType, satDefault);
    const TSmtpParams junk =
        TSmtpEx::StrToSmtpParams(QStringLiteral("[port]25x[/port][ssl]x[/ssl]"), false);
    EXPECT_EQ(junk.Port, 25);
    EXPECT_EQ(junk.AuthType, satDefault);
}

TEST(SmtpParams, EncipheredPasswordIsDeciphered) {
    const QString text =
        QStringLiteral("[pass]%1[/pass]").arg(EncryptString(QStringLiteral("密码1"), 3));
    EXPECT_EQ(TSmtpEx::StrToSmtpParams(text, true).PassWord, QStringLiteral("密码1"));
    EXPECT_NE(TSmtpEx::StrToSmtpParams(text, false).PassWord, QStringLiteral("密码1"));
}

TEST(SmtpParams, EmailFormatKeepsValidBracketedAddresses) {
    const std::pair<const char*, const char*> cases[] = {
        {"张三<zs@example.cn>; Li <li@example.com>", "zs@example.cn;li@example.com"},
        {"bare@example.cn;Name<ok@example.cn>", "ok@example.cn"},
        {"Bad<not an address>;Odd>x<y@example.cn", ""},
        {"a<b<c@example.cn>", "c@example.cn"},
        {" ; ;", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(TSmtpEx::EmailFormat(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(SmtpMessage, AddressListsAndHeaderWords) {
    const QList<MailAddress> list = ParseAddressList(
        QStringLiteral("\"Wang, Wu\" <ww@example.cn>; plain@example.cn,李四 <ls@example.cn>"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].name, QStringLiteral("Wang, Wu"));
    EXPECT_EQ(list[0].address, QStringLiteral("ww@example.cn"));
    EXPECT_EQ(list[1].address, QStringLiteral("plain@example.cn"));
    EXPECT_EQ(list[2].name, QStringLiteral("李四"));

    EXPECT_EQ(EncodeHeaderText(QStringLiteral("Plain")), QByteArray("Plain"));
    // A line break can never start a header field of its own.
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("a\r\nBcc: x@y")), QByteArray("a  Bcc: x@y"));
    EXPECT_EQ(EncodeHeaderText(QStringLiteral("中")), QByteArray("=?UTF-8?B?5Lit?="));
}

// What a reader makes of a header value: lines unfolded, adjacent encoded words joined and
// decoded.
QString readHeader(const QByteArray& value) {
    QString text;
    for (const QByteArray& line : value.split('\n')) {
        const QByteArray part = line.endsWith('\r') ? line.chopped(1) : line;
        const bool encoded = part.trimmed().startsWith("=?UTF-8?B?");
        text += encoded ? QString::fromUtf8(QByteArray::fromBase64(part.trimmed().mid(10).chopped(2)))
                        : QString::fromLatin1(part);
    }
    return text;
}

TEST(SmtpMessage, LongSubjectsAreFoldedAndLookalikesEncoded) {
    const QString words = QStringLiteral("report ").repeated(171) + QStringLiteral("end");
    const struct {
        const char* name;
        QString subject;
        bool encoded;
    } cases[] = {
        {"1,200 characters of words", words, false},
        {"1,200 characters without a blank", QString(1200, u'x'), true},
        {"an encoded word lookalike", QStringLiteral("=?utf-8?B?5Lit?= plain"), true},
        {"a short plain subject", QStringLiteral("Weekly report"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray value = EncodeHeaderText(c.subject);
        EXPECT_EQ(value.startsWith("=?UTF-8?B?"), c.encoded);
        const QList<QByteArray> lines = ("Subject: " + value).split('\n');
        for (const QByteArray& line : lines)
            EXPECT_LE(line.size(), 79) << line.constData();  // 78 and the CR
        EXPECT_EQ(readHeader(value), c.subject);
    }
}
