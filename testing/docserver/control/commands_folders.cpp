// The organisation, folder trees and lists, folder creation and deletion.

#include "core/resultcode.h"
#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/control/commands_table.h"
#include "testing/docserver/model/model_xml.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const QString NoPower = u"no power"_s;

ControlReply NoPowerReply() {
    return Reply(wire::RS_Refused, NoPower);
}

ControlReply OrgStructure(CommandContext& c) {
    return Ok(OrgStructureXml(c.model));
}

ControlReply OwnerFolders(CommandContext& c) {
    const std::int32_t owner = c.request.head.FreeInt;
    if (!c.model.mayAccess(*c.user, owner)) return NoPowerReply();
    return Ok(OwnerFoldersXml(c.model, owner));
}

ControlReply SubFolders(CommandContext& c) {
    const std::int32_t owner = c.request.head.FreeInt;
    if (!c.model.mayAccess(*c.user, owner)) return NoPowerReply();
    return Ok(SubFoldersXml(c.model, owner, c.request.head.FreeInt2));
}

// The folder of a request, when the user may see it.
const DocFolder* Visible(CommandContext& c, std::int64_t folderId) {
    const DocFolder* folder = c.model.folder(folderId);
    return folder && c.model.mayAccess(*c.user, folder->ownerId) ? folder : nullptr;
}

ControlReply LoadFolderFiles(CommandContext& c) {
    const std::int64_t id = c.tagInt64(u"FolderId"_s);
    if (!Visible(c, id)) return NoPowerReply();
    return Ok(FolderFilesXml(c.model, id));
}

// Item lines: id, modification time, name, check-out user, is-folder flag[, size].
QString ItemLine(const QStringList& fields) {
    return fields.join(u'*');
}

ControlReply ListFolder(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"OwnerId"_s);
    const std::int64_t id = c.tagInt64(u"FolderId"_s);
    if (!c.model.mayAccess(*c.user, owner)) return Ok(NoPower);
    const bool withSize = c.tag(u"IsIncludeSize"_s).compare(u"True"_s, Qt::CaseInsensitive) == 0;
    QStringList lines;
    for (const DocFolder* folder : c.model.childFolders(owner, id))
        lines.append(
            ItemLine({QString::number(folder->id), u"0"_s, folder->name, QString(), u"True"_s}) +
            (withSize ? u"*0"_s : QString()));
    for (const DocFile* file : c.model.folderFiles(id)) {
        const auto holder = c.model.users.find(file->lockedBy);
        const QString user = holder == c.model.users.end() ? QString() : holder->second.displayName;
        lines.append(ItemLine({QString::number(file->key),
                               QString::number(wire::dateToInt64(file->modified)), file->name, user,
                               u"False"_s}) +
                     (withSize ? u'*' + QString::number(file->size) : QString()));
    }
    return Ok(lines.join(u"\r\n"_s));
}

ControlReply FoldersDesc(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"OwnerId"_s);
    if (!c.model.mayAccess(*c.user, owner)) return NoPowerReply();
    QStringList lines;
    for (const auto& [id, folder] : c.model.folders)
        if (folder.ownerId == owner)
            lines.append(QString::number(id) + u'*' + folder.name + u'*' + folder.desc);
    return Ok(lines.join(u"\r\n"_s));
}

ControlReply ServerPath(CommandContext& c) {
    std::int64_t folderId = c.tagInt64(u"FileKey"_s);
    if (c.tag(u"IsFolder"_s).compare(u"True"_s, Qt::CaseInsensitive) != 0) {
        const DocFile* file = c.model.file(folderId);
        folderId = file ? file->folderId : 0;
    }
    if (!Visible(c, folderId)) return Ok(QString());
    return Ok(u"[PathStr]"_s + c.model.folderPathByNames(folderId) + u"[/PathStr][PathIdStr]"_s +
              c.model.folderPathByIds(folderId) + u"[/PathIdStr]"_s);
}

ControlReply CreateFolder(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"Ownerid"_s);
    const std::int64_t father = c.tagInt64(u"FatherFolderId"_s);
    const QString name = c.tag(u"FolderName"_s);
    if (!c.model.mayAccess(*c.user, owner)) return Reply(wire::RS_Refused, NoPower);
    const bool fatherOk =
        father == 0 || (c.model.folder(father) && c.model.folder(father)->ownerId == owner);
    bool duplicate = false;
    for (const DocFolder* sibling : c.model.childFolders(owner, father))
        duplicate = duplicate || sibling->name.compare(name, Qt::CaseInsensitive) == 0;
    if (name.isEmpty() || !fatherOk || duplicate)
        return Reply(wire::RS_Refused, QString::number(RC_FolderConflict));
    const std::int64_t id = c.model.nextFolderId();
    c.model.addFolder(id, owner, father, name);
    return Ok(QString::number(id));
}

ControlReply UserSpecificFolder(CommandContext& c) {
    const auto top = c.model.childFolders(c.request.head.FreeInt, 0);
    return Ok(QString::number(top.isEmpty() ? 0 : top.first()->id));
}

ControlReply ServerFileNum(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"GroupID"_s);
    int count = 0;
    for (const auto& [id, folder] : c.model.folders)
        if (folder.ownerId == owner) count += int(c.model.folderFiles(id).size());
    return Ok(QString::number(count));
}

ControlReply Refresh(CommandContext&) {
    return Code(RC_Ok);
}

ControlReply DelFolder(CommandContext& c) {
    const std::int64_t id = c.tagInt64(u"FolderId"_s);
    const DocFolder* folder = c.model.folder(id);
    if (!folder) return Code(RC_NoFolder);
    if (folder->ownerId != c.tagInt(u"OwnerId"_s) || !Visible(c, id)) return Code(RC_NoPower);
    if (c.model.folderHasLockedFile(id)) return Code(RC_HasLockedFile);
    c.model.removeFolder(id);
    return Code(RC_Ok);
}

ControlReply DelFile(CommandContext& c) {
    DocFile* file = c.model.file(c.tagInt64(u"FileKey"_s));
    if (!file) return Code(RC_NoFile);
    if (!c.model.mayAccessFile(*c.user, *file)) return Code(RC_NoPower);
    if (file->lockedBy != 0 && file->lockedBy != c.user->id) return Code(RC_Locked);
    file->deleted = true;
    return Code(RC_Ok);
}

}  // namespace

void AddFolderCommands(CommandTable& t) {
    const char16_t* badUser = u"7";
    t[wire::TT_GetOrgStructure] = {true, nullptr, OrgStructure};
    t[wire::TT_GetOwnerFolders] = {true, nullptr, OwnerFolders};
    t[wire::TT_GetSubFolders] = {true, nullptr, SubFolders};
    t[wire::TT_LoadFolderFiles] = {true, nullptr, LoadFolderFiles};
    t[wire::TT_ListFolder] = {true, u"no power", ListFolder};
    t[wire::TT_GetFoldersDesc] = {true, nullptr, FoldersDesc};
    t[wire::TT_GetServerPath] = {true, u"", ServerPath};
    t[wire::TT_CreateFolder] = {true, nullptr, CreateFolder};
    t[wire::TT_GetUserSpecificFolderID] = {false, nullptr, UserSpecificFolder};
    t[wire::TT_GetServerFileNum] = {false, nullptr, ServerFileNum};
    t[wire::TT_RefreshFolder] = {false, nullptr, Refresh};
    t[wire::TT_DelFolder] = {true, badUser, DelFolder};
    t[wire::TT_DelFile] = {true, badUser, DelFile};
}

}  // namespace ov::test
