#include "platform/widgets/fonts.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

using namespace Qt::StringLiterals;
using namespace ov::platform;

TEST(Fonts, ChineseAndWindowsFacesAreReplacedByFacesThisSystemHas) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    installFontSubstitutions();

    // The font system keeps substitutes in lower case.
    EXPECT_EQ(QFont::substitutes(u"宋体"_s),
              QStringList({chineseFontFamily().toLower(), u"sans-serif"_s}));
    if (!QFontDatabase::hasFamily(u"Tahoma"_s)) {
        EXPECT_EQ(QFont::substitute(u"Tahoma"_s), u"sans-serif"_s);
    }
    EXPECT_TRUE(fontSubstitutes(u"Courier New"_s).isEmpty());

    if (!QFontDatabase::hasFamily(chineseFontFamily()))
        GTEST_SKIP() << "the Chinese face is not installed";
    EXPECT_EQ(QFontInfo(QFont(u"宋体"_s, 9)).family(), chineseFontFamily());
}
