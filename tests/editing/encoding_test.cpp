// The text editor's encodings: what each kind of file loads as, and that an untouched or a
// re-encoded text is written back with exactly the mark and bytes the file had.

#include "documents/editing/textencoding.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

struct EncodingCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
    bool bom;
    QString text;
};

TEST(TextEncoding, DetectsAndWritesBackByteForByte) {
    platform::setSystemCodePageOverride(936);
    const EncodingCase cases[] = {
        {"empty", QByteArray(), TextEncoding::Utf8, false, u""_s},
        {"one byte", "a", TextEncoding::Utf8, false, u"a"_s},
        {"four ascii bytes", "abcd", TextEncoding::Utf8, false, u"abcd"_s},
        {"utf-8 mark alone", "\xEF\xBB\xBF", TextEncoding::Utf8, true, u""_s},
        {"utf-8 mark, short", "\xEF\xBB\xBFhi", TextEncoding::Utf8, true, u"hi"_s},
        {"utf-16 mark, short", QByteArray("\xFF\xFE" "a\0", 4), TextEncoding::Utf16Le, true, u"a"_s},
        {"gbk, two bytes", "\xD6\xD0", TextEncoding::Ansi, false, u"中"_s},
        {"utf-8 without mark", "line one\r\n\xE4\xB8\xAD\xE6\x96\x87\r\n", TextEncoding::Utf8,
         false, u"line one\n中文\n"_s},
        {"utf-8 with mark", "\xEF\xBB\xBFplain\n", TextEncoding::Utf8, true, u"plain\n"_s},
        {"utf-16le", QByteArray("\xFF\xFE" "h\0i\0\r\0\n\0-N", 12), TextEncoding::Utf16Le, true,
         u"hi\n中"_s},
        {"code page 936", "\xD6\xD0\xCE\xC4 text\r\n", TextEncoding::Ansi, false,
         u"中文 text\n"_s},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LoadedText loaded = LoadTextFromBytes(c.bytes);
        EXPECT_EQ(loaded.format.encoding, c.encoding);
        EXPECT_EQ(loaded.format.bom, c.bom);
        EXPECT_EQ(loaded.text, c.text);
        EXPECT_EQ(SaveTextToBytes(loaded.text, loaded.format), c.bytes);
    }
    platform::setSystemCodePageOverride(0);
}

TEST(TextEncoding, AnEditedTextKeepsTheFilesFormat) {
    platform::setSystemCodePageOverride(936);
    const LoadedText gbk = LoadTextFromBytes("\xD6\xD0\r\n");
    EXPECT_EQ(SaveTextToBytes(gbk.text + u"文"_s, gbk.format), "\xD6\xD0\r\n\xCE\xC4");
    const LoadedText plain = LoadTextFromBytes("plain ascii\n");
    EXPECT_EQ(SaveTextToBytes(u"plain ascii, more\n"_s, plain.format), "plain ascii, more\n");
    platform::setSystemCodePageOverride(0);
}

TEST(TextEncoding, AnOddLastByteOfUtf16IsDropped) {
    const LoadedText loaded = LoadTextFromBytes(QByteArray("\xFF\xFE" "a\0b", 5));
    EXPECT_EQ(loaded.text, u"a"_s);
}

}  // namespace
