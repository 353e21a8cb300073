// The organisation, the folder trees and lists, folder creation and deletion.

#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Two commands close the folder tag with a capital D, and the server expects exactly that.
QString folderIdClosedUpper(std::int64_t folderId) {
    return u"[FolderId]"_s + QString::number(folderId) + u"[/FolderID]"_s;
}

}  // namespace

std::uint8_t TRobotTcpClient::GetOrgStructure(QString& text, TTranStyle TranStyle) {
    QString request = RequestTag(u"userinfo"_s, FUserEncryptStr) + LanguageTag();
    if (TranStyle == TS_DataImport) request += RequestTagNum(u"TranStyle"_s, int(TS_DataImport));
    return Direct(TT_GetOrgStructure, request, text);
}

std::uint8_t TRobotTcpClient::GetOwnerFolders(std::int32_t OwnerId, QString& text) {
    return DirectWithHead(TT_GetOwnerFolders, OwnerId, SendHead.FreeInt2, FUserEncryptStr, text);
}

std::uint8_t TRobotTcpClient::GetSubFolders(std::int32_t OwnerId, std::int32_t FolderId,
                                            QString& text) {
    const std::uint8_t state =
        DirectWithHead(TT_GetSubFolders, OwnerId, FolderId, FUserEncryptStr, text);
    text = text.trimmed();
    return state;
}

std::uint8_t TRobotTcpClient::LoadFolderFiles(std::int32_t OwnerId, std::int64_t FolderId,
                                              QString& text) {
    return Direct(TT_LoadFolderFiles,
                  FUserEncryptStr + RequestTagNum(u"FolderId"_s, FolderId) +
                      RequestTagNum(u"OwnerId"_s, OwnerId),
                  text);
}

QString TRobotTcpClient::ListFolder(std::int32_t OwnerId, std::int64_t FolderId,
                                    bool IsIncludeSize) {
    QString request =
        TokenTag() + RequestTagNum(u"OwnerId"_s, OwnerId) + folderIdClosedUpper(FolderId);
    if (IsIncludeSize) request += RequestTagBool(u"IsIncludeSize"_s, true);
    return TextRequest(TT_ListFolder, request);
}

std::uint8_t TRobotTcpClient::GetFoldersDesc(std::int32_t OwnerId, QString& text) {
    return Direct(TT_GetFoldersDesc, FUserEncryptStr + RequestTagNum(u"OwnerId"_s, OwnerId), text);
}

std::uint8_t TRobotTcpClient::GetFileName(std::int64_t FileKey, QString& text) {
    return Direct(TT_GetFileName, FUserEncryptStr + RequestTagNum(u"Key"_s, FileKey), text);
}

QString TRobotTcpClient::GetResourceInfo(std::int64_t FileKey) {
    QString text;
    Direct(TT_GetResourceInfo, FUserEncryptStr + RequestTagNum(u"Key"_s, FileKey), text);
    return text;
}

QString TRobotTcpClient::GetServerPath(std::int64_t FileKey, bool IsFolder) {
    return TextRequest(TT_GetServerPath, FUserEncryptStr + RequestTagNum(u"FileKey"_s, FileKey) +
                                             RequestTagBool(u"IsFolder"_s, IsFolder));
}

std::uint8_t TRobotTcpClient::CreateFolder(std::int32_t Ownerid, std::int64_t FatherFolderId,
                                           const QString& FolderName, std::int64_t& NewFolderId) {
    QString reply;
    const std::uint8_t state = Direct(TT_CreateFolder,
                                      FUserEncryptStr + RequestTagNum(u"Ownerid"_s, Ownerid) +
                                          RequestTagNum(u"FatherFolderId"_s, FatherFolderId) +
                                          RequestTag(u"FolderName"_s, FolderName),
                                      reply);
    NewFolderId = TextToInt64Def0(reply);
    return state;
}

std::int64_t TRobotTcpClient::GetUserSpecificFolderID(std::int32_t Ownerid) {
    return TextToInt64Def0(Tcp_GetText(TT_GetUserSpecificFolderID, Ownerid, 0));
}

QString TRobotTcpClient::GetServerFileNum(std::int32_t GroupID) {
    return TextRequest(TT_GetServerFileNum, RequestTagNum(u"GroupID"_s, GroupID));
}

void TRobotTcpClient::RefreshFolder(std::int32_t Ownerid, std::int64_t FolderId) {
    TextRequest(TT_RefreshFolder,
                RequestTagNum(u"OwnerId"_s, Ownerid) + RequestTagNum(u"FolderId"_s, FolderId));
}

std::uint8_t TRobotTcpClient::DelFolder(std::int32_t OwnerId, std::int64_t FolderId) {
    return std::uint8_t(
        TextToIntDef0(TextRequest(TT_DelFolder, TokenTag() + RequestTagNum(u"OwnerId"_s, OwnerId) +
                                                    RequestTagNum(u"FolderId"_s, FolderId))));
}

std::uint8_t TRobotTcpClient::DelFile(std::int32_t OwnerId, std::int64_t FileKey) {
    return std::uint8_t(
        TextToIntDef0(TextRequest(TT_DelFile, TokenTag() + RequestTagNum(u"OwnerId"_s, OwnerId) +
                                                  RequestTagNum(u"FileKey"_s, FileKey))));
}

}  // namespace ov
