#include "core/filetype.h"

#include <gtest/gtest.h>

using namespace ov;
using namespace Qt::StringLiterals;

namespace {

TEST(FileTypeCode, PacksUpToFourCharacters) {
    const struct {
        QString ext;
        std::int32_t code;
    } cases[] = {
        {u"doc"_s, 0x646F63},
        {u"docx"_s, 1685021560},
        {u" DOCX "_s, 1685021560},
        {u"jpg"_s, 6975591},
        {u"pdf"_s, 7365734},
        {u"sldprt"_s, 1936483440},
        {u""_s, 0},
        {u" \t "_s, 0},
        {u"a\u20ACb"_s, 0x6162},      // the euro sign (8364) is skipped
        {u"a\u20ABb"_s, 0x61AB62},    // 8363 still counts with its low byte
        {u"a\u20ACbcd"_s, 0x616263},  // only the first four characters are looked at
        {u"d c"_s, 0x6463},
        {u"\u00C9"_s, 0xC9},  // no folding outside A to Z
        {u"tiff"_s, 0x74696666},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ext.toStdString());
        EXPECT_EQ(FileExtToCode(c.ext), c.code);
    }
    // ExtTextToCode does not trim.
    EXPECT_EQ(ExtTextToCode(u" doc"_s), 0x646F63);
    EXPECT_EQ(ExtTextToCode(u"\u00A0doc"_s), static_cast<std::int32_t>(0xA0646F63));
}

TEST(FileTypeCode, GivesTheExtensionBack) {
    EXPECT_EQ(CodeToExt(1685021560), u"docx");
    EXPECT_EQ(CodeToExt(FileExtToCode(u"SLDPRT"_s)), u"sldprt");
    EXPECT_EQ(CodeToExt(FileExtToCode(u"sldasm"_s)), u"sldasm");
    EXPECT_EQ(CodeToExt(FileExtToCode(u"slddrw"_s)), u"slddrw");
    EXPECT_EQ(CodeToExt(FileExtToCode(u"shtml"_s)), u"shtml");
    EXPECT_EQ(CodeToExt(FileExtToCode(u"bw"_s)), u"bw");
    EXPECT_EQ(CodeToExt(0), u"");
    // Bytes outside 0x21 to 0x7F are skipped.
    EXPECT_EQ(CodeToExt(static_cast<std::int32_t>(0x80412061)), u"Aa");
    EXPECT_EQ(CodeToExt(0x7F21), u"\x7F!");
}

TEST(FileTypeCode, ImageAndCadLists) {
    for (const QString& ext :
         {u"bw"_s, u"BMP"_s, u"jpg"_s, u"jpeg"_s, u"png"_s, u"tiff"_s, u"rgba"_s})
        EXPECT_TRUE(IsImageExtCode(FileExtToCode(ext))) << ext.toStdString();
    for (const QString& ext : {u"doc"_s, u"pdf"_s, u"dwg"_s, u"b"_s, u""_s})
        EXPECT_FALSE(IsImageExtCode(FileExtToCode(ext))) << ext.toStdString();
    for (const QString& ext :
         {u"dwg"_s, u"dxf"_s, u"easm"_s, u"sldprt"_s, u"sldasm"_s, u"slddrw"_s})
        EXPECT_TRUE(IsCadExtCode(FileExtToCode(ext))) << ext.toStdString();
    for (const QString& ext : {u"sld"_s, u"jpg"_s, u"shtml"_s, u""_s})
        EXPECT_FALSE(IsCadExtCode(FileExtToCode(ext))) << ext.toStdString();
}

}  // namespace
