#include "core/uri.h"

#include <gtest/gtest.h>

using namespace ov;

TEST(Uri, ParamsEncodeKeepsOnlyUnreservedCharacters) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Plain-name_1.2~"), QStringLiteral("Plain-name_1.2~")},
        {QStringLiteral("a b&c=d+e#f?/%"), QStringLiteral("a%20b%26c%3Dd%2Be%23f%3F%2F%25")},
        {QStringLiteral("新建"), QStringLiteral("%E6%96%B0%E5%BB%BA")},
        {QString(), QString()},
    };
    for (const auto& [text, encoded] : cases) {
        EXPECT_EQ(UriParamsEncode(text), encoded) << text.toStdString();
        EXPECT_EQ(UriDecode(encoded), text);
    }
}

TEST(Uri, DecodeReadsPercentBytesUnicodeUnitsAndLeavesTheRest) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("%5BCode%5D13+x"), QStringLiteral("[Code]13+x")},  // "+" stays
        {QStringLiteral("%u4E2D%u6587"), QStringLiteral("中文")},
        {QStringLiteral("%uD83D%uDE00!"), QString::fromUtf8("\U0001F600!")},
        {QStringLiteral("%e4%b8%ad"), QStringLiteral("中")},
        {QStringLiteral("100%"), QStringLiteral("100%")},
        {QStringLiteral("%zz%4"), QStringLiteral("%zz%4")},
        {QStringLiteral("已%20解码"), QStringLiteral("已 解码")},  // raw characters survive whole
    };
    for (const auto& [encoded, text] : cases)
        EXPECT_EQ(UriDecode(encoded), text) << encoded.toStdString();
}
