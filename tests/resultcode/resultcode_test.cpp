#include "core/resultcode.h"

#include <gtest/gtest.h>

#include <set>

using namespace ov;

namespace {

QString textOf(int code, THS_Language lang, const QString& given = QStringLiteral("given")) {
    QString text = given;
    GetResultCodeText(static_cast<quint8>(code), lang, text);
    return text;
}

}  // namespace

TEST(ResultCodeText, TextsInBothLanguages) {
    struct Case {
        int code;
        const char16_t* chinese;
        const char16_t* english;
    };
    const Case cases[] = {
        {RC_Unknown, u"未知错误", u"Unknown error"},
        {RC_TimeOut, u"链接超时", u"Connection timed out"},
        {RC_CanUpload, u"可以上传", u"Uploading is enabled"},
        {RC_CreateFileErr, u"创建文件错误", u"Error in creating file"},
        {RC_OpenFileErr, u"打开文件错误", u"Error in opening file"},
        {RC_CheckoutFirst, u"文件先签出后才能上传(签入)新版本！",
         u"File is allowed to be uploaded (or checked in) only after it's been checked out.!"},
        {RC_ServerOlder, u"服务器文件比本地文件旧", u"Server files for the old version"},
        {RC_DownloadLimit, u"您下载文件的数量超出系统规定的数量，请联系管理员！",
         u"The maximum number of downloaded files is exceeded. Please contact Administrator!"},
        // The English text keeps its trailing blank.
        {RC_ServerError, u"服务器数端据错误或者网络错误", u"Server data error or network error "},
    };
    for (const Case& c : cases) {
        for (const int code : {c.code, c.code + 128}) {
            EXPECT_EQ(textOf(code, HSL_CN), QString::fromUtf16(c.chinese)) << code;
            EXPECT_EQ(textOf(code, HSL_ENG), QString::fromUtf16(c.english)) << code;
        }
    }
}

TEST(ResultCodeText, ExactlyTheNamedCodesHaveATextAndTheHighBitIsIgnored) {
    const std::set<int> withText = {0,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 14, 15,
                                    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 28, 29, 30,
                                    31, 32, 33, 34, 35, 37, 38, 39, 52, 53, 55, 60, 61, 101};
    for (int code = 0; code < 256; ++code) {
        const bool expected = withText.count(code & 0x7F) > 0;
        for (const auto lang : {HSL_CN, HSL_ENG}) {
            EXPECT_EQ(textOf(code, lang) != QStringLiteral("given"), expected) << code;
            EXPECT_EQ(textOf(code, lang, {}).isEmpty(), !expected) << code;
        }
        // Without a language the caller's text always stays.
        EXPECT_EQ(textOf(code, HSL_NONE), QStringLiteral("given")) << code;
    }
    // The codes without a text are the ones whose callers supply their own message.
    for (const int code : {int{RC_Ok}, 26, int{RC_ErrorText}, int{RC_Exception}, 255})
        EXPECT_EQ(textOf(code, HSL_ENG, QStringLiteral("server line")),
                  QStringLiteral("server line"));
    EXPECT_EQ(textOf(RC_CanUpload, static_cast<THS_Language>(3)), QStringLiteral("given"));
}
