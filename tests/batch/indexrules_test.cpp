// The index's pure rules: which files are left out, and the line formats.

#include "client/batch/indexrules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TEST(IndexRules, RenamedDeletedFilesAndThumbs) {
    struct Case {
        const char16_t* path;
        bool renamed;
    } cases[] = {
        {u"/d/report.doc_kx0.doc", true}, {u"/d/a_kx.txt", false}, {u"/d/a_kxA.txt", true},
        {u"/d/a_kxA12.txt", true},        {u"_kx0.txt", false},    {u"/d/a_kxAB.txt", false},
        {u"/d/plain.txt", false},         {u"/d/a_kx00", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRenamedDeletedFile(QString::fromUtf16(c.path)), c.renamed)
            << QString::fromUtf16(c.path).toStdString();
    EXPECT_TRUE(IsThumbsFile(u"/d/Thumbs.DB"_s));
    EXPECT_FALSE(IsThumbsFile(u"/d/thumbs.db.txt"_s));
}

TEST(IndexRules, PathsThatCannotBeIndexed) {
    EXPECT_TRUE(UnindexablePathReason(u"/d/a.txt"_s).isEmpty());
    EXPECT_FALSE(UnindexablePathReason(u"/d/a\nb.txt"_s).isEmpty());
    EXPECT_FALSE(UnindexablePathReason(u"/d/a\rb.txt"_s).isEmpty());
    EXPECT_TRUE(UnindexablePathReason(QString(1024, u'a')).isEmpty());
    EXPECT_FALSE(UnindexablePathReason(QString(1025, u'a')).isEmpty());
}

TEST(IndexRules, LinesRoundTripAndLongNumbersAreCut) {
    TTidyFile f;
    f.PathHash = -9223372036854775807LL;
    f.FolderId = 7;
    f.Size = 4096;
    f.ModifyDT = 45000.5;
    f.Path = u"/d/b.txt"_s;
    const QString line = FileListLine(f);
    EXPECT_EQ(line.size(), 88 + 8 + 2);
    const auto back = ParseFileListLine(line.chopped(2));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->PathHash, f.PathHash);
    EXPECT_EQ(back->FolderId, 7);
    EXPECT_EQ(back->Size, 4096);
    EXPECT_DOUBLE_EQ(back->ModifyDT, 45000.5);
    EXPECT_EQ(back->Path, f.Path);
    EXPECT_EQ(IndexField(123, 4), u"123 "_s);
    EXPECT_EQ(IndexField(12345, 4), u"1234"_s);
    EXPECT_FALSE(ParseFileListLine(u"x"_s + line.mid(1)));
    EXPECT_FALSE(ParseStateLine(u"1"_s));
}

TEST(IndexRules, KeyChangesWithSizeAndTime) {
    const auto k = UploadFileKey(u"/d/a.txt"_s, 10, 45000.5);
    EXPECT_NE(k, UploadFileKey(u"/d/a.txt"_s, 11, 45000.5));
    EXPECT_NE(k, UploadFileKey(u"/d/a.txt"_s, 10, 45000.6));
    EXPECT_EQ(k, UploadFileKey(u"/D/A.TXT"_s, 10, 45000.5));  // the hash folds ASCII case
}

}  // namespace
}  // namespace ov
