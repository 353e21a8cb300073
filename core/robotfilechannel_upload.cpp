// Uploads of the server client on the file channel: a new file into a folder, a new version of
// a file key, and a stream under a key with an extension.

#include "core/datetime.h"
#include "core/filechanneltransfer.h"
#include "core/fileoperator.h"
#include "core/param.h"
#include "core/resultcode.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The tags of a new file after the token prefix, in the order the server reads them.
QString BuildUploadParams(std::int32_t ownerId, std::int64_t folderId, const QString& subFolder,
                          const TTidyFile& file) {
    const QString shownName = file.DisplayName.isEmpty() ? file.Path : file.DisplayName;
    return RequestTagNum(u"DestOwnerId"_s, ownerId) + RequestTagNum(u"DestFolderId"_s, folderId) +
           RequestTag(u"SubFolderName"_s, subFolder) + RequestTagNum(u"NameHash"_s, file.NameHash) +
           RequestTagNum(u"Size"_s, file.Size) + RequestTagNum(u"Kind"_s, file.Kind) +
           RequestTag(u"PathAndName"_s, shownName) + RequestTag(u"Summary"_s, file.Summary) +
           RequestTagNum(u"ModifyDate"_s, DateTimeToInt64(file.ModifyDT)) +
           RequestTag(u"FielPrt"_s, file.FilePrt) + RequestTagNum(u"SC"_s, file.SC);
}

}  // namespace

std::uint8_t TRobotTcpClient::UploadFile(std::int32_t DestOwnerId, const QString& SubFolderName,
                                         std::int64_t DestFolderId, const TTidyFile& File,
                                         std::int64_t& NewFileKey) {
    if (!QFileInfo::exists(File.Path)) {
        FErrorTxt = u"file does not exist "_s;
        return 0;
    }
    if (DestOwnerId == 0) {
        FErrorTxt = u"group id is 0"_s;
        return 0;
    }
    const QString params = FUserEncryptStr +
                           BuildUploadParams(DestOwnerId, DestFolderId, SubFolderName, File) +
                           LanguageTag();
    std::uint8_t result = 0;
    FileTransfer t(*this);
    t.Guard(
        [&] {
            result = std::uint8_t(t.Begin(FC_UploadFile, params));
            if (result == RC_CanUpload) {
                if (t.SendLocalFile(File.Path, false)) return;  // cancelled: no key comes
            } else if (result == RC_ErrorText) {
                FErrorTxt = DecodeParam(t.ReadLine());
            } else {
                FErrorTxt = GetDesc(result);
            }
            NewFileKey = t.ReadInt64();
        },
        result);
    return result;
}

std::uint8_t TRobotTcpClient::UploadFile2(const QString& FileName, const QString& ExtraText,
                                          std::int64_t FileKey) {
    if (!QFileInfo::exists(FileName)) return 0;
    std::int64_t size = 0;
    TDateTime modified = 0;
    TFileOperator().GetFileSizeAndModifyTime(FileName, size, modified);
    const QString params =
        FUserEncryptStr + RequestTagNum(u"Key"_s, FileKey) + RequestTagNum(u"Size"_s, size) +
        RequestTagNum(u"ModifyDate"_s, DateTimeToInt64(modified)) + LanguageTag() + ExtraText;
    std::uint8_t result = 0;
    FileTransfer t(*this);
    const bool ran = t.Guard(
        [&] {
            result = std::uint8_t(t.Begin(FC_UploadFile2, params));
            if (result != RC_CanUpload && result != RC_EditAudit) return;
            // A cancelled version is not stored: no final status comes, and 3 would lie.
            result = t.SendLocalFile(FileName, true) ? 0 : std::uint8_t(t.ReadInt32());
        },
        result);
    if (ran && result != RC_CanUpload) FErrorTxt = GetDesc(result);
    return result;
}

std::int32_t TRobotTcpClient::UploadKmItemFile(const QString& Ext, QIODevice& Stream,
                                               std::int64_t FileKey, std::uint8_t& Status) {
    const QString ext = Ext.startsWith(u'.') ? Ext.mid(1) : Ext;
    const QString params =
        FUserEncryptStr + RequestTagNum(u"Key"_s, FileKey) + RequestTag(u"Ext"_s, ext);
    std::int32_t result = 0;
    Status = 0;
    FileTransfer t(*this);
    t.Guard(
        [&] {
            Status = std::uint8_t(t.Begin(FC_UploadKmItemFile, params));
            if (Status != RC_CanUpload) {
                FErrorTxt = GetDesc(Status);
                return;
            }
            if (!t.SendFileStream(Stream)) result = t.ReadInt32();
        },
        Status);
    return result;
}

}  // namespace ov
