#include "documents/editing/editserver.h"

#include "core/fileoperator.h"
#include "core/hash.h"
#include "core/paths.h"
#include "core/robottcpclient.h"
#include "documents/editing/editrecords.h"
#include "documents/preview/previewdownload.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

std::unique_ptr<TRobotTcpClient> clientFor(const EditServer& server) {
    auto client = std::make_unique<TRobotTcpClient>(server.isSsl);
    client->SetHost(server.host);
    client->SetPort(server.port);
    client->SetUserEncryptId(server.userIdStr);
    client->SetLanguage(server.language);
    if (server.readTimeoutMs > 0) client->SetReadTimeout(server.readTimeoutMs);
    return client;
}

QByteArray digestOf(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) ? hash.result() : QByteArray();
}

}  // namespace

EditDownload DownloadForEdit(const EditServer& server, std::int64_t fileKey, const QString& path,
                             int version) {
    auto client = clientFor(server);
    EditDownload result;
    const QString extra = u"[IsReplace]True[/IsReplace][VersionId]"_s + QString::number(version) +
                          u"[/VersionId]"_s;
    result.code = client->DownloadFile(path, extra, fileKey, result.serverTime);
    if (result.ok()) {
        AddCheckoutRecord(server.iniFilePath, fileKey, path);
        return result;
    }
    // The release is only tidying up: its own refusal would hide why the download failed.
    result.error = client->GetLastError();
    RemovePreviewCopy(path);
    client->UnLockFile(true, fileKey);
    return result;
}

bool BackupCopy(const QString& fileName, const QString& folder, QString& destination) {
    destination = folder + QFileInfo(fileName).fileName();
    if (folder.isEmpty() || QFileInfo::exists(destination)) return false;
    if (!QFile::copy(fileName, destination)) return false;
    const QByteArray digest = digestOf(fileName);
    return !digest.isEmpty() && digest == digestOf(destination);
}

EditUpload UploadEditVersion(const EditServer& server, std::int64_t fileKey,
                             const QString& fileName, const QStringList& backupFolders) {
    auto client = clientFor(server);
    EditUpload result;
    result.code = client->UploadFile2(fileName, QString(), fileKey);
    if (result.stored()) {
        DelCheckoutRecord(server.iniFilePath, fileKey);
        return result;
    }
    result.error = client->GetLastError();
    for (const QString& folder : backupFolders) {
        result.backupOk = BackupCopy(fileName, folder, result.backupPath);
        if (result.backupOk) break;
    }
    return result;
}

EditLockReply UnlockForEdit(const EditServer& server, std::int64_t fileKey, bool eraseRecord) {
    auto client = clientFor(server);
    EditLockReply result;
    result.reply = client->UnLockFile(true, fileKey);
    result.error = client->GetLastError();
    if (result.reply == 1 && eraseRecord) DelCheckoutRecord(server.iniFilePath, fileKey);
    return result;
}

EditLockReply LockForEdit(const EditServer& server, std::int64_t fileKey) {
    auto client = clientFor(server);
    EditLockReply result;
    result.reply = client->LockFile(fileKey);
    result.error = client->GetLastError();
    return result;
}

QString OtherFolderDisplayName(const QString& sourceName, const QString& ext) {
    const QString suffix = u"."_s + ext;
    if (ext.isEmpty() || sourceName.endsWith(suffix, Qt::CaseInsensitive)) return sourceName;
    return sourceName + suffix;
}

QString UploadToOtherFolder(const EditServer& server, std::int32_t ownerId, std::int64_t folderId,
                            const QString& fileName, const QString& displayName) {
    TTidyFile file;
    TDateTime modified = 0, lastWrite = 0;
    TFileOperator().GetFileSizeAndLastTime(fileName, file.Size, modified, lastWrite);
    file.Path = fileName;
    file.DisplayName = displayName;
    file.NameHash = HashText32(displayName);
    file.Kind = TFileOperator::GetFileExtType2(displayName);
    file.ModifyDT = lastWrite;
    auto client = clientFor(server);
    std::int64_t newKey = 0;
    if (client->UploadFile(ownerId, QString(), folderId, file, newKey) == 3) return u"ok"_s;
    return client->GetLastError();
}

QStringList EditBackupFolders() {
    const QString own = GetUserDataPath() + u"ZuDediVire/"_s;
    ForceFolder(own);
    return {GetPersonalPath(), own};
}

}  // namespace ov
