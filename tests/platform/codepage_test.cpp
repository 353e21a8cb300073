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
}
