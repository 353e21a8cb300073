#pragma once
// The test server's in-memory world: users, groups, folders, files with versions, locks and
// check-outs, messages and logs, and the server-wide rules (upload size and types, limits, poll
// interval, the desktop program's version). Connection threads share one model: whoever reads
// or changes it holds `mutex` for the whole request.

#include "core/types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace ov::test {

// Owner ids below this are groups, from it on users.
constexpr std::int32_t FirstUserId = 100000;

struct DocUser {
    std::int32_t id = 0;
    QString login;
    QString password;
    QString token;  // handed out by the login, sent with every request after it
    QString displayName;
    QString email;
    QString coreId;
    bool disabled = false;
    TDateTime lastLogin = 0;
    QStringList messages;  // waiting for the user
};

struct DocGroup {
    std::int32_t id = 0;
    std::int32_t parent = 0;  // 0: the root group
    QString name;
    QVector<std::int32_t> members;
};

struct DocFolder {
    std::int64_t id = 0;
    std::int32_t ownerId = 0;
    std::int64_t parentId = 0;  // 0: a top folder of its owner
    QString name;
    QString desc;
};

struct DocFile {
    std::int64_t key = 0;
    std::int64_t folderId = 0;
    QString name;
    std::int64_t size = 0;
    TDateTime modified = 0;
    std::int32_t version = 1;
    QString desc;
    QString extInfo;
    std::int32_t lockedBy = 0;  // user id of the check-out, 0 when not locked
    bool inWriteAudit = false;    // an edit waits for its audit: new versions are refused
    bool editNeedsAudit = false;  // a new version is taken for audit, not stored
    bool deleted = false;
    QString properties;  // the property text of its upload
};

struct DocLog {
    std::int32_t userId = 0;
    std::int64_t key = 0;
    std::int32_t opr = 0;
    TDateTime at = 0;
};

struct DocRules {
    std::int32_t maxFileSizeMb = 200;
    QVector<std::int32_t> fileTypes{42};  // 42: every type
    std::int32_t uploadLimitB = 0;
    std::int32_t uploadLimitT = 0;
    std::int32_t msgSpace = 60;
    // Batch downloads are refused with "System prohibits bulk download".
    bool prohibitBulkDownload = false;
    QString clientVersion = QStringLiteral("1.0.0.0");
    QByteArray clientFile;
};

class DocModel {
public:
    std::mutex mutex;

    std::map<std::int32_t, DocUser> users;
    std::map<std::int32_t, DocGroup> groups;
    std::map<std::int64_t, DocFolder> folders;
    std::map<std::int64_t, DocFile> files;
    QVector<DocLog> logs;
    DocRules rules;

    // Building (ids are given so that tests and the demo know them).
    DocUser& addUser(std::int32_t id, const QString& login, const QString& password,
                     const QString& token, const QString& displayName);
    DocGroup& addGroup(std::int32_t id, std::int32_t parent, const QString& name,
                       const QVector<std::int32_t>& members = {});
    DocFolder& addFolder(std::int64_t id, std::int32_t ownerId, std::int64_t parentId,
                         const QString& name);
    DocFile& addFile(std::int64_t key, std::int64_t folderId, const QString& name,
                     std::int64_t size, TDateTime modified);

    // Queries (the caller holds the mutex).
    DocUser* userByToken(const QString& token);
    DocUser* userByLogin(const QString& login);
    DocFolder* folder(std::int64_t id);
    DocFile* file(std::int64_t key);  // none for deleted files
    // A user may see the owner when it is the user or a group the user belongs to.
    bool mayAccess(const DocUser& user, std::int32_t ownerId) const;
    bool mayAccessFile(const DocUser& user, const DocFile& file);
    QString ownerName(std::int32_t ownerId) const;
    QVector<const DocFolder*> childFolders(std::int32_t ownerId, std::int64_t parentId) const;
    // The folder a path of names ("\" or "/" separated) leads to below a folder, created where
    // missing when `create` is set; 0 when it is missing. Empty, "." and ".." names are skipped.
    std::int64_t subFolder(std::int64_t folderId, const QString& path, bool create);
    QVector<const DocFile*> folderFiles(std::int64_t folderId) const;
    // The folder and its ancestors, top folder first.
    QVector<const DocFolder*> folderChain(std::int64_t folderId) const;
    // Owner name and folder names joined by "/" ("Owner/A/B").
    QString folderPathByNames(std::int64_t folderId) const;
    // Folder ids from the top joined by "/" ("10/20/30").
    QString folderPathByIds(std::int64_t folderId) const;
    QVector<std::int32_t> groupsOf(std::int32_t userId) const;
    std::int64_t nextFolderId() const;
    // Removes a folder with everything below it.
    void removeFolder(std::int64_t id);
    bool folderHasLockedFile(std::int64_t id) const;
};

}  // namespace ov::test
