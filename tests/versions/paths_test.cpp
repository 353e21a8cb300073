// Where server files go on this computer: the working-folder mapping, the folders of the latest
// versions, the safe join of server names, the numbered assembly files, and the server's lists.

#include "core/datetime.h"
#include "core/safejoin.h"
#include "documents/versions/asmversion.h"
#include "documents/versions/diffitems.h"
#include "documents/versions/newverlist.h"
#include "documents/versions/records.h"
#include "documents/versions/workpath.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace ov {

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

QString Reply(const QString& names, const QString& ids) {
    return u"[PathStr]"_s + names + u"[/PathStr][PathIdStr]"_s + ids + u"[/PathIdStr]"_s;
}

class WorkPathTest : public ::testing::Test {
protected:
    QString ini() const { return dir.path() + u'/'; }
    void Map(std::int64_t id, const QString& path) { ASSERT_TRUE(WriteWorkPath(ini(), id, path)); }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(WorkPathTest, DeepestMappingWinsAndNamesBelowItAreRebuilt) {
    const QString reply = Reply(u"X/A/B/C"_s, u"10/20/30"_s);
    EXPECT_EQ(GetMappedWorkPath(reply, ini()), QString());
    Map(10, u"/w/"_s);
    EXPECT_EQ(GetMappedWorkPath(reply, ini()), u"/w/B/C/"_s);
    Map(20, u"/v/"_s);
    EXPECT_EQ(GetMappedWorkPath(reply, ini()), u"/v/C/"_s);
    Map(30, u"/u/c"_s);
    EXPECT_EQ(GetMappedWorkPath(reply, ini()), u"/u/c"_s);
    // Backslashes as the server writes them; a reply without ids maps nothing.
    EXPECT_EQ(GetMappedWorkPath(Reply(u"X\\A\\B\\C\\D"_s, u"10\\20\\30\\40"_s), ini()),
              u"/u/c/D/"_s);
    EXPECT_EQ(GetMappedWorkPath(u"[PathStr]X/A[/PathStr]"_s, ini()), QString());
}

TEST_F(WorkPathTest, TypedFolderWithoutSeparatorAndUnsafeNames) {
    Map(10, u"/w"_s);
    EXPECT_EQ(GetMappedWorkPath(Reply(u"X/A/B"_s, u"10/20"_s), ini()), u"/w/B/"_s);
    EXPECT_EQ(GetMappedWorkPath(Reply(u"X/A/../../etc"_s, u"10/20/30"_s), ini()), QString());
    EXPECT_EQ(FolderBelowRoot(u"/root/"_s, u"X\\..\\etc"_s), u"/root/"_s);
    EXPECT_EQ(FolderBelowRoot(u"/root/"_s, u"X\\A"_s), u"/root/X/A/"_s);
}

TEST_F(WorkPathTest, FolderIdsOfZeroOrLessAreTheRoot) {
    EXPECT_FALSE(WriteWorkPath(ini(), -5, u"/w/"_s));
    EXPECT_FALSE(WriteWorkPath(ini(), 0, u"/w/"_s));
    EXPECT_FALSE(QFile::exists(WorkPathRecordFile(ini())));
    ASSERT_TRUE(WriteCheckoutPath(ini(), 9007199254740993, u"/w/a b.doc"_s));
    EXPECT_EQ(ReadCheckoutPath(ini(), 9007199254740993), u"/w/a b.doc"_s);
    ASSERT_TRUE(DelCheckoutPath(ini(), 9007199254740993));
    EXPECT_EQ(ReadCheckoutPath(ini(), 9007199254740993), QString());
}

TEST(LocalFolderOf, CutsTheServerPathAtTheChosenLevel) {
    const struct {
        int step;
        QString path;
        std::optional<QString> folder;
    } cases[] = {
        {3, u"A\\B\\C\\"_s, u"/root/"_s},       {3, u"A\\B\\C\\D\\"_s, u"/root/D/"_s},
        {2, u"A/B/C/"_s, u"/root/C/"_s},        {0, u"A\\B\\C\\"_s, u"/root/A/B/C/"_s},
        {0, u"A\\B\\C"_s, u"/root/A/B/C/"_s},    // no last letter lost
        {3, u"A\\B\\"_s, std::nullopt},          // fewer levels than the step
        {1, u"A\\..\\..\\x\\"_s, std::nullopt},  // climbing out
        {0, u"\\abs\\"_s, std::nullopt},
    };
    for (const auto& c : cases) {
        TLocalFolders folders(u"/root"_s, c.step);
        EXPECT_EQ(folders.LocalFolderOf(c.path, 7), c.folder) << c.path.toStdString();
    }
}

TEST(LocalFolderOf, KeepsTheLastAnswerPerFolderOnly) {
    TLocalFolders folders(u"/root/"_s, 1);
    EXPECT_EQ(folders.LocalFolderOf(u"A\\B\\"_s, 0), u"/root/B/"_s);  // id 0 is not "known"
    EXPECT_EQ(folders.LocalFolderOf(u"A\\other\\"_s, 0), u"/root/B/"_s);
    EXPECT_EQ(folders.LocalFolderOf(u"A\\"_s, 5), u"/root/"_s);
    EXPECT_EQ(folders.LocalFolderOf(u"A"_s, 6), std::nullopt);
    EXPECT_EQ(folders.LocalFolderOf(u"A\\"_s, 5), u"/root/"_s);
    EXPECT_EQ(PathStepOf(u"X/A/B/C"_s), 3);
    EXPECT_EQ(PathStepOf(QString()), 0);
}

TEST(SafeJoin, KeepsSubFoldersAndRefusesEscapes) {
    const struct {
        QString name;
        std::optional<QString> joined;
    } cases[] = {
        {u"b.doc"_s, u"/w/b.doc"_s},        {u"a/b.doc"_s, u"/w/a/b.doc"_s},
        {u"a\\\\b.doc"_s, u"/w/a/b.doc"_s}, {u"../b.doc"_s, std::nullopt},
        {u"a/../../b.doc"_s, std::nullopt}, {u"./b.doc"_s, std::nullopt},
        {u"/etc/passwd"_s, std::nullopt},   {u"\\etc\\passwd"_s, std::nullopt},
        {u"C:\\x.doc"_s, std::nullopt},     {u"a"_s + QChar(0) + u"b"_s, std::nullopt},
        {QString(), std::nullopt},          {u"..b.doc"_s, u"/w/..b.doc"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinBelow(u"/w"_s, c.name), c.joined) << c.name.toStdString();
    EXPECT_EQ(JoinBelow(QString(), u"b.doc"_s), std::nullopt);
}

TEST(LatestAsmVersion, TakesTheHighestNumberedFileOrTheFileItself) {
    QTemporaryDir dir;
    const QString part = dir.filePath(u"part.asm"_s);
    const auto touch = [](const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    touch(part);
    EXPECT_EQ(LatestAsmVersion(part), part);  // no numbered file: the file itself
    touch(part + u".bak"_s);
    touch(part + u".123456789"_s);
    EXPECT_EQ(LatestAsmVersion(part), part);
    touch(part + u".3"_s);
    touch(part + u".012"_s);
    touch(dir.filePath(u"PART.ASM.99"_s));
    EXPECT_EQ(LatestAsmVersion(part), part + u".012"_s);
    EXPECT_EQ(LatestAsmVersion(dir.filePath(u"part.doc"_s)), dir.filePath(u"part.doc"_s));
}

TEST(ServerLists, NewVersionsAndFolderItems) {
    const TFileInfoArray files = ParseNewVerList(
        u"1001*11*46000500000000*齿轮箱.dwg*设计部/设计图纸/机械/\r\n"
        "7*x\r\n\r\n9*1*2*a*b*c"_s);
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0].Key, 1001);
    EXPECT_EQ(files[0].FolderId, 11);
    EXPECT_DOUBLE_EQ(files[0].Date, 46000.5);
    EXPECT_EQ(files[0].Name, u"齿轮箱.dwg"_s);
    EXPECT_EQ(files[0].Path, u"设计部\\设计图纸\\机械\\"_s);
    EXPECT_EQ(files[1].Key, 7);
    EXPECT_EQ(files[1].Name, QString());
    EXPECT_EQ(files[2].Path, u"b*c"_s);

    const TFileItemArray items = ParseFolderList(
        u"11*0*机械*  *True\r\n1001*46000500000000*a.doc*张三*False\r\n5*0*..*x*True\r\n"
        "6*bad*b.doc"_s);
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(items[0].IsFolder);
    EXPECT_EQ(items[0].CheckOutUser, QString());
    EXPECT_EQ(items[1].CheckOutUser, u"张三"_s);
    EXPECT_DOUBLE_EQ(items[1].ModifyTime, 46000.5);
    EXPECT_FALSE(items[2].IsFolder);
    EXPECT_TRUE(ParseFolderList(u"no power"_s).isEmpty());
}

}  // namespace ov
