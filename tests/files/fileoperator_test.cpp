#include "core/fileoperator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "core/datetime.h"
#include "core/filetype.h"
#include "fixtures.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

using test::makeFolder;
using test::writeFile;

TEST(FileOperatorNames, PostfixAndSearchPath) {
    EXPECT_EQ(TFileOperator::GetFilePostfix(u"/data.old/readme"_s), u"old/readme"_s);
    EXPECT_EQ(TFileOperator::GetFilePostfix(u"archive.tar.gz"_s), u"gz"_s);
    EXPECT_EQ(TFileOperator::GetFilePostfix(u"README"_s), QString());
    EXPECT_EQ(TFileOperator::GetFileExtType2(u"a.DOC"_s), FileExtToCode(u"doc"_s));

    EXPECT_EQ(TFileOperator::GetSearchPath(u"/a/b"_s, u"doc"_s), u"/a/b/*.doc"_s);
    EXPECT_EQ(TFileOperator::GetSearchPath(u"/a/b/"_s, QString()), u"/a/b/*.*"_s);
    EXPECT_EQ(TFileOperator::GetSearchPath(QString(), u"doc"_s), QString());
}

TEST(FileOperatorNames, FiltrateFileKeepsOnlyTheGivenTypes) {
    TFileOperator op;
    QStringList list = {u"/x/a.DOC"_s, u"/x/b.txt"_s, u"/x/c.doc"_s, u"/x/noext"_s};
    op.FiltrateFile({FileExtToCode(u"doc"_s)}, list);
    EXPECT_EQ(list, (QStringList{u"/x/a.DOC"_s, u"/x/c.doc"_s}));
    op.FiltrateFile({}, list);
    EXPECT_TRUE(list.isEmpty());
}

// A tree with hidden entries, a folder named like a file, a link back to the root, a pipe
// and a dangling link.
class FileWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"a.doc", "B.DOC", "b.txt", ".hidden.doc", "c.docx", "sub.doc/x.txt", "sub.doc/y.doc",
              "other/z.doc", "other/deep/w.txt", ".git/cfg"})
            writeFile(root + u'/' + QString::fromLatin1(name));
        QFile::link(root, root + u"/loop"_s);
        QFile::link(root + u"/other"_s, root + u"/other/deep/up"_s);
        QFile::link(home.file(u"nowhere"_s), root + u"/dangling"_s);
        ::mkfifo(QFile::encodeName(root + u"/fifo"_s).constData(), 0600);
    }
    QStringList under(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names)
            paths.append(root + u'/' + name);
        return paths;
    }

    test::TempHome home;
    const QString root = home.file(u"tree"_s);
    TFileOperator op;
};

TEST_F(FileWalkTest, GetAllFilesWithPatternsAndSubFolders) {
    struct Case {
        const char* ext;
        bool sub;
        QStringList expected;
    };
    const Case cases[] = {
        // The pattern picks files and the folders to enter; inside those every file counts.
        {"doc",
         true,
         {u".hidden.doc"_s, u"a.doc"_s, u"B.DOC"_s, u"sub.doc/x.txt"_s, u"sub.doc/y.doc"_s}},
        {"doc", false, {u".hidden.doc"_s, u"a.doc"_s, u"B.DOC"_s}},
        {"", false, {u".hidden.doc"_s, u"a.doc"_s, u"B.DOC"_s, u"b.txt"_s, u"c.docx"_s}},
        {"",
         true,
         {u".git/cfg"_s, u".hidden.doc"_s, u"a.doc"_s, u"B.DOC"_s, u"b.txt"_s, u"c.docx"_s,
          u"other/deep/w.txt"_s, u"other/z.doc"_s, u"sub.doc/x.txt"_s, u"sub.doc/y.doc"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ext) + (c.sub ? " with sub-folders" : ""));
        QStringList list = {u"kept"_s};
        op.GetAllFiles(root, c.sub, list, QString::fromLatin1(c.ext));
        EXPECT_EQ(list, QStringList{u"kept"_s} + under(c.expected));
        EXPECT_EQ(TFileOperator::ListAllFiles(root + u'/', c.sub, QString::fromLatin1(c.ext)),
                  under(c.expected));
    }
}

TEST_F(FileWalkTest, MissingRootGivesNothing) {
    QStringList list;
    op.GetAllFiles(home.file(u"missing"_s), true, list);
    op.GetAllFiles(root + u"/a.doc"_s, true, list);
    op.SaveDirectoryToList(home.file(u"missing"_s), list);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(FileWalkTest, FolderListFollowsLinksButNeverLoops) {
    const QString outside = home.file(u"outside"_s);
    writeFile(outside + u"/f.txt"_s);
    QFile::link(outside, root + u"/ext"_s);

    QStringList folders;
    op.SaveDirectoryToList(root, folders);
    EXPECT_EQ(folders,
              under({u".git/"_s, u"ext/"_s, u"other/"_s, u"other/deep/"_s, u"sub.doc/"_s}));
    EXPECT_TRUE(
        TFileOperator::ListAllFiles(root, true, QString()).contains(root + u"/ext/f.txt"_s));
}

TEST(FileWalk, DeepTreesAreWalkedWhole) {
    test::TempHome home;
    QString deepest = home.file(u"deep"_s);
    for (int i = 0; i < 300; ++i)
        deepest += u"/d"_s;
    makeFolder(deepest);
    writeFile(deepest + u"/leaf.txt"_s);
    TFileOperator op;

    QStringList folders;
    op.SaveDirectoryToList(home.file(u"deep"_s), folders);
    ASSERT_EQ(folders.size(), 300);
    EXPECT_EQ(folders.last(), deepest + u'/');
    EXPECT_EQ(TFileOperator::ListAllFiles(home.file(u"deep"_s), true, QString()),
              QStringList{deepest + u"/leaf.txt"_s});

    TDirectoryTree root;
    root.Path = home.file(u"deep"_s);
    op.GetAllDirectory(&root, 0, true);
    int depth = 0;
    for (const TDirectoryTree* node = &root; !node->Childs.empty(); node = node->Childs[0].get())
        ++depth;
    EXPECT_EQ(depth, 300);
    op.FreeDirectoryTree(&root);
    EXPECT_TRUE(root.Childs.empty());
}

// r/{.h, a/{a1, a2}, b (read-only), c, lnk -> a}
class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"/.h", "/a/a1", "/a/a2", "/b", "/c"})
            makeFolder(root.Path + QString::fromLatin1(name));
        QFile::link(root.Path + u"/a"_s, root.Path + u"/lnk"_s);
        QFile::setPermissions(root.Path + u"/b"_s,
                              QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup);
        root.Id = 1;
    }
    static QStringList paths(const TDirectoryTree& node) {
        QStringList out;
        for (const auto& child : node.Childs)
            out.append(child->Path);
        return out;
    }

    test::TempHome home;
    TDirectoryTree root{0, 0, 0, nullptr, {}, home.file(u"r"_s)};
    TFileOperator op;
};

TEST_F(FolderTreeTest, GetAllDirectoryTakesPlainFoldersOnly) {
    op.GetAllDirectory(&root, 0, false);
    ASSERT_EQ(paths(root), (QStringList{u"a"_s, u"c"_s}));
    const TDirectoryTree& a = *root.Childs[0];
    EXPECT_EQ(a.Id, 10);
    EXPECT_EQ(root.Childs[1]->Id, 11);
    EXPECT_EQ(a.Father, &root);
    EXPECT_EQ(a.Level, 1);
    ASSERT_EQ(paths(a), (QStringList{u"a1"_s, u"a2"_s}));
    EXPECT_EQ(a.Childs[1]->Id, 101);
    EXPECT_EQ(a.Childs[1]->Level, 2);

    op.FreeDirectoryTree(&root);
    op.GetAllDirectory(&root, 1, true);
    EXPECT_EQ(paths(root), (QStringList{root.Path + u"/a"_s, root.Path + u"/c"_s}));
    EXPECT_TRUE(root.Childs[0]->Childs.empty());
}

TEST_F(FolderTreeTest, SaveDirectoryToListNumbersNodesInListOrder) {
    QList<PDirectoryTree> list;
    op.SaveDirectoryToList(&root, list, 0);
    QStringList got;
    for (PDirectoryTree node : list)
        got.append(node->Path.mid(root.Path.size()) + u'#' + QString::number(node->Id) + u'@' +
                   QString::number(node->Level));
    // The link to "a" is the same folder, entered once.
    EXPECT_EQ(got, (QStringList{u"/.h#1@1"_s, u"/a#2@1"_s, u"/a/a1#3@2"_s, u"/a/a2#4@2"_s,
                                u"/b#5@1"_s, u"/c#6@1"_s}));
    EXPECT_EQ(list[2]->Father, list[1]);

    op.FreeDirectoryTree(&root);
    list.clear();
    op.SaveDirectoryToList(&root, list, 1);
    EXPECT_EQ(list.size(), 5);  // "a" is not entered, so its link is listed
}

TEST(FileOperatorVolumes, RootIsAVolume) {
    TFileOperator op;
    const QStringList drives = op.GetDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first(), u"/"_s);
    for (const QString& fixed : op.GetDrives_Fixed())
        EXPECT_TRUE(drives.contains(fixed));
    for (const QString& drive : drives)
        EXPECT_FALSE(drive.startsWith(u"/proc"_s));
    EXPECT_TRUE(op.GetVolumeInformation(u"/"_s));
    EXPECT_FALSE(op.GetVolumeInformation(u"/no/such/volume/"_s));
}

TEST(FileOperatorCounts, PictureFilesAreCounted) {
    test::TempHome home;
    for (const char* name : {"a.jpg", "b.PNG", "c.txt", "s/d.gif", "s/e.doc"})
        writeFile(home.file(u"pics/"_s) + QString::fromLatin1(name));
    TFileOperator op;
    int count = 5;
    op.GetPicFileNum(home.file(u"pics/"_s), false, count);
    EXPECT_EQ(count, 7);
    op.GetPicFileNum(home.file(u"pics"_s), true, count);
    EXPECT_EQ(count, 10);
    op.GetPicFileNum(home.file(u"missing"_s), true, count);
    EXPECT_EQ(count, 10);
}

TEST(FileOperatorTimes, LostJanuary1980TimesFallBackToCreation) {
    test::TempHome home;
    const QString path = home.file(u"f.bin"_s);
    writeFile(path, QByteArray(5, 'z'));
    const QDateTime birth = QFileInfo(path).birthTime();
    if (!birth.isValid()) GTEST_SKIP() << "this file system keeps no creation time";
    TFileOperator op;

    struct Case {
        QTime written;
        bool usesCreation;
    };
    for (const Case& c : {Case{QTime(0, 30), true}, Case{QTime(1, 0), false}}) {
        const QDateTime written(QDate(1980, 1, 15), c.written, Qt::LocalTime);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();

        std::int64_t size = 0;
        TDateTime modify = 0, last = 0;
        op.GetFileSizeAndLastTime(path, size, modify, last);
        EXPECT_EQ(size, 5);
        EXPECT_DOUBLE_EQ(modify, QDateTimeToDateTime(c.usesCreation ? birth : written));
        EXPECT_DOUBLE_EQ(last, QDateTimeToDateTime(birth));
        EXPECT_DOUBLE_EQ(op.GetFileModifyTime(path), QDateTimeToDateTime(written));
    }
}

TEST(FileOperatorTimes, MissingFilesReadAsZero) {
    TFileOperator op;
    const QString missing = u"/no/such/file"_s;
    std::int64_t size = 9;
    TDateTime modify = 42, last = 7, create = 3;
    op.GetFileSizeAndLastTime(missing, size, modify, last);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(last, 0);
    EXPECT_EQ(modify, 42);  // left as it was
    op.GetFileSizeAndModifyTime(missing, size, modify);
    EXPECT_EQ(modify, 0);
    op.GetFileSizeAndCreateTime(missing, size, create);
    EXPECT_EQ(create, 0);
    EXPECT_EQ(TFileOperator::GetFileSizeEx(missing), 0);
    TFileAttributeData data;
    EXPECT_FALSE(op.GetAttributes(missing, data));
}

}  // namespace
}  // namespace ov
