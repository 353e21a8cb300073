#include "documents/uploads/uploadfile.h"

#include "core/fileoperator.h"
#include "core/hash.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TTidyFile LocalRecord(const QString& path) {
    TTidyFile file;
    file.Path = path;
    file.NameHash = HashText32(path);
    TFileOperator().GetFileSizeAndModifyTime(path, file.Size, file.ModifyDT);
    file.Kind = TFileOperator::GetFileExtType2(path);
    return file;
}

}  // namespace

bool IsUploadedStatus(std::uint8_t status) {
    return status == RC_CanUpload;
}

TUploadResult UploadLocalFile(const TServerAccess& access, std::int32_t ownerId,
                              std::int64_t folderId, const QString& path,
                              std::atomic<bool>* cancel,
                              const std::function<void(qint64, qint64)>& progress) {
    TUploadResult r;
    try {
        auto client = access.NewClient();
        client->PIsBreak = cancel;
        if (progress)
            client->OnTransmitState = [&progress](void*, qint64 all, qint64 done) {
                progress(all, done);
            };
        std::int64_t key = 0;
        r.Status = client->UploadFile(ownerId, QString(), folderId, LocalRecord(path), key);
        r.Ok = IsUploadedStatus(r.Status) && !(cancel && cancel->load());
        if (r.Ok) {
            r.Key = key;
            return r;
        }
        r.Error = client->GetLastError();
        if (r.Error.isEmpty()) r.Error = u"Upload refused (status %1)"_s.arg(r.Status);
    } catch (const std::exception& e) {
        r.Error = QString::fromUtf8(e.what());
    }
    return r;
}

}  // namespace ov
