#include "platform/mime/mimecharset.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ov::platform::decodeCharset;
using ov::platform::sniffMailCharset;

namespace {

struct SniffCase {
    const char* name;
    QByteArray head;
    const char* expected;
};

TEST(MailCharsetTest, SniffsTheFirstCharsetOfTheFile) {
    const QByteArray far = QByteArray(4090, 'x') + "charset=gb2312\r\n";
    const QByteArray cut = QByteArray(4070, 'x') + "charset=" + QByteArray(40, 'a') + "\r\n";
    const SniffCase cases[] = {
        {"quoted", "Content-Type: text/html; charset=\"gb2312\"\r\n", "GB2312"},
        {"plain, line end", "Content-Type: text/plain; charset=utf-8\r\nX: y", "UTF-8"},
        {"followed by a parameter", "Content-Type: text/plain; charset=big5; format=flowed\n",
         "BIG5"},
        {"capitalised spelling", "Content-Type: text/plain; Charset=GBK\r\n", "GBK"},
        {"lower case found first", "a Charset=ISO-8859-1\r\nb charset=koi8-r\r\n", "KOI8-R"},
        {"none", "Subject: hello\r\n\r\nbody", ""},
        {"beyond the first 4096 bytes", far, ""},
        {"no end within them", cut, ""},
    };
    for (const SniffCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sniffMailCharset(c.head), QString::fromUtf8(c.expected));
    }
}

TEST(MailCharsetTest, DecodesByNameAndReadsGb2312AsGb18030) {
    // "你好" in GB2312, and "镕" that only GBK holds, labelled GB2312 as mails often are.
    EXPECT_EQ(decodeCharset("\xc4\xe3\xba\xc3", u"gb2312"_s), u"你好"_s);
    EXPECT_EQ(decodeCharset("\xe9\x46", u"GB2312"_s), u"镕"_s);
    EXPECT_EQ(decodeCharset("caf\xe9", u"iso-8859-1"_s), u"café"_s);
    EXPECT_FALSE(decodeCharset("x", u"no-such-charset"_s).has_value());
    // A cut sequence becomes one replacement character, the rest is kept.
    EXPECT_EQ(decodeCharset("ab\xc4", u"GB2312"_s), u"ab\uFFFD"_s);
}

}  // namespace
