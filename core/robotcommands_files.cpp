// File state, locks, versions, descriptions and the operation log.

#include "core/cipher.h"
#include "core/datetime.h"
#include "core/errors.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// A 64-bit decimal number; anything else raises, like the server's replies that must be one.
std::int64_t StrictInt64(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok) throw ConvertError(u'\'' + text + u"' is not a valid integer value"_s);
    return value;
}

}  // namespace

std::uint8_t TRobotTcpClient::CanDownloadFile(std::int64_t FileKey) {
    QString reply;
    Direct(TT_CanDownloadFile,
           FUserEncryptStr + RequestTagNum(u"fileKey"_s, FileKey) + LanguageTag(), reply);
    const auto code = std::uint8_t(TextToIntDef0(reply));
    if (code != RC_CanDownload) FErrorTxt = GetDesc(code);
    return code;
}

std::int32_t TRobotTcpClient::LockReply(const QString& reply, bool ok) {
    const std::int32_t code = TextToIntDef0(reply);
    // A failed request keeps its own text: "Unknown error" would hide the network failure.
    if (ok && std::uint8_t(code) != RC_Ok) FErrorTxt = GetDesc(std::uint8_t(code));
    return code;
}

std::int32_t TRobotTcpClient::LockFile(std::int64_t FileKey) {
    bool ok = false;
    const QString reply =
        TextRequest(TT_LockFile, FUserEncryptStr + RequestTagNum(u"FileKey"_s, FileKey), &ok);
    return LockReply(reply, ok);
}

std::int32_t TRobotTcpClient::UnLockFile(bool IsCancel, std::int64_t FileKey) {
    bool ok = false;
    const QString reply = TextRequest(TT_UnLockFile,
                                      FUserEncryptStr + RequestTagNum(u"FileKey"_s, FileKey) +
                                          RequestTagBool(u"IsCancel"_s, IsCancel),
                                      &ok);
    return LockReply(reply, ok);
}

TDateTime TRobotTcpClient::GetLastModifyTime(std::int64_t FileKey) {
    const QString reply =
        TextRequest(TT_GetLastModifyTime, FUserEncryptStr + RequestTagNum(u"FileKey"_s, FileKey));
    return Int64ToDateTime(StrictInt64(reply));
}

std::int32_t TRobotTcpClient::IsInWriteAudit(std::int64_t FileKey) {
    QString reply;
    Direct(TT_IsInWriteAudit, FUserEncryptStr + RequestTagNum(u"Key"_s, FileKey), reply);
    return TextToIntDef0(reply);
}

QString TRobotTcpClient::GetNewVer(std::int32_t Ownerid, std::int64_t FolderId, bool IsIncludeSub,
                                   const QString& Cond) {
    const QString request = FUserEncryptStr + RequestTagNum(u"OwnerId"_s, Ownerid) +
                            u"[FolderId]"_s + QString::number(FolderId) + u"[/FolderID]"_s +
                            RequestTagBool(u"IsIncludeSub"_s, IsIncludeSub) + Cond;
    return TextRequest(TT_GetNewVer, request);
}

std::uint8_t TRobotTcpClient::RetrieveFileDesc(std::int64_t FileKey, QString& text) {
    return Direct(TT_RetrieveFileDesc, FUserEncryptStr + RequestTagNum(u"filekey"_s, FileKey),
                  text);
}

std::uint8_t TRobotTcpClient::UpdateFileDesc(const QString& Desc, std::int64_t FileKey) {
    QString reply;
    return Direct(
        TT_UpdateFileDesc,
        FUserEncryptStr + RequestTagNum(u"filekey"_s, FileKey) + RequestTag(u"desc"_s, Desc),
        reply);
}

void TRobotTcpClient::GetServerFileInfo(std::int64_t FileKey, TDateTime localTime,
                                        std::int64_t localSize, TDateTime& serverTime,
                                        std::int64_t& serverSize) {
    const QString reply =
        TextRequest(TT_GetServerFileInfo, FUserEncryptStr + RequestTagNum(u"fileKey"_s, FileKey) +
                                              RequestTag(u"locDT"_s, DateTimeToText(localTime)) +
                                              RequestTagNum(u"locSize"_s, localSize));
    serverTime = TextToDateTime(ReadTagValue(reply, u"Dt"_s));
    serverSize = StrictInt64(ReadTagValue(reply, u"Size"_s));
}

void TRobotTcpClient::WriteOprLog(std::int64_t FileKey, std::int32_t Opr) {
    TextRequest(TT_WriteOprLog,
                TokenTag() + RequestTagNum(u"Filekey"_s, FileKey) + RequestTagNum(u"Opr"_s, Opr));
}

QString TRobotTcpClient::UpdateFileExtInfo(const QString& FieldAndValue, std::int64_t FileKey) {
    const QString key = EncryptString(QString::number(FileKey), 3);
    return TextRequest(TT_UpdateFileExtInfo, FUserEncryptStr + RequestTag(u"Key"_s, key) +
                                                 RequestTag(u"ExtInfo"_s, FieldAndValue));
}

}  // namespace ov
