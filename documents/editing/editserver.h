#pragma once
// The server work of online editing, apart from any window: one request per call on a fresh
// connection of the server client, blocking, safe on any thread.

#include "core/types.h"

#include <QString>
#include <cstdint>

namespace ov {

struct EditServer {
    QString host;
    quint16 port = 0;
    bool isSsl = false;
    QString userIdStr;  // the enciphered user id
    THS_Language language = HSL_NONE;
    QString iniFilePath;  // the settings folder, where "checkout_record.ini" lies
    int readTimeoutMs = 0;  // 0: the client's default
};

struct EditDownload {
    std::uint8_t code = 0;  // 10: downloaded
    QString error;          // why not
    TDateTime serverTime = 0;
    bool ok() const { return code == 10; }
};

// Fetches a version (-1: the latest) of the file into `path` for editing. Downloaded: the
// check-out record names `path`. Otherwise the file is released on the server and no partial
// copy stays.
EditDownload DownloadForEdit(const EditServer& server, std::int64_t fileKey, const QString& path,
                             int version = -1);

struct EditUpload {
    std::uint8_t code = 0;  // 3: stored, 29: taken for audit, 30: in audit, other: refused
    QString error;          // the client's text when not stored
    // A refused upload leaves a copy of the edited file: where, and whether it was verified.
    QString backupPath;
    bool backupOk = false;
    bool stored() const { return code == 3 || code == 29; }
};

// Sends `fileName` as a new version of the file. Stored (3 or 29): the check-out record is
// erased. Otherwise a copy goes to `backupFolders` in order (the first that takes a whole,
// verified copy under the file's name, never over an existing file).
EditUpload UploadEditVersion(const EditServer& server, std::int64_t fileKey,
                             const QString& fileName, const QStringList& backupFolders);

// Copies the file to `folder` + its name, never over an existing file; true when the copy is
// there whole and equal to the file.
bool BackupCopy(const QString& fileName, const QString& folder, QString& destination);

struct EditLockReply {
    std::int32_t reply = 0;  // 1: done
    QString error;
};

// Releases the file (cancel); with `eraseRecord`, a release answered 1 erases its check-out
// record.
EditLockReply UnlockForEdit(const EditServer& server, std::int64_t fileKey, bool eraseRecord);
EditLockReply LockForEdit(const EditServer& server, std::int64_t fileKey);

// The name a copy takes in another folder: the source name, with the extension appended only
// when the name does not end with it already ("report.docx" stays, "report" gets ".docx").
QString OtherFolderDisplayName(const QString& sourceName, const QString& ext);

// Uploads the edited file as a new file into another server folder (64-bit folder id) under
// OtherFolderDisplayName; "ok" when the server took it (3), else the client's text.
QString UploadToOtherFolder(const EditServer& server, std::int32_t ownerId, std::int64_t folderId,
                            const QString& fileName, const QString& displayName);

// The folders for a copy of a refused upload: the documents folder, then "ZuDediVire" under
// the user's data folder (created).
QStringList EditBackupFolders();

}  // namespace ov
