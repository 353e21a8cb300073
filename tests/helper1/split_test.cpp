#include "core/split.h"

#include <gtest/gtest.h>

#include "fixtures.h"

using namespace ov;

TEST(Split, SplitToStrArray) {
    EXPECT_EQ(SplitToStrArray(QStringLiteral(" a , ,b,"), u','),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(SplitToStrArray(QString(), u','), QStringList());
    EXPECT_EQ(SplitToStrArray(QStringLiteral(",,"), u','), QStringList());
    EXPECT_EQ(SplitToStrArray(QStringLiteral("\tx y\r\n;z"), u';'),
              (QStringList{QStringLiteral("x y"), QStringLiteral("z")}));
}

TEST(Split, SplitToIntArrays) {
    EXPECT_EQ(SplitToIntArray(QStringLiteral("1,,x,"), u','), (QVector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(SplitToIntArray(QStringLiteral(" 7 ,-3,+4,99999999999"), u','),
              (QVector<std::int32_t>{7, -3, 4, 0}));  // out of range reads as 0
    EXPECT_EQ(SplitToIntArray(QString(), u','), QVector<std::int32_t>());
    EXPECT_EQ(SplitToIntArray(QStringLiteral(",,"), u','), (QVector<std::int32_t>{0, 0}));
    EXPECT_EQ(SplitToInt64Array(QStringLiteral("45292000011574;-1;1e3;"), u';'),
              (QVector<std::int64_t>{45292000011574, -1, 0}));
}

TEST(Split, SplitByString) {
    const QString sp = QStringLiteral(" ");
    EXPECT_EQ(SplitByString(QStringLiteral("a  b "), sp),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(SplitByString(QStringLiteral("l1\r\n\r\nl2\r\n"), QStringLiteral("\r\n")),
              (QStringList{QStringLiteral("l1"), QString(), QStringLiteral("l2")}));
    EXPECT_EQ(SplitByString(QStringLiteral("aXbxc"), QStringLiteral("x")),
              (QStringList{QStringLiteral("aXb"), QStringLiteral("c")}));
    EXPECT_EQ(SplitByString(QStringLiteral("aaa"), QStringLiteral("aa")),
              (QStringList{QString(), QStringLiteral("a")}));  // non-overlapping, from the left
    EXPECT_EQ(SplitByString(QString(), sp), QStringList());
    EXPECT_EQ(SplitByString(QStringLiteral("abc"), QString()), QStringList{QStringLiteral("abc")});
}
