#include "testing/docserver/model/model.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov::test {

DocUser& DocModel::addUser(std::int32_t id, const QString& login, const QString& password,
                           const QString& token, const QString& displayName) {
    DocUser& user = users[id];
    user.id = id;
    user.login = login;
    user.password = password;
    user.token = token;
    user.displayName = displayName;
    return user;
}

DocGroup& DocModel::addGroup(std::int32_t id, std::int32_t parent, const QString& name,
                             const QVector<std::int32_t>& members) {
    DocGroup& group = groups[id];
    group.id = id;
    group.parent = parent;
    group.name = name;
    group.members = members;
    return group;
}

DocFolder& DocModel::addFolder(std::int64_t id, std::int32_t ownerId, std::int64_t parentId,
                               const QString& name) {
    DocFolder& folder = folders[id];
    folder.id = id;
    folder.ownerId = ownerId;
    folder.parentId = parentId;
    folder.name = name;
    return folder;
}

DocFile& DocModel::addFile(std::int64_t key, std::int64_t folderId, const QString& name,
                           std::int64_t size, TDateTime modified) {
    DocFile& file = files[key];
    file.key = key;
    file.folderId = folderId;
    file.name = name;
    file.size = size;
    file.modified = modified;
    return file;
}

DocUser* DocModel::userByToken(const QString& token) {
    if (token.isEmpty()) return nullptr;
    for (auto& [id, user] : users)
        if (user.token == token) return &user;
    return nullptr;
}

DocUser* DocModel::userByLogin(const QString& login) {
    for (auto& [id, user] : users)
        if (user.login.compare(login, Qt::CaseInsensitive) == 0) return &user;
    return nullptr;
}

DocFolder* DocModel::folder(std::int64_t id) {
    const auto it = folders.find(id);
    return it == folders.end() ? nullptr : &it->second;
}

DocFile* DocModel::file(std::int64_t key) {
    const auto it = files.find(key);
    return it == files.end() || it->second.deleted ? nullptr : &it->second;
}

bool DocModel::mayAccess(const DocUser& user, std::int32_t ownerId) const {
    return ownerId == user.id || groupsOf(user.id).contains(ownerId);
}

bool DocModel::mayAccessFile(const DocUser& user, const DocFile& file) {
    const DocFolder* owner = folder(file.folderId);
    return owner && mayAccess(user, owner->ownerId);
}

QString DocModel::ownerName(std::int32_t ownerId) const {
    if (const auto user = users.find(ownerId); user != users.end()) return user->second.displayName;
    if (const auto group = groups.find(ownerId); group != groups.end()) return group->second.name;
    return QString();
}

QVector<const DocFolder*> DocModel::childFolders(std::int32_t ownerId,
                                                 std::int64_t parentId) const {
    QVector<const DocFolder*> result;
    for (const auto& [id, folder] : folders)
        if (folder.ownerId == ownerId && folder.parentId == parentId) result.append(&folder);
    return result;
}

std::int64_t DocModel::subFolder(std::int64_t folderId, const QString& path, bool create) {
    const DocFolder* top = folder(folderId);
    if (!top) return 0;
    const std::int32_t owner = top->ownerId;
    std::int64_t at = folderId;
    for (const QString& part : QString(path).replace(u'\\', u'/').split(u'/')) {
        const QString name = part.trimmed();
        if (name.isEmpty() || name == u"." || name == u"..") continue;
        std::int64_t found = 0;
        for (const DocFolder* child : childFolders(owner, at))
            if (child->name == name) found = child->id;
        if (found == 0 && !create) return 0;
        if (found == 0) found = addFolder(nextFolderId(), owner, at, name).id;
        at = found;
    }
    return at;
}

QVector<const DocFile*> DocModel::folderFiles(std::int64_t folderId) const {
    QVector<const DocFile*> result;
    for (const auto& [key, file] : files)
        if (file.folderId == folderId && !file.deleted) result.append(&file);
    return result;
}

QVector<const DocFolder*> DocModel::folderChain(std::int64_t folderId) const {
    QVector<const DocFolder*> chain;
    // Bounded by the number of folders, so a cycle made by a test cannot hang the server.
    for (std::size_t guard = 0; guard <= folders.size(); ++guard) {
        const auto it = folders.find(folderId);
        if (it == folders.end()) break;
        chain.prepend(&it->second);
        folderId = it->second.parentId;
    }
    return chain;
}

QString DocModel::folderPathByNames(std::int64_t folderId) const {
    const auto chain = folderChain(folderId);
    if (chain.isEmpty()) return QString();
    QString path = ownerName(chain.first()->ownerId);
    for (const DocFolder* folder : chain)
        path += u'/' + folder->name;
    return path;
}

QString DocModel::folderPathByIds(std::int64_t folderId) const {
    QStringList ids;
    for (const DocFolder* folder : folderChain(folderId))
        ids.append(QString::number(folder->id));
    return ids.join(u'/');
}

QVector<std::int32_t> DocModel::groupsOf(std::int32_t userId) const {
    QVector<std::int32_t> result;
    for (const auto& [id, group] : groups)
        if (group.members.contains(userId)) result.append(id);
    return result;
}

std::int64_t DocModel::nextFolderId() const {
    return folders.empty() ? 1 : folders.rbegin()->first + 1;
}

void DocModel::removeFolder(std::int64_t id) {
    const auto it = folders.find(id);
    if (it == folders.end()) return;
    for (const DocFolder* child : childFolders(it->second.ownerId, id))
        removeFolder(child->id);
    for (auto& [key, file] : files)
        if (file.folderId == id) file.deleted = true;
    folders.erase(id);
}

bool DocModel::folderHasLockedFile(std::int64_t id) const {
    for (const auto& [key, file] : files)
        if (file.folderId == id && !file.deleted && file.lockedBy != 0) return true;
    for (const auto& [fid, folder] : folders)
        if (folder.parentId == id && folder.id != id && folderHasLockedFile(folder.id)) return true;
    return false;
}

}  // namespace ov::test
