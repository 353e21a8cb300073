// The parsers of the server's organisation, folder and list replies, the icon maps and the
// local names and paths the dialogs build from what the server and the user give them.

#include <gtest/gtest.h>

#include <QFile>

#include "client/filemanager/droplist.h"
#include "client/filemanager/filedownloadfrm.h"
#include "client/filemanager/fileicons.h"
#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/orgstructure.h"
#include "client/filemanager/serverfolderfileview.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/showfolder.h"
#include "client/serverdialogs/passwordfrm.h"
#include "core/datetime.h"
#include "core/filetype.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TDateTime fixedNow() {
    return TextToDateTime(u"2025-12-10 10:00:00"_s);
}

const QString kOrgXml = uR"(<Org><GroupItem Name="总公司" Id="1">
  <Members><M Id="7" Name="王五" Email="w@x" CoreId="C7" LasterLoginTm="2025-12-10 09:58:30"/></Members>
  <Childs>
    <GroupItem Name="设计部" Id="2"><Members>
      <M Id="8" Name="张三" LasterLoginTm="2025-12-10 09:57:00"/>
      <M Id="7" Name="王五"/>
      <M Id="7" Name="王五"/>
    </Members><Childs><G Name="结构组" Id="4"/></Childs></GroupItem>
    <GroupItem Name="市场部" Id="3"><Members><M Id="x9" Name="坏的"/></Members></GroupItem>
  </Childs></GroupItem></Org>)"_s;

TEST(OrgStructure, GroupsMembersAndOnlineStateFromTheXml) {
    TOrgStructure org;
    org.Clock = fixedNow;
    org.ParseOrgStructure(kOrgXml);
    const THS_Org& root = *org.Root();
    EXPECT_EQ(root.Name, u"总公司"_s);
    ASSERT_EQ(root.Childs.size(), 2);
    const THS_Org& design = *root.Childs[0];
    EXPECT_EQ(design.Father, &root);
    ASSERT_EQ(design.Members.size(), 2) << "a member listed twice in a group shows once";
    EXPECT_EQ(design.Childs.value(0)->Name, u"结构组"_s);
    EXPECT_EQ(root.Childs[1]->Members.value(0)->Id, -1) << "an id that is not a number";

    // 王五 is in two groups and has one record, the last one read: without a login time.
    EXPECT_EQ(org.OwnerRegInfo().size(), 3);
    const TOwnerRegInfo wang = org.GetUsrInfo(7);
    EXPECT_EQ(wang.DisplayName, u"王五"_s);
    EXPECT_FALSE(wang.OnLine) << "no login time reads as a day ago";
    EXPECT_FALSE(org.GetUsrInfo(8).OnLine) << "three minutes ago";
    EXPECT_EQ(org.GetUsrInfo(99).OwnerId, -1);

    org.ParseOrgStructure(uR"(<Org><GroupItem Name="新" Id="5"/></Org>)"_s);
    EXPECT_EQ(org.Root()->Name, u"新"_s);
    EXPECT_TRUE(org.Root()->Childs.isEmpty()) << "parsing again replaces the tree";
    EXPECT_TRUE(org.OwnerRegInfo().isEmpty());
}

TEST(OrgStructure, MalformedOrEmptyXmlGivesAnEmptyModel) {
    for (const QString& text : {QString(), u"<Org><GroupItem Name='a' Id='1'>"_s, u"garbage"_s,
                                u"<Org/>"_s}) {
        TOrgStructure org;
        org.ParseOrgStructure(text);
        EXPECT_TRUE(org.Root()->Name.isEmpty()) << text.toStdString();
        EXPECT_TRUE(org.OwnerRegInfo().isEmpty());
    }
}

TEST(OrgStructure, OnlineWithinTwoMinutesAndComingOnlineIsAChange) {
    const TDateTime now = fixedNow();
    const TDateTime second = 1.0 / 86400;
    EXPECT_TRUE(IsOnline(now, now - 90 * second));
    EXPECT_FALSE(IsOnline(now, now - 180 * second));

    TOrgStructure org;
    org.Clock = fixedNow;
    org.ResetUserStatus(uR"(<S><M Id="8" Name="张三" LasterLoginTm="2025-12-10 09:50:00"/></S>)"_s);
    EXPECT_TRUE(org.ChangedUsers().isEmpty());
    org.ResetUserStatus(uR"(<S><M Id="8" Name="张三" LasterLoginTm="2025-12-10 09:59:30"/></S>)"_s);
    ASSERT_EQ(org.ChangedUsers().size(), 1);
    EXPECT_EQ(org.ChangedUsers()[0].OwnerId, 8);
    org.SetTime_Deff(10 * 60 * second);  // the server runs ten minutes ahead
    org.ResetUserStatus(uR"(<S><M Id="8" Name="张三" LasterLoginTm="2025-12-10 10:09:30"/></S>)"_s);
    EXPECT_TRUE(org.GetUsrInfo(8).OnLine);
}

TEST(FolderXml, OneLevelAndTheWholeTree) {
    const auto level = ParseSubFolders(
        uR"(<F><Folder Id="11" ChildNum="2"><Path>机械</Path></Folder><Folder Id="x"><Path>b</Path></Folder></F>)"_s);
    ASSERT_EQ(level.size(), 2);
    EXPECT_EQ(level[0].Id, 11);
    EXPECT_EQ(level[0].ChildNum, 2);
    EXPECT_EQ(level[0].Path, u"机械"_s);
    EXPECT_EQ(level[1].Id, 0);

    const auto tree = ParseOwnerFolders(
        uR"(<F><Item><Childs><Folder Id="10"><Path>设计图纸</Path><Childs><Folder Id="11"><Path>机械</Path></Folder></Childs></Folder></Childs></Item></F>)"_s);
    ASSERT_EQ(tree.size(), 1);
    ASSERT_EQ(tree[0].Childs.size(), 1);
    EXPECT_EQ(tree[0].Childs[0].Path, u"机械"_s);
    EXPECT_TRUE(ParseOwnerFolders(u"<F><Item>"_s).isEmpty());
}

TEST(ListFolder, LinesAsItems) {
    struct Case {
        QString reply;
        int count;
    } cases[] = {{QString(), 0}, {u"no power"_s, 0}, {u"\r\n\r\n"_s, 0},
                 {u"12*0*Projects* *True*0\r\n1001*45000500000000*a.dwg*张三*False*1\r\nx\r\n1002*0*b*"_s, 2}};
    for (const Case& c : cases) EXPECT_EQ(ParseListFolder(c.reply).size(), c.count) << c.reply.toStdString();
    const auto items = ParseListFolder(cases[3].reply);
    EXPECT_TRUE(items[0].IsFolder);
    EXPECT_EQ(items[0].User, QString()) << "fields are trimmed";
    EXPECT_EQ(items[1].User, u"张三"_s);
    EXPECT_EQ(items[1].Size, 1);
    EXPECT_EQ(SizeInKB(1), u"1"_s);
    EXPECT_EQ(SizeInKB(1024), u"2"_s);
}

TEST(FolderFileXml, FilesWithDefaults) {
    const TDateTime now = fixedNow();
    const auto files = ParseFolderFiles(
        uR"(<Files><File Id="5" Size="2048" DT="2025-01-02 03:04:05" Kind="x">docs/spec.pdf</File><File Id="6" DT="bad">b</File></Files>)"_s,
        now);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].Path, u"docs/spec.pdf"_s);
    EXPECT_EQ(files[0].Size, 2048);
    EXPECT_EQ(files[0].Kind, 0);
    EXPECT_EQ(files[1].DT, now);
}

TEST(Icons, ByExtensionAndByKind) {
    struct Case {
        const char16_t* name;
        int index;
    } cases[] = {{u"a.txt", 1},    {u"a.DOCX", 4},  {u"a.docxx", 4}, {u"a.dwg", 49},
                 {u"a.mp2v", 57},  {u"a.eml", 60},  {u"a.xyz", 0},   {u"noext", 0},
                 {u"a.tar.zip", 14}, {u"a.h", 17}};
    for (const Case& c : cases)
        EXPECT_EQ(GetFileIconIndex(QString::fromUtf16(c.name)), c.index)
            << QString::fromUtf16(c.name).toStdString();
    EXPECT_EQ(KindIconIndex(FileExtToCode(u"pdf"_s)), 8);
    EXPECT_EQ(KindIconIndex(FileExtToCode(u"zip"_s)), 25);
    EXPECT_EQ(KindIconIndex(FileExtToCode(u"dwg"_s)), 26);
}

TEST(PreviewRoute, ExactExtensionsGoToTheClient) {
    EXPECT_TRUE(PreviewsInClient(u"plan.mpp"_s));
    EXPECT_FALSE(PreviewsInClient(u"a.PDF"_s));
    EXPECT_FALSE(PreviewsInClient(u"a.MPP"_s)) << "compared as it is";
    EXPECT_EQ(PreviewCommandText(7, u"a.mpp"_s),
              u"[filekey]7[/filekey][filever]-1[/filever][filename]a.mpp[/filename]"
              u"[ctparams]Readonly=True,CanPrint=False[/ctparams]"_s);
}

TEST(LocalNames, ServerNamesStayInTheirFolder) {
    struct Case {
        const char16_t* server;
        const char16_t* local;
    } cases[] = {{u"a.doc", u"a.doc"}, {u"../../etc/passwd", u"passwd"}, {u"..\\x.doc", u"x.doc"},
                 {u"..", u""},         {u".", u""},                      {u"", u""},
                 {u"dir/", u""}};
    for (const Case& c : cases)
        EXPECT_EQ(SafeLocalName(QString::fromUtf16(c.server)), QString::fromUtf16(c.local))
            << QString::fromUtf16(c.server).toStdString();
    EXPECT_EQ(NormalizeSavePath(u"/docs//x"_s), u"/docs/x/"_s);
    EXPECT_EQ(NormalizeSavePath(u"\\docs\\\\x\\"_s), u"/docs/x/"_s);
    EXPECT_EQ(ProposedSavePath(u"/w/"_s, u"设计部/../机械"_s), u"/w/设计部/机械/"_s);
}

TEST(DroppedFiles, SubFolderNamesAndShownPaths) {
    EXPECT_EQ(UploadSubFolderName(u"/home/u/"_s, u"/home/u/Work/A/x.doc"_s), u"Work\\A\\"_s);
    EXPECT_EQ(UploadSubFolderName(u"/HOME/U/"_s, u"/home/u/x.doc"_s), QString());
    EXPECT_EQ(UploadSubFolderName(u"/other/"_s, u"/home/u/x.doc"_s), QString());
    EXPECT_EQ(UploadSubFolderName(u"/s/"_s, u"/s/"_s + QString(2000, u'a') + u"/x"_s).size(), 1024);
    EXPECT_EQ(ShortDropPath(u"/home/u/"_s, u"/home/u/Work/x.doc"_s), u"..\\Work/x.doc"_s);
    EXPECT_EQ(DropBaseFolder({u"/home/u/Work/"_s, u"/home/u/a.txt"_s}), u"/home/u/"_s);
}

TEST(UploadLimits, DefaultsAndTheTypeThatAllowsAll) {
    EXPECT_EQ(UploadLimitBytes(0), 200LL * 1024 * 1024);
    EXPECT_EQ(UploadLimitBytes(5), 5LL * 1024 * 1024);
    EXPECT_TRUE(AllowedTypes({1, 42, 3}).isEmpty());
    EXPECT_EQ(AllowedTypes({1, 3}).size(), 2);
}

TEST(PasswordRules, LengthConfirmationAndChange) {
    struct Case {
        const char *old, *fresh, *again;
        int broken;
    } cases[] = {{"old1", "abcd", "abcd", 0},  {"old1", "abc", "abc", 1},
                 {"old1", "12345678901234567890", "12345678901234567890", 0},
                 {"old1", "123456789012345678901", "123456789012345678901", 1},
                 {"old1", "abcd", "abce", 2},  {"abcd", "abcd", "abcd", 3}};
    for (const Case& c : cases)
        EXPECT_EQ(PasswordRuleBroken(QString::fromLatin1(c.old), QString::fromLatin1(c.fresh),
                                     QString::fromLatin1(c.again)),
                  c.broken)
            << c.fresh;
}

// The client library does not bring the web engine along: only the web pages' library does.
TEST(ClientLibrary, DoesNotLoadTheWebEngine) {
    QFile maps(u"/proc/self/maps"_s);
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("libQt6WebEngine"));
}

}  // namespace
}  // namespace ov
