// Every command's request exactly as it goes on the wire: command code, header arguments and the
// request text byte for byte (tag names and their letter case, order, the token prefix).

#include "core/cipher.h"
#include "fixture.h"

#include <functional>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

struct RequestCase {
    const char* name;
    std::function<void(TRobotTcpClient&)> call;
    TTranType code;
    QString text;  // "%P" stands for the token prefix
    qint32 freeInt = 0;
    qint32 freeInt2 = 0;
};

QString S;  // receives out texts nobody looks at here

std::vector<RequestCase> Cases() {
    const QString key = u"1001"_s;
    return {
        {"Login",
         [](auto& c) {
             QString id, name;
             std::int32_t id2 = 0;
             c.Login(u"demo"_s, u"demo123"_s, u"MAC"_s, u"127.0.0.1"_s, u"8090"_s, id, name, id2);
         },
         TT_Login,
         u"[Name]demo[/Name][PassWord]demo123[/PassWord][Mac]MAC[/Mac]"
         u"[BindingIp]127.0.0.1[/BindingIp][BindingPort]8090[/BindingPort]"_s},
        {"GetUserMsg", [](auto& c) { c.GetUserMsg(u"srv"_s, S); }, TT_GetUserMsg,
         u"%P[url]srv[/url][language]1[/language]"_s},
        {"GetMsgSpace", [](auto& c) { c.GetMsgSpace(); }, TT_GetMsgSpace, u""_s},
        {"GetUserGroup", [](auto& c) { c.GetUserGroup(S); }, TT_GetUserGroup, u"%P"_s},
        {"GetMyGroups", [](auto& c) { c.GetMyGroups(S); }, TT_GetMyGroups, u"%P"_s},
        {"GetServerStatus", [](auto& c) { c.GetServerStatus(); }, TT_GetServerStatus, u""_s},
        {"GetClientVer", [](auto& c) { c.GetClientVer(); }, TT_GetClientVer, u""_s},
        {"GetClientFile", [](auto& c) { c.GetClientFile(); }, TT_GetClientFile, u""_s},
        {"GetOrgStructure", [](auto& c) { c.GetOrgStructure(S); }, TT_GetOrgStructure,
         u"[userinfo]%P[/userinfo][language]1[/language]"_s},
        {"GetOrgStructureImport", [](auto& c) { c.GetOrgStructure(S, TS_DataImport); },
         TT_GetOrgStructure,
         u"[userinfo]%P[/userinfo][language]1[/language][TranStyle]3[/TranStyle]"_s},
        {"GetOrgStructureUpload", [](auto& c) { c.GetOrgStructure(S, TS_Upload); },
         TT_GetOrgStructure, u"[userinfo]%P[/userinfo][language]1[/language]"_s},
        {"GetOwnerFolders", [](auto& c) { c.GetOwnerFolders(2, S); }, TT_GetOwnerFolders, u"%P"_s,
         2},
        {"GetSubFolders", [](auto& c) { c.GetSubFolders(2, 10, S); }, TT_GetSubFolders, u"%P"_s, 2,
         10},
        {"LoadFolderFiles", [](auto& c) { c.LoadFolderFiles(2, 11, S); }, TT_LoadFolderFiles,
         u"%P[FolderId]11[/FolderId][OwnerId]2[/OwnerId]"_s},
        {"ListFolder", [](auto& c) { c.ListFolder(2, 11, false); }, TT_ListFolder,
         u"%P[OwnerId]2[/OwnerId][FolderId]11[/FolderID]"_s},
        {"ListFolderWithSize", [](auto& c) { c.ListFolder(2, 11, true); }, TT_ListFolder,
         u"%P[OwnerId]2[/OwnerId][FolderId]11[/FolderID][IsIncludeSize]True[/IsIncludeSize]"_s},
        {"GetFoldersDesc", [](auto& c) { c.GetFoldersDesc(2, S); }, TT_GetFoldersDesc,
         u"%P[OwnerId]2[/OwnerId]"_s},
        {"GetFileName", [](auto& c) { c.GetFileName(1001, S); }, TT_GetFileName,
         u"%P[Key]1001[/Key]"_s},
        {"GetResourceInfo", [](auto& c) { c.GetResourceInfo(1001); }, TT_GetResourceInfo,
         u"%P[Key]1001[/Key]"_s},
        {"GetServerPath", [](auto& c) { c.GetServerPath(11, true); }, TT_GetServerPath,
         u"%P[FileKey]11[/FileKey][IsFolder]True[/IsFolder]"_s},
        {"CreateFolder",
         [](auto& c) {
             std::int64_t id = 0;
             c.CreateFolder(2, 10, u"新建"_s, id);
         },
         TT_CreateFolder,
         u"%P[Ownerid]2[/Ownerid][FatherFolderId]10[/FatherFolderId][FolderName]新建[/FolderName]"_s},
        {"GetUserSpecificFolderID", [](auto& c) { c.GetUserSpecificFolderID(100001); },
         TT_GetUserSpecificFolderID, u""_s, 100001},
        {"GetServerFileNum", [](auto& c) { c.GetServerFileNum(2); }, TT_GetServerFileNum,
         u"[GroupID]2[/GroupID]"_s},
        {"RefreshFolder", [](auto& c) { c.RefreshFolder(2, 10); }, TT_RefreshFolder,
         u"[OwnerId]2[/OwnerId][FolderId]10[/FolderId]"_s},
        {"DelFolder", [](auto& c) { c.DelFolder(2, 12); }, TT_DelFolder,
         u"%P[OwnerId]2[/OwnerId][FolderId]12[/FolderId]"_s},
        {"DelFile", [](auto& c) { c.DelFile(2, 1002); }, TT_DelFile,
         u"%P[OwnerId]2[/OwnerId][FileKey]1002[/FileKey]"_s},
        {"CanDownloadFile", [](auto& c) { c.CanDownloadFile(1001); }, TT_CanDownloadFile,
         u"%P[fileKey]1001[/fileKey][language]1[/language]"_s},
        {"LockFile", [](auto& c) { c.LockFile(1001); }, TT_LockFile,
         u"%P[FileKey]1001[/FileKey]"_s},
        {"UnLockFile", [](auto& c) { c.UnLockFile(true, 1001); }, TT_UnLockFile,
         u"%P[FileKey]1001[/FileKey][IsCancel]True[/IsCancel]"_s},
        {"GetLastModifyTime", [](auto& c) { c.GetLastModifyTime(1001); }, TT_GetLastModifyTime,
         u"%P[FileKey]1001[/FileKey]"_s},
        {"IsInWriteAudit", [](auto& c) { c.IsInWriteAudit(1001); }, TT_IsInWriteAudit,
         u"%P[Key]1001[/Key]"_s},
        {"GetNewVer", [](auto& c) { c.GetNewVer(2, 10, false, u"[FileType]dwg[/FileType]"_s); },
         TT_GetNewVer,
         u"%P[OwnerId]2[/OwnerId][FolderId]10[/FolderID][IsIncludeSub]False[/IsIncludeSub]"
         u"[FileType]dwg[/FileType]"_s},
        {"RetrieveFileDesc", [](auto& c) { c.RetrieveFileDesc(1001, S); }, TT_RetrieveFileDesc,
         u"%P[filekey]1001[/filekey]"_s},
        {"UpdateFileDesc", [](auto& c) { c.UpdateFileDesc(u"说明"_s, 1001); }, TT_UpdateFileDesc,
         u"%P[filekey]1001[/filekey][desc]说明[/desc]"_s},
        {"GetServerFileInfo",
         [](auto& c) {
             TDateTime t = 0;
             std::int64_t size = 0;
             c.GetServerFileInfo(1001, 46000.5, 77, t, size);
         },
         TT_GetServerFileInfo,
         u"%P[fileKey]1001[/fileKey][locDT]2025-12-09 12:00:00[/locDT][locSize]77[/locSize]"_s},
        {"WriteOprLog", [](auto& c) { c.WriteOprLog(1001, 62); }, TT_WriteOprLog,
         u"%P[Filekey]1001[/Filekey][Opr]62[/Opr]"_s},
        {"UpdateFileExtInfo", [](auto& c) { c.UpdateFileExtInfo(u"[A]1[/A]"_s, 1001); },
         TT_UpdateFileExtInfo,
         u"%P[Key]"_s + EncryptString(key, 3) + u"[/Key][ExtInfo][A]1[/A][/ExtInfo]"_s},
        {"GetMaxFileSize", [](auto& c) { c.GetMaxFileSize(); }, TT_GetMaxFileSize, u""_s},
        {"GetFileType", [](auto& c) { c.GetFileType(); }, TT_GetMaxFileSize, u""_s},
        {"GetUploadLimit",
         [](auto& c) {
             std::int32_t b = 0, t = 0;
             c.GetUploadLimit(b, t);
         },
         TT_GetUploadLimit, u""_s},
        {"GetDownloadFiles",
         [](auto& c) {
             QString a, b, d;
             c.GetDownloadFiles(u"[SourceFolderId]10[/SourceFolderId]\r\n"_s, S, a, b, d);
         },
         TT_GetDownloadFiles, u"[SourceFolderId]10[/SourceFolderId]\r\n%P"_s},
        {"SendFolderList", [](auto& c) { c.SendFolderList(2, 10, u"a\r\na\\b"_s); },
         TT_SendFolderList,
         u"%P[OwnerId]2[/OwnerId][FolderId]10[/FolderId][Folder]a\r\na\\b[/Folder]"_s},
        {"SendFileMsg", [](auto& c) { c.SendFileMsg(2, u"1,2"_s); }, TT_SendFileMsg,
         u"%P[OwnerId]2[/OwnerId][Key]1,2[/Key]"_s},
        {"GetFileList", [](auto& c) { c.GetFileList(2, 11, S); }, TT_GetFileList,
         u"%P[OwnerId]2[/OwnerId][FolderId]11[/FolderId]"_s},
        {"GetFolderList", [](auto& c) { c.GetFolderList(2, 10, S); }, TT_GetFolderList,
         u"%P[OwnerId]2[/OwnerId][FolderId]10[/FolderId]"_s},
        {"GetAllUsersList", [](auto& c) { c.GetAllUsersList(S); }, TT_GetAllUsersList, u"%P"_s},
        {"GetFilePrtList", [](auto& c) { c.GetFilePrtList(u"[Cond]x[/Cond]"_s, S); },
         TT_GetFilePrtList, u"%P[Cond]x[/Cond][language]1[/language]"_s},
        {"GetLogs", [](auto& c) { c.GetLogs(u"[Cond]y[/Cond]"_s, S); }, TT_GetLogs,
         u"%P[Cond]y[/Cond]"_s},
        {"ApiPostText", [](auto& c) { c.ApiPostText(TT_GetMyGroups, u"free"_s, S); },
         TT_GetMyGroups, u"free"_s},
    };
}

using RequestsTest = CommandsTest;

TEST_P(RequestsTest, EveryCommandSendsItsCodeHeaderAndTextExactly) {
    for (const RequestCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        server.clearRequests();
        auto robot = client();
        try {
            c.call(*robot);
        } catch (const Error&) {
            // Replies that do not convert are not the subject here.
        }
        const ControlRequest request = lastRequest();
        EXPECT_EQ(request.greeting, QByteArray("VESKO /TCP/1.0"));
        EXPECT_EQ(int(request.head.TranType), int(c.code));
        EXPECT_EQ(request.head.Version, 2);
        EXPECT_EQ(request.head.FreeInt, c.freeInt);
        EXPECT_EQ(request.head.FreeInt2, c.freeInt2);
        EXPECT_EQ(request.text(), QString(c.text).replace(u"%P"_s, P()));
        // L counts header, end mark and payload, but not the payload's own length field.
        EXPECT_EQ(request.length, 20 + request.payload.size());
    }
}

// Without a token the prefix is empty and the request begins with its first tag, while the
// requests whose callers write the token tag themselves keep the empty tag.
TEST_P(RequestsTest, WithoutTokenThePrefixIsEmpty) {
    auto robot = client(QString());
    QString text;
    robot->GetFileName(1001, text);
    EXPECT_EQ(lastRequest().text(), u"[Key]1001[/Key]"_s);
    robot->ListFolder(2, 11, false);
    EXPECT_EQ(lastRequest().text(),
              u"[EncryptCode][/EncryptCode][OwnerId]2[/OwnerId][FolderId]11[/FolderID]"_s);
}

// The file-type request is the upload-size request stated in full: on a fresh client as right
// after the size request, whatever the previous request left.
TEST_P(RequestsTest, FileTypeRequestDoesNotDependOnThePreviousRequest) {
    auto fresh = client();
    fresh->GetFileType();
    const QByteArray alone = lastRequest().raw;

    auto robot = client();
    robot->GetMaxFileSize();
    const QByteArray afterSize = lastRequest().raw;
    robot->GetFileType();
    EXPECT_EQ(lastRequest().raw, afterSize);
    EXPECT_EQ(alone, afterSize);

    QString text;
    robot->GetSubFolders(2, 10, text);  // leaves header arguments and a text behind
    robot->GetFileType();
    EXPECT_EQ(lastRequest().raw, afterSize);
}

TEST_P(RequestsTest, RequestWithoutTextIsHeaderOnly) {
    client()->GetClientVer();
    const ControlRequest request = lastRequest();
    EXPECT_EQ(request.length, 20);
    EXPECT_TRUE(request.payload.isEmpty());
    EXPECT_EQ(request.raw.size(), qsizetype(sizeof("VESKO /TCP/1.0\r\n") - 1 + 24));
}

INSTANTIATE_TEST_SUITE_P(Commands, RequestsTest, ::testing::Bool(), TlsName);

}  // namespace
