// The server's upload rules, the batch worker's lists and the lists for export.

#include "core/batchtransport.h"
#include "core/robottcpclient.h"

#include <algorithm>
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// More file types than the system knows would only be a hostile reply: it is cut here.
constexpr std::int32_t MaxFileTypes = 4096;

}  // namespace

std::int32_t TRobotTcpClient::GetMaxFileSize() {
    return Tcp_Post(TT_GetMaxFileSize, 0, 0) ? ReceiveHead.FreeInt : 200;
}

QVector<std::int32_t> TRobotTcpClient::GetFileType() {
    // The same request as GetMaxFileSize, stated here rather than left over from it.
    QString reply;
    DirectWithHead(TT_GetMaxFileSize, 0, 0, QString(), reply);
    const std::int32_t count =
        std::clamp(TextToIntDef0(ReadTagValue(reply, u"Count"_s)), 0, MaxFileTypes);
    QVector<std::int32_t> types;
    types.reserve(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const QString value = ReadTagValue(reply, u"Type"_s + QString::number(i));
        types.append(value.isEmpty() ? 1 : TextToIntDef0(value));
    }
    return types;
}

void TRobotTcpClient::GetUploadLimit(std::int32_t& UploadLimitB, std::int32_t& UploadLimitT) {
    const QString reply = Tcp_GetText(TT_GetUploadLimit, 0, 0);
    UploadLimitB = TextToIntDef0(ReadTagValue(reply, u"UploadLimitB"_s));
    UploadLimitT = TextToIntDef0(ReadTagValue(reply, u"UploadLimitT"_s));
}

std::uint8_t TRobotTcpClient::GetDownloadFiles(const TBatchTransport& Cond, QString& FileTxt,
                                               QString& FileSummary, QString& FolderInfo,
                                               QString& ErrorTxt) {
    return GetDownloadFiles(BatchTransportToStr(Cond), FileTxt, FileSummary, FolderInfo, ErrorTxt);
}

std::uint8_t TRobotTcpClient::GetDownloadFiles(const QString& taskText, QString& FileTxt,
                                               QString& FileSummary, QString& FolderInfo,
                                               QString& ErrorTxt) {
    QString reply;
    const std::uint8_t state = Direct(TT_GetDownloadFiles, taskText + FUserEncryptStr, reply);
    FileTxt = ReadTagValue(reply, u"F"_s);
    FileSummary = ReadTagValue(reply, u"Summary"_s);
    FolderInfo = ReadTagValue(reply, u"FolderInfo"_s);
    ErrorTxt = ReadTagValue(reply, u"ErrorTxt"_s);
    return state;
}

void TRobotTcpClient::SendFolderList(std::int32_t OwnerId, std::int64_t FolderId,
                                     const QString& folders) {
    TextRequest(TT_SendFolderList, TokenTag() + RequestTagNum(u"OwnerId"_s, OwnerId) +
                                       RequestTagNum(u"FolderId"_s, FolderId) +
                                       RequestTag(u"Folder"_s, folders));
}

std::uint8_t TRobotTcpClient::SendFileMsg(std::int32_t OwnerId, const QString& Keys) {
    QString reply;
    return Direct(
        TT_SendFileMsg,
        FUserEncryptStr + RequestTagNum(u"OwnerId"_s, OwnerId) + RequestTag(u"Key"_s, Keys), reply);
}

std::uint8_t TRobotTcpClient::GetFileList(std::int32_t OwnerId, std::int64_t FolderId,
                                          QString& text) {
    return Direct(TT_GetFileList,
                  FUserEncryptStr + RequestTagNum(u"OwnerId"_s, OwnerId) +
                      RequestTagNum(u"FolderId"_s, FolderId),
                  text);
}

std::uint8_t TRobotTcpClient::GetFolderList(std::int32_t OwnerId, std::int64_t FolderId,
                                            QString& text) {
    return Direct(TT_GetFolderList,
                  FUserEncryptStr + RequestTagNum(u"OwnerId"_s, OwnerId) +
                      RequestTagNum(u"FolderId"_s, FolderId),
                  text);
}

std::uint8_t TRobotTcpClient::GetAllUsersList(QString& text) {
    return Direct(TT_GetAllUsersList, FUserEncryptStr, text);
}

std::uint8_t TRobotTcpClient::GetFilePrtList(const QString& Cond, QString& text) {
    return Direct(TT_GetFilePrtList, FUserEncryptStr + Cond + LanguageTag(), text);
}

std::uint8_t TRobotTcpClient::GetLogs(const QString& Cond, QString& text) {
    return Direct(TT_GetLogs, FUserEncryptStr + Cond, text);
}

}  // namespace ov
