#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "childprocess.h"
#include "platform/registry.h"
#include "support/temphome.h"

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
    // A byte sequence GBK does not define, and a lead byte cut off at the end, read as U+FFFD.
    EXPECT_EQ(fromSystemCodePage(QByteArray::fromHex("61FF62D6")),
              QStringLiteral("a\uFFFDb\uFFFD"));
    setSystemCodePageOverride(0);
}

TEST(CodePage, ResultsLargerThanTheirInputGrow) {
    setSystemCodePageOverride(65001);
    const QString text = QString(5000, QChar(0x4E2D)) + QStringLiteral("end");
    EXPECT_EQ(toSystemCodePage(text), text.toUtf8());
    EXPECT_EQ(fromSystemCodePage(text.toUtf8()), text);
    setSystemCodePageOverride(0);
}

// Run in a child process by the test below: the code page is read once per process.
TEST(CodePageChild, ReportsTheExpectedCodePage) {
    const int expected = qEnvironmentVariableIntValue("OV_EXPECTED_CODE_PAGE");
    if (expected == 0) GTEST_SKIP() << "runs only as a child of the code page tests";
    EXPECT_EQ(systemCodePage(), expected);
}

TEST(CodePage, ComesFromTheRegistryStoreElse936) {
    ov::test::TempHome home;
    const auto childSees = [](int codePage) {
        auto child = ov::test::startChildTest(
            QStringLiteral("CodePageChild.*"),
            {{QStringLiteral("OV_EXPECTED_CODE_PAGE"), QString::number(codePage)}});
        return ov::test::childPassed(*child);
    };
    EXPECT_TRUE(childSees(936));
    ASSERT_TRUE(Registry::writeString(
        Hive::LocalMachine, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage"),
        QStringLiteral("ACP"), QStringLiteral("65001")));
    EXPECT_TRUE(childSees(65001));
    // A code page the conversion does not know would make every text empty; 936 stands in.
    ASSERT_TRUE(Registry::writeString(
        Hive::LocalMachine, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage"),
        QStringLiteral("ACP"), QStringLiteral("99999")));
    EXPECT_TRUE(childSees(936));
}
