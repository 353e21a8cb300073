#include "core/hash.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

class TextHash : public ::testing::Test {
protected:
    void SetUp() override { platform::setSystemCodePageOverride(936); }
    void TearDown() override { platform::setSystemCodePageOverride(0); }
};

TEST_F(TextHash, KnownValuesInCodePage936) {
    const struct {
        QString text;
        std::int32_t h32;
        std::int64_t h64;
    } cases[] = {
        {u""_s, 0, 0},
        {u"abc"_s, 26793, 26793},
        {u"ABC"_s, 26793, 26793},
        {u"abcdefghijklmnop"_s, 196716952, 43554812396258688},
        {u"中文文件名称测试.DOCX"_s, 220400545, 50507310396328301},
        {u"D:\\文档\\报告2024年度汇总表格.xlsx"_s, 144133258, 17778304369562413},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(HashText32(c.text), c.h32);
        EXPECT_EQ(HashText64(c.text), c.h64);
    }
}

TEST_F(TextHash, StopsAtZeroAndHashesReplacements) {
    const QString withZero = u"ab"_s + QChar(0) + u"cd"_s;
    EXPECT_EQ(HashText32(withZero), HashText32(u"ab"_s));
    EXPECT_EQ(HashText64(withZero), HashText64(u"ab"_s));
    // A character the code page cannot hold hashes as "?".
    EXPECT_EQ(HashText32(u"a\u20A9b"_s), HashText32(u"a?b"_s));
    EXPECT_EQ(HashText64(u"a\u20A9b"_s), HashText64(u"a?b"_s));
}

TEST_F(TextHash, FoldsOnlyAsciiCase) {
    platform::setSystemCodePageOverride(1252);
    EXPECT_NE(HashText32(u"\u00C9"_s), HashText32(u"\u00E9"_s));
    EXPECT_NE(HashText64(u"\u00C9"_s), HashText64(u"\u00E9"_s));
    // '@' (0x40) and '[' (0x5B) lie just outside A to Z.
    EXPECT_NE(HashText32(u"@["_s), HashText32(u"`{"_s));
    EXPECT_EQ(HashText32(u"AZ"_s), HashText32(u"az"_s));
}

}  // namespace
