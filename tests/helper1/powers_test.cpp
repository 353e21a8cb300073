#include "core/powers.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "core/paths.h"
#include "core/textfile.h"
#include "fixtures.h"
#include "support/temphome.h"

using namespace ov;

namespace {

class PowersTest : public ::testing::Test {
protected:
    // The server's installation folder and its data root below the private home.
    QString install() const { return home.file(QStringLiteral("srv/bin/")); }
    QString dataRoot() const { return home.file(QStringLiteral("srv/")); }

    void SetUp() override { QDir().mkpath(install()); }
    void TearDown() override {
        LoadForbidPowers(QString());
        LoadFilterKeywords(QString());
    }

    void forbid(const QString& entries) {
        SaveUnicodeText(install() + QStringLiteral("cof_custom.sys"),
                        QStringLiteral("[Other]1[/Other]\r\n[ForbidPower] ") + entries +
                            QStringLiteral(" [/ForbidPower]\r\n"));
        LoadForbidPowers(install());
    }

    // A "v3" permission text of the given length with "1" at the given 1-based positions.
    static QString v3Text(qsizetype length, std::initializer_list<int> ones) {
        QString text = QStringLiteral("v3") + QString(length - 2, u'0');
        for (int i : ones)
            text[i - 1] = u'1';
        return text;
    }

    test::TempHome home;
};

std::vector<int> setBits(const THS_MemberPowers& powers) {
    std::vector<int> bits;
    for (std::size_t i = 0; i < powers.size(); ++i) {
        if (powers.test(i)) bits.push_back(int(i));
    }
    return bits;
}

}  // namespace

TEST_F(PowersTest, V3FormReadsPositions21To108) {
    EXPECT_EQ(setBits(ParseMemberPowers(v3Text(30, {21, 25}))), (std::vector<int>{21, 25}));
    // Positions below 21 carry nothing; "1" past 108 is ignored; text shorter than 108 is fine.
    EXPECT_EQ(setBits(ParseMemberPowers(v3Text(120, {3, 20, 108, 109, 112}))),
              (std::vector<int>{108}));
    EXPECT_EQ(setBits(ParseMemberPowers(v3Text(22, {22}))), (std::vector<int>{22}));

    forbid(QStringLiteral("21, x"));
    EXPECT_EQ(setBits(ParseMemberPowers(v3Text(30, {21, 25}))), (std::vector<int>{25}));
}

TEST_F(PowersTest, TagFormReadsPermissions0To63) {
    const QString text = QStringLiteral("[0]Y[/0][5]Y[/5][6]y[/6][7]N[/7][63]Y[/63][64]Y[/64]V3");
    EXPECT_EQ(setBits(ParseMemberPowers(text)), (std::vector<int>{0, 5, 63}));
    forbid(QStringLiteral("5,63"));
    EXPECT_EQ(setBits(ParseMemberPowers(text)), (std::vector<int>{0}));
    EXPECT_TRUE(ParseMemberPowers(QString()).none());
}

TEST_F(PowersTest, ForbiddenList) {
    forbid(QStringLiteral("3, ,x,12,"));
    EXPECT_EQ(ForbidPowers(),
              (QStringList{QStringLiteral("3"), QStringLiteral("x"), QStringLiteral("12")}));
    EXPECT_TRUE(IsForbidPower(3));
    EXPECT_TRUE(IsForbidPower(12));
    EXPECT_TRUE(IsForbidPower(0));  // "x" reads as 0
    EXPECT_FALSE(IsForbidPower(4));

    LoadForbidPowers(home.file(QStringLiteral("elsewhere/")));
    EXPECT_TRUE(ForbidPowers().isEmpty());
}

TEST_F(PowersTest, FilterKeywords) {
    QDir().mkpath(dataRoot() + QStringLiteral("DB"));
    const QString longReplacement = QString(70, u'r');
    SaveUnicodeText(dataRoot() + QStringLiteral("DB/FilterKeyword.Txt"),
                    QStringLiteral(" 坏词 , 好词 \r\n\r\n  \r\nalone\r\nk,a,b\r\nempty,\r\nlong,") +
                        longReplacement + QStringLiteral("\r\n"));
    LoadFilterKeywords(dataRoot());
    const TFilterKeywordArray& list = FilterKeywords();
    ASSERT_EQ(list.size(), 5);
    const std::pair<QString, QString> expected[] = {
        {QStringLiteral("坏词"), QStringLiteral("好词")}, {QStringLiteral("alone"), QString()},
        {QStringLiteral("k"), QStringLiteral("a,b")},     {QStringLiteral("empty"), QString()},
        {QStringLiteral("long"), QString(64, u'r')},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i].SK, expected[i].first) << i;
        EXPECT_EQ(list[i].Ov, expected[i].second) << i;
    }
}

TEST_F(PowersTest, UnreadableFilesLeaveListsEmpty) {
    // A socket exists but cannot be opened for reading; loading must not throw.
    const test::SocketFile forbidden(install() + QStringLiteral("cof_custom.sys"));
    QDir().mkpath(dataRoot() + QStringLiteral("DB"));
    const test::SocketFile filter(dataRoot() + QStringLiteral("DB/FilterKeyword.Txt"));
    ASSERT_TRUE(forbidden.bound() && filter.bound());

    EXPECT_NO_THROW(LoadForbidPowers(install()));
    EXPECT_NO_THROW(LoadFilterKeywords(dataRoot()));
    EXPECT_TRUE(ForbidPowers().isEmpty());
    EXPECT_TRUE(FilterKeywords().isEmpty());
}

TEST_F(PowersTest, StartupWithoutServerIgnoresCurrentFolder) {
    // The test program has no server installation above it. Lists lying in the current folder
    // must not be taken for the server's.
    const QString cwd = home.file(QStringLiteral("cwd/"));
    QDir().mkpath(cwd + QStringLiteral("DB"));
    SaveUnicodeText(cwd + QStringLiteral("cof_custom.sys"),
                    QStringLiteral("[ForbidPower]1,2[/ForbidPower]"));
    SaveUnicodeText(cwd + QStringLiteral("DB/FilterKeyword.Txt"), QStringLiteral("a,b"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd));
    forbid(QStringLiteral("7"));  // stale content is cleared by the start-up

    InitHelperModule();
    QDir::setCurrent(previous);

    EXPECT_EQ(GetServerInstallPath(), QString());
    EXPECT_TRUE(ForbidPowers().isEmpty());
    EXPECT_TRUE(FilterKeywords().isEmpty());
}
