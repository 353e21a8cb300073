#include "core/param.h"

#include <gtest/gtest.h>

#include "core/errors.h"

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

TEST(Param, EncodesAndDecodes) {
    const struct {
        QString text;
        QString encoded;
    } cases[] = {
        {u"abc"_s, u"%_616263_%"_s},
        {u"中"_s, u"%_E4B8AD_%"_s},
        {u""_s, u"%__%"_s},
        {u"a b%_\U0001F600"_s, u"%_612062255FF09F9880_%"_s},
        {u"\uFEFFname"_s, u"%_EFBBBF6E616D65_%"_s},  // a first U+FEFF is text, kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoded.toStdString());
        EXPECT_EQ(EncodeParam(c.text), c.encoded);
        EXPECT_EQ(DecodeParam(c.encoded), c.text);
    }
    EXPECT_EQ(DecodeParam(u"%_e4b8ad_%"_s), u"中");
}

TEST(Param, LeavesOtherTextsAlone) {
    for (const QString& text : {u"abc"_s, u"%_6%"_s, u"%_616263"_s, u"_616263_%"_s, u""_s})
        EXPECT_EQ(DecodeParam(text), text) << text.toStdString();
    // Only the leading "%_" and the final "%" are required; an odd digit is dropped.
    EXPECT_EQ(DecodeParam(u"%_61626%"_s), u"ab");
}

TEST(Param, RejectsBadPairsAndOversizedTexts) {
    for (const QString& text : {u"%_ZZ_%"_s, u"%_6G_%"_s, u"%_ 1_%"_s, u"%_+1_%"_s, u"%_61中1_%"_s})
        EXPECT_THROW(DecodeParam(text), ConvertError) << text.toStdString();
    const QString huge = u"%_"_s + QString(kMaxParamTextLength, u'0') + u"_%"_s;
    EXPECT_THROW(DecodeParam(huge), ConvertError);
}

}  // namespace
