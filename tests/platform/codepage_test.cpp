#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace ov::platform;

TEST(CodePage, GbkRoundTripAndReplacement) {
    setSystemCodePageOverride(936);
    const QString text = QStringLiteral("中文 abc");
    const QByteArray gbk = toSystemCodePage(text);
    EXPECT_EQ(gbk, QByteArray("\xD6\xD0\xCE\xC4 abc"));
    EXPECT_EQ(fromSystemCodePage(gbk), text);
    // A character GBK cannot hold becomes "?", one per UTF-16 unit.
    EXPECT_EQ(toSystemCodePage(QString::fromUtf8("a\u20A9b")), QByteArray("a?b"));
    EXPECT_EQ(toSystemCodePage(QString::fromUtf8("\U0001F600")), QByteArray("??"));
    setSystemCodePageOverride(0);
}

TEST(CodePage, DefaultIs936WithoutRegistryValue) {
    EXPECT_EQ(systemCodePage(), 936);
}
