// "/folderadd" and "/folderrename" from the desktop program's file manager. Both carry the
// one-time page token; every answer but the new id or "ok" is shown to the user as it stands.

#include "testing/docserver/http/httpendpoints.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const QString InvalidToken = u"Invalid user token"_s;
const QString NoPower = u"No permission"_s;
const QString NoFolder = u"The folder doesn't exist."_s;
const QString BadName = u"The folder name is empty or holds a character that is not allowed."_s;
const QString SameName = u"A folder with this name already exists."_s;

// Folder names become folder names on the users' disks: none of the characters that a file
// system refuses, no control characters, and not only dots.
bool isUsableName(const QString& name) {
    if (name.trimmed().isEmpty() || name.size() > 255) return false;
    if (name.trimmed().count(u'.') == name.trimmed().size()) return false;
    for (const QChar ch : name)
        if (ch.unicode() < 32 || QStringView(u"\\/:*?\"<>|").contains(ch)) return false;
    return true;
}

bool hasSibling(const DocModel& model, std::int32_t owner, std::int64_t parent, const QString& name,
                std::int64_t except) {
    for (const DocFolder* sibling : model.childFolders(owner, parent))
        if (sibling->id != except && sibling->name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

HttpResponse addFolder(HttpContext& c) {
    if (c.param(u"opr"_s) != u"new"_s) return HttpResponse::error(400);
    const DocUser* user = c.userByClientToken(c.param(u"uid"_s));
    if (!user) return HttpResponse::text(InvalidToken);
    const auto owner = c.number(u"ownerid"_s);
    const auto father = c.number(u"fatherid"_s);
    if (!owner || !father) return HttpResponse::error(400);
    if (!c.model.mayAccess(*user, std::int32_t(*owner))) return HttpResponse::text(NoPower);
    const DocFolder* parent = c.model.folder(*father);
    if (*father != 0 && (!parent || parent->ownerId != *owner)) return HttpResponse::text(NoFolder);
    const QString name = c.param(u"foldername"_s).trimmed();
    if (!isUsableName(name)) return HttpResponse::text(BadName);
    if (hasSibling(c.model, std::int32_t(*owner), *father, name, 0))
        return HttpResponse::text(SameName);
    const std::int64_t id = c.model.nextFolderId();
    c.model.addFolder(id, std::int32_t(*owner), *father, name);
    return HttpResponse::text(QString::number(id));
}

HttpResponse renameFolder(HttpContext& c) {
    if (c.param(u"opr"_s) != u"rename"_s) return HttpResponse::error(400);
    const DocUser* user = c.userByClientToken(c.param(u"uid"_s));
    if (!user) return HttpResponse::text(InvalidToken);
    const auto owner = c.number(u"ownerid"_s);
    const auto id = c.number(u"folderid"_s);
    if (!owner || !id) return HttpResponse::error(400);
    DocFolder* folder = c.model.folder(*id);
    if (!folder || folder->ownerId != *owner) return HttpResponse::text(NoFolder);
    if (!c.model.mayAccess(*user, folder->ownerId)) return HttpResponse::text(NoPower);
    const QString name = c.param(u"foldername"_s).trimmed();
    if (!isUsableName(name)) return HttpResponse::text(BadName);
    if (hasSibling(c.model, folder->ownerId, folder->parentId, name, folder->id))
        return HttpResponse::text(SameName);
    folder->name = name;
    return HttpResponse::text(u"ok"_s);
}

}  // namespace

void addFolderEndpoints(HttpEndpointTable& table) {
    table["/folderadd"] = addFolder;
    table["/folderrename"] = renameFolder;
}

}  // namespace ov::test
