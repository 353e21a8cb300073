// Downloads of the server client on the file channel: a file by its key (with one resumed retry
// after a read time-out), the download after a time check, and the receive by parameter text.

#include "core/datetime.h"
#include "core/filechanneltransfer.h"
#include "core/resultcode.h"
#include "core/tagtext.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// More than this (2 seconds, in days) newer than the server copy, a local file is kept.
constexpr double NewerThreshold = 2.31481481481482e-5;

std::int64_t StrictInt64(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok) throw ConvertError(u"'%1' is not a valid integer value"_s.arg(text.left(64)));
    return value;
}

}  // namespace

// Steps of one download on a fresh connection: the request, the server time and the data.
std::uint8_t FileTransfer::Download(const QString& params, const QString& fileName, bool isReplace,
                                    TDateTime& serverTime) {
    const auto result = std::uint8_t(Begin(FC_DownloadFile, params));
    if (result != RC_CanDownload) {
        c.FErrorTxt = c.GetDesc(result);
    } else {
        serverTime = Int64ToDateTime(StrictInt64(ReadLine()));
        if (ReceiveFile(fileName, isReplace, serverTime) == Outcome::Incomplete) {
            c.FErrorTxt = IncompleteTransferText(c.Language());
            c.Disconnect();
            return RC_TimeOut;
        }
    }
    c.Disconnect();
    return result;
}

std::uint8_t TRobotTcpClient::DownloadFile(const QString& FileName, const QString& ExtraText,
                                           std::int64_t FileKey) {
    TDateTime serverTime = 0;
    return DownloadFile(FileName, ExtraText, FileKey, serverTime);
}

std::uint8_t TRobotTcpClient::DownloadFile(const QString& FileName, const QString& ExtraText,
                                           std::int64_t FileKey, TDateTime& ServerTime) {
    const bool isReplace =
        ReadTagValue(ExtraText, u"IsReplace"_s).compare(u"True"_s, Qt::CaseInsensitive) == 0;
    const QString params =
        FUserEncryptStr + RequestTagNum(u"FileKey"_s, FileKey) + LanguageTag() + ExtraText;
    std::uint8_t result = 0;
    FileTransfer t(*this);
    try {
        return t.Download(params, FileName, isReplace, ServerTime);
    } catch (const std::exception& first) {
        if (!IsReadTimeOut(first)) {
            t.Report(first, result);
            return result;
        }
        Disconnect();
        if (OnSocketError) OnSocketError(const_cast<std::exception*>(&first));
        // Once more as a resume: what the first attempt wrote is continued, not replaced.
        std::uint8_t ignored = 0;
        if (t.Guard([&] { result = t.Download(params, FileName, false, ServerTime); }, ignored))
            return result;
        QString text;
        MapException(first, FLanguage, result, text);
        FErrorTxt = text;
    } catch (...) {
        t.Report(Error(u"Unknown exception"_s), result);
    }
    Disconnect();
    return result;
}

std::uint8_t TRobotTcpClient::DownloadFile2(const QString& FileName, std::int64_t FileKey) {
    std::uint8_t result = 0;
    bool localNewer = false;
    FileTransfer t(*this);
    const bool checked = t.Guard(
        [&] {
            const QFileInfo local(FileName);
            if (!local.exists()) return;
            const TDateTime localTime = QDateTimeToDateTime(local.lastModified());
            TDateTime serverTime = 0;
            std::int64_t serverSize = 0;
            GetServerFileInfo(FileKey, localTime, local.size(), serverTime, serverSize);
            localNewer = localTime - serverTime > NewerThreshold;
        },
        result);
    if (!checked) return result;
    if (localNewer) {
        FErrorTxt = GetDesc(RC_ServerOlder);
        return RC_ServerOlder;
    }
    return DownloadFile(FileName, u"[IsReplace]True[/IsReplace]"_s, FileKey);
}

std::int32_t TRobotTcpClient::ApiReceiveFile(const QString& ParamText, const QString& FileName,
                                             TDateTime ServerTime) {
    FileTransfer t(*this);
    std::int32_t status = 0;
    try {
        status = t.Begin(FC_ApiReceiveFile, ParamText);
        if (std::uint8_t(status) == RC_CanDownload) {
            const auto outcome = t.ReceiveFile(FileName, false, ServerTime);
            if (outcome == FileTransfer::Outcome::Incomplete) {
                FErrorTxt = IncompleteTransferText(FLanguage);
                status = RC_TimeOut;
            }
            if (outcome != FileTransfer::Outcome::Complete) {
                Disconnect();
                return status;
            }
        } else {
            FErrorTxt = t.ReadLine();
        }
        t.ReadInt64();
    } catch (...) {
        Disconnect();
        throw;
    }
    Disconnect();
    return status;
}

}  // namespace ov
