// The replies of the test server read the way the client's callers rely on: states, tags, XML,
// item lines, numbers and result texts.

#include "core/batchtransport.h"
#include "core/cipher.h"
#include "core/datetime.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "fixture.h"

#include <QXmlStreamReader>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

using RepliesTest = CommandsTest;

// Attribute values of every element with the given name, in document order.
QStringList Attributes(const QString& xmlText, const QString& element, const QString& attribute) {
    QStringList values;
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == element)
            values.append(xml.attributes().value(attribute).toString());
    }
    return values;
}

TEST_P(RepliesTest, LoginGivesTokenNameAndIdOrTheServersRefusal) {
    QString token, name;
    std::int32_t id = 0;
    auto robot = client(QString());
    EXPECT_EQ(robot->Login(u"demo"_s, u"demo123"_s, u"m"_s, u"h"_s, u"1"_s, token, name, id),
              RS_LoginOk);
    EXPECT_EQ(token, demo::DemoToken());
    EXPECT_EQ(name, u"演示用户"_s);
    EXPECT_EQ(id, demo::DemoUser);

    struct Refusal {
        QString login, password;
        std::uint8_t state;
        QString text;
    };
    for (const Refusal& r :
         {Refusal{u"demo"_s, u"wrong"_s, RS_Refused, u"Wrong user name or password"_s},
          Refusal{u"li"_s, u"li123"_s, RS_Refused2, u"The user account is disabled."_s}}) {
        auto c = client(QString());
        EXPECT_EQ(c->Login(r.login, r.password, {}, {}, {}, token, name, id), r.state);
        EXPECT_EQ(c->GetLastError(), r.text);
    }
}

TEST_P(RepliesTest, OrganisationAndFolderTrees) {
    auto robot = client();
    QString text;
    ASSERT_EQ(robot->GetOrgStructure(text), RS_Ok);
    EXPECT_EQ(Attributes(text, u"GroupItem"_s, u"Name"_s),
              (QStringList{u"总公司"_s, u"设计部"_s, u"市场部"_s}));
    EXPECT_EQ(Attributes(text, u"Member"_s, u"Id"_s),
              (QStringList{u"100001"_s, u"100002"_s, u"100003"_s}));

    ASSERT_EQ(robot->GetOwnerFolders(demo::DesignGroup, text), RS_Ok);
    EXPECT_TRUE(
        text.contains(u"<Folders><Item><Childs><Folder Id=\"10\"><Path>设计图纸</Path>"
                      u"<Childs><Folder Id=\"11\"><Path>机械</Path>"_s));

    ASSERT_EQ(robot->GetSubFolders(demo::DesignGroup, 10, text), RS_Ok);
    EXPECT_EQ(Attributes(text, u"Folder"_s, u"Id"_s), (QStringList{u"11"_s, u"12"_s}));
    EXPECT_EQ(Attributes(text, u"Folder"_s, u"ChildNum"_s), (QStringList{u"0"_s, u"0"_s}));
    // Folder 0 has no level of its own: the caller asks for the owner's whole tree instead.
    ASSERT_EQ(robot->GetSubFolders(demo::DesignGroup, 0, text), RS_Ok);
    EXPECT_EQ(text, QString());

    EXPECT_EQ(robot->GetOwnerFolders(demo::SalesGroup, text), RS_Refused);
}

TEST_P(RepliesTest, FolderFilesAndItemLines) {
    auto robot = client();
    QString text;
    ASSERT_EQ(robot->LoadFolderFiles(demo::DesignGroup, 11, text), RS_Ok);
    EXPECT_EQ(Attributes(text, u"File"_s, u"Id"_s), (QStringList{u"1001"_s, u"1002"_s}));
    EXPECT_EQ(Attributes(text, u"File"_s, u"DT"_s).first(), u"2025-12-09 12:00:00"_s);
    EXPECT_TRUE(text.contains(u">设计部/设计图纸/机械/齿轮箱.dwg</File>"_s));

    model.files[1001].lockedBy = demo::OtherUser;
    const QStringList lines = robot->ListFolder(demo::DesignGroup, 10, true).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 2);  // the two sub-folders
    EXPECT_EQ(lines[0], u"11*0*机械**True*0"_s);
    const QStringList files = robot->ListFolder(demo::DesignGroup, 11, true).split(u"\r\n"_s);
    EXPECT_EQ(files[0], u"1001*46000500000000*齿轮箱.dwg*张三*False*204800"_s);
    EXPECT_EQ(robot->ListFolder(demo::SalesGroup, demo::SalesFolder, true), u"no power"_s);
}

TEST_P(RepliesTest, NamesPathsAndDescriptions) {
    auto robot = client();
    QString text;
    EXPECT_EQ(robot->GetFileName(1001, text), RS_Ok2);
    EXPECT_EQ(text, u"齿轮箱.dwg"_s);
    EXPECT_EQ(robot->GetFileName(demo::PriceFile, text), RS_Refused);

    const QString path = robot->GetServerPath(1001, false);
    EXPECT_EQ(ReadTagValue(path, u"PathStr"_s), u"设计部/设计图纸/机械"_s);
    EXPECT_EQ(ReadTagValue(path, u"PathIdStr"_s), u"10/11"_s);
    EXPECT_EQ(robot->GetServerPath(11, true), path);

    EXPECT_EQ(robot->UpdateFileDesc(u"新的说明\r\n第二行"_s, 1001), RS_Ok2);
    EXPECT_EQ(robot->RetrieveFileDesc(1001, text), RS_Ok2);
    EXPECT_EQ(text, u"新的说明\r\n第二行"_s);

    EXPECT_EQ(robot->UpdateFileExtInfo(u"x=1"_s, 1001), u"1"_s);
    EXPECT_EQ(model.files[1001].extInfo, u"x=1"_s);
}

TEST_P(RepliesTest, CreateAndDeleteFolders) {
    auto robot = client();
    std::int64_t id = 0;
    EXPECT_EQ(robot->CreateFolder(demo::DesignGroup, 10, u"液压"_s, id), RS_Ok);
    EXPECT_GT(id, 0);
    EXPECT_EQ(model.folders[id].name, u"液压"_s);
    std::int64_t again = -1;
    EXPECT_EQ(robot->CreateFolder(demo::DesignGroup, 10, u"液压"_s, again), RS_Refused);
    EXPECT_EQ(again, 20);  // the reply "20" read as a number, as the caller does

    model.files[1001].lockedBy = demo::DemoUser;
    EXPECT_EQ(robot->DelFolder(demo::DesignGroup, 11), 19);  // holds a locked file
    EXPECT_EQ(robot->DelFolder(demo::DesignGroup, id), 1);
    EXPECT_EQ(robot->DelFile(demo::DesignGroup, 1002), 1);
    EXPECT_EQ(robot->DelFile(demo::DesignGroup, 1002), 8);
    EXPECT_EQ(robot->DelFile(demo::SalesGroup, demo::PriceFile), 13);
}

// The numeric replies and the result texts they leave, in the client's language.
TEST_P(RepliesTest, LocksAndDownloadPermissionWithResultTexts) {
    auto robot = client(demo::DemoToken(), HSL_CN);
    EXPECT_EQ(robot->CanDownloadFile(1001), 10);
    EXPECT_EQ(robot->GetLastError(), QString());  // untouched
    EXPECT_EQ(robot->CanDownloadFile(demo::PriceFile), 13);
    EXPECT_EQ(robot->GetLastError(), u"没有权限"_s);

    EXPECT_EQ(robot->LockFile(1001), 1);
    EXPECT_EQ(model.files[1001].lockedBy, demo::DemoUser);
    auto other = client(demo::OtherToken(), HSL_ENG);
    EXPECT_EQ(other->LockFile(1001), 14);
    EXPECT_EQ(other->GetLastError(), u"The file has been locked."_s);
    EXPECT_EQ(other->UnLockFile(false, 1001), 17);
    EXPECT_EQ(robot->UnLockFile(true, 1001), 1);
    EXPECT_EQ(model.files[1001].lockedBy, 0);

    auto silent = client(demo::DemoToken(), HSL_NONE);
    EXPECT_EQ(silent->LockFile(999), 8);
    EXPECT_EQ(silent->GetLastError(), QString());
}

TEST_P(RepliesTest, TimesVersionsAndFileInfo) {
    auto robot = client();
    EXPECT_DOUBLE_EQ(robot->GetLastModifyTime(1002), 46001.5);
    model.files[1001].inWriteAudit = true;
    EXPECT_EQ(robot->IsInWriteAudit(1001), 1);
    EXPECT_EQ(robot->IsInWriteAudit(1002), 0);

    TDateTime time = 0;
    std::int64_t size = 0;
    robot->GetServerFileInfo(1001, 1.0, 5, time, size);
    EXPECT_DOUBLE_EQ(time, 46000.5);
    EXPECT_EQ(size, 204800);
    EXPECT_THROW(robot->GetServerFileInfo(999, 1.0, 5, time, size), ConvertError);
    EXPECT_THROW(robot->GetLastModifyTime(999), ConvertError);

    EXPECT_EQ(robot->GetNewVer(demo::DesignGroup, 10, false, {}), QString());
    const QStringList lines = robot->GetNewVer(demo::DesignGroup, 10, true, {}).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], u"1001*11*46000500000000*齿轮箱.dwg*设计图纸/机械/"_s);
}

TEST_P(RepliesTest, UploadRulesAndLimits) {
    model.rules.maxFileSizeMb = 50;
    model.rules.fileTypes = {0x646F63, 0x706466};
    model.rules.uploadLimitB = 3;
    model.rules.uploadLimitT = 9;
    auto robot = client();
    EXPECT_EQ(robot->GetMaxFileSize(), 50);
    EXPECT_EQ(robot->GetFileType(), (QVector<std::int32_t>{0x646F63, 0x706466}));
    std::int32_t b = 0, t = 0;
    robot->GetUploadLimit(b, t);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(t, 9);
}

TEST_P(RepliesTest, BatchDownloadListAndUploadedFolders) {
    auto robot = client();
    QString files, summary, folders, error;
    TBatchTransport task;
    task.TranStyle = TS_Download;
    task.FF = FF_Folder;
    task.SourceOwnerId = demo::DesignGroup;
    task.SourceFolderId = demo::DrawingsFolder;
    task.IsIncludeSubFolder = true;
    EXPECT_EQ(robot->GetDownloadFiles(task, files, summary, folders, error), RS_Ok);
    EXPECT_EQ(lastRequest().text(), BatchTransportToStr(task) + P());  // the token comes last
    const QStringList lines = files.split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(TextToInt64Def0(ReadTagValue(lines[0], u"K"_s)), 1001);
    EXPECT_EQ(ReadTagValue(lines[0], u"Fd"_s), u"11"_s);
    EXPECT_EQ(ReadTagValue(lines[0], u"Dt"_s), u"2025-12-09 12:00:00"_s);
    EXPECT_EQ(ReadTagValue(lines[0], u"Sz"_s), u"204800"_s);
    EXPECT_EQ(ReadTagValue(lines[0], u"P"_s), u"设计图纸/机械/齿轮箱.dwg"_s);
    EXPECT_EQ(folders.split(u"\r\n"_s),
              (QStringList{u"设计图纸/"_s, u"设计图纸/机械/"_s, u"设计图纸/电气/"_s}));
    EXPECT_EQ(error, QString());

    robot->SendFolderList(demo::DesignGroup, 12, u"新/甲\r\n新\\乙"_s);
    const auto news = model.childFolders(demo::DesignGroup, 12);
    ASSERT_EQ(news.size(), 1);
    EXPECT_EQ(model.childFolders(demo::DesignGroup, news[0]->id).size(), 2);
}

TEST_P(RepliesTest, MessagesIdentityAndProgramVersion) {
    model.rules.msgSpace = 45;
    auto robot = client();
    QString text;
    EXPECT_EQ(robot->GetMsgSpace(), 45);
    EXPECT_NE(robot->GetUserMsg(u"h"_s, text), RS_Ok);
    EXPECT_EQ(client(demo::OtherToken())->SendFileMsg(demo::DesignGroup, u"1001"_s), RS_Ok);
    EXPECT_EQ(robot->GetUserMsg(u"h"_s, text), RS_Ok);
    EXPECT_EQ(text, u"张三: 1001"_s);

    EXPECT_EQ(robot->GetMyGroups(text), RS_Ok);
    EXPECT_EQ(text, u"2*设计部"_s);
    robot->GetUserGroup(text);
    EXPECT_EQ(text, u"2*设计部"_s);
    EXPECT_EQ(robot->GetClientVer(), u"1.0.0.0"_s);
    QBuffer* program = robot->GetClientFile();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->data(), model.rules.clientFile);
    EXPECT_EQ(robot->GetUserSpecificFolderID(demo::DemoUser), demo::MyDocsFolder);
    EXPECT_EQ(robot->GetServerFileNum(demo::DesignGroup), u"2"_s);
    EXPECT_EQ(robot->GetServerStatus(), RS_Ok);
    EXPECT_TRUE(robot->ApiConnectTest());
}

TEST_P(RepliesTest, ExportListsAndPrintLog) {
    auto robot = client();
    robot->WriteOprLog(1001, 62);
    QString text;
    EXPECT_EQ(robot->GetFileList(demo::DesignGroup, 11, text), RS_Ok2);
    EXPECT_EQ(text.split(u"\r\n"_s).size(), 3);
    EXPECT_EQ(robot->GetFolderList(demo::DesignGroup, 0, text), RS_Ok2);
    EXPECT_TRUE(text.contains(u"设计部/设计图纸/电气"_s));
    EXPECT_EQ(robot->GetAllUsersList(text), RS_Ok2);
    EXPECT_EQ(robot->GetFilePrtList({}, text), RS_Ok2);
    EXPECT_TRUE(text.contains(u"齿轮箱.dwg\t1001\t演示用户\t打印\t"_s)) << text.toStdString();
    EXPECT_EQ(robot->GetLogs({}, text), RS_Ok2);
    EXPECT_EQ(robot->GetFileList(demo::SalesGroup, demo::SalesFolder, text), RS_Refused);
}

INSTANTIATE_TEST_SUITE_P(Commands, RepliesTest, ::testing::Bool(), TlsName);

}  // namespace
