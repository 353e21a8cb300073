// How server paths and local folders are joined, as tables.

#include "client/batch/batchpaths.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TEST(BatchPaths, DownloadTargets) {
    struct Case {
        bool includeRoot;
        const char16_t* serverPath;
        const char16_t* local;
    } cases[] = {
        {false, u"Docs\\Sub\\a.txt", u"/w/a.txt"},
        {true, u"Docs\\Sub\\a.txt", u"/w/Sub/a.txt"},
        {false, u"Docs\\Sub\\x\\b.txt", u"/w/x/b.txt"},
        {false, u"Other\\c.txt", u"/w/Other/c.txt"},
        {false, u"C:\\evil\\c.txt", u"/w/evil/c.txt"},
        {false, u"Docs\\Sub\\..\\..\\..\\etc\\passwd", u"/w/etc/passwd"},
        {true, u"Docs\\Sub\\\\/abs\\d.txt", u"/w/Sub/abs/d.txt"},
        {false, u"Docs\\Sub\\..", u""},
    };
    for (const Case& c : cases) {
        TBatchTransport task;
        task.FF = FF_Folder;
        task.TranStyle = TS_Download;
        task.DestFolderName = u"/w/"_s;
        task.SourceFolderName = u"Sub\\"_s;
        task.IncludeRootPath = c.includeRoot;
        EXPECT_EQ(DownloadTarget(task, QString::fromUtf16(c.serverPath)),
                  QString::fromUtf16(c.local))
            << QString::fromUtf16(c.serverPath).toStdString() << " root " << c.includeRoot;
    }
}

TEST(BatchPaths, SingleFileDownloadNamesTheFileOnce) {
    TBatchTransport task;
    task.FF = FF_File;
    task.IncludeRootPath = true;
    task.SourceFolderName = u"report.doc"_s;
    task.DestFolderName = u"/w/report.doc/"_s;  // as read back from the task file
    EXPECT_EQ(DownloadTarget(task, u"report.doc"_s), u"/w/report.doc"_s);
    task.DestFolderName = u"/w/"_s;
    EXPECT_EQ(DownloadTarget(task, u"report.doc"_s), u"/w/report.doc"_s);
    EXPECT_EQ(DownloadTarget(task, u"..\\..\\x.doc"_s), u"/w/x.doc"_s);
}

TEST(BatchPaths, UploadSubFolders) {
    struct Case {
        bool includeRoot;
        const char16_t* file;
        const char16_t* sub;
    } cases[] = {
        {false, u"/h/u/docs/a.txt", u""},
        {false, u"/h/u/docs/x/y/a.txt", u"x\\y\\"},
        {true, u"/h/u/docs/a.txt", u"docs\\"},
        {true, u"/h/u/docs/x/a.txt", u"docs\\x\\"},
        {false, u"/elsewhere/a.txt", u""},
        {false, u"/H/U/DOCS/x/a.txt", u"x\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UploadSubFolder(u"/h/u/docs/"_s, c.includeRoot, QString::fromUtf16(c.file)),
                  QString::fromUtf16(c.sub))
            << QString::fromUtf16(c.file).toStdString();
}

TEST(BatchPaths, PartsOfPaths) {
    EXPECT_EQ(LastFolderPart(u"Docs\\Sub\\"_s), u"Sub\\"_s);
    EXPECT_EQ(LastFolderPart(u"Sub"_s), u"Sub"_s);
    EXPECT_EQ(RelativePart(u"a\\Sub\\b.txt"_s, u"Sub\\"_s), u"b.txt"_s);
    EXPECT_EQ(RelativePart(u"a\\sub\\b.txt"_s, u"Sub\\"_s), u"a\\sub\\b.txt"_s);
    EXPECT_EQ(FileNameOf(u"a/b\\c.txt"_s), u"c.txt"_s);
    EXPECT_EQ(StripUnsafeParts(u"./a/../b//c:/d"_s), u"a/b/d"_s);
}

TEST(BatchPaths, SingleUploadSourceDropsAnAppendedSeparator) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"a.txt"_s);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(SingleUploadSource(file + u"\\"_s), file);
    EXPECT_EQ(SingleUploadSource(file), file);
    EXPECT_EQ(SingleUploadSource(u"/missing\\"_s), u"/missing\\"_s);
}

}  // namespace
}  // namespace ov
