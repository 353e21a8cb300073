// File state: names, descriptions, locks, versions, times and the operation log.

#include "core/cipher.h"
#include "core/resultcode.h"
#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/control/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const QString NoFileText = u"The file doesn't exist."_s;

// The request's file, when it exists and the user may see it.
DocFile* Requested(CommandContext& c, const QString& tag) {
    DocFile* file = c.model.file(c.tagInt64(tag));
    return file && c.model.mayAccessFile(*c.user, *file) ? file : nullptr;
}

ControlReply FileName(CommandContext& c) {
    const DocFile* file = Requested(c, u"Key"_s);
    return file ? Ok2(file->name) : Reply(wire::RS_Refused, NoFileText);
}

ControlReply ResourceInfo(CommandContext& c) {
    const DocFile* file = Requested(c, u"Key"_s);
    if (!file) return Reply(wire::RS_Refused, NoFileText);
    return Ok(u"[Name]"_s + file->name + u"[/Name][Size]"_s + QString::number(file->size) +
              u"[/Size][Version]"_s + QString::number(file->version) + u"[/Version]"_s);
}

ControlReply CanDownload(CommandContext& c) {
    DocFile* file = c.model.file(c.tagInt64(u"fileKey"_s));
    if (!file) return Code(RC_NoFile);
    return Code(c.model.mayAccessFile(*c.user, *file) ? RC_CanDownload : RC_NoPower);
}

ControlReply Lock(CommandContext& c) {
    DocFile* file = c.model.file(c.tagInt64(u"FileKey"_s));
    if (!file) return Code(RC_NoFile);
    if (!c.model.mayAccessFile(*c.user, *file)) return Code(RC_NoPower);
    if (file->lockedBy != 0 && file->lockedBy != c.user->id) return Code(RC_Locked);
    file->lockedBy = c.user->id;
    return Code(RC_Ok);
}

ControlReply Unlock(CommandContext& c) {
    DocFile* file = c.model.file(c.tagInt64(u"FileKey"_s));
    if (!file) return Code(RC_NoFile);
    if (file->lockedBy != c.user->id) return Code(RC_NotCheckedOut);
    file->lockedBy = 0;
    return Code(RC_Ok);
}

ControlReply LastModifyTime(CommandContext& c) {
    const DocFile* file = Requested(c, u"FileKey"_s);
    return Ok(file ? QString::number(wire::dateToInt64(file->modified)) : QString());
}

ControlReply WriteAudit(CommandContext& c) {
    const DocFile* file = Requested(c, u"Key"_s);
    return Code(file && file->inWriteAudit ? 1 : 0);
}

// The folder's path as the latest versions read it: the folder names below the owner, each
// followed by "/" ("设计图纸/机械/").
QString FolderLevels(CommandContext& c, std::int64_t folderId) {
    QString path;
    for (const DocFolder* level : c.model.folderChain(folderId))
        path += level->name + u'/';
    return path;
}

// Every file of the folder (and of its sub-folders when asked): key, folder id, time, name,
// folder path.
void NewVerLines(CommandContext& c, const DocFolder& folder, bool sub, QStringList& lines,
                 int depth) {
    const QString path = FolderLevels(c, folder.id);
    for (const DocFile* file : c.model.folderFiles(folder.id))
        lines.append(QStringList{QString::number(file->key), QString::number(folder.id),
                                 QString::number(wire::dateToInt64(file->modified)), file->name,
                                 path}
                         .join(u'*'));
    if (!sub || depth > 64) return;
    for (const DocFolder* child : c.model.childFolders(folder.ownerId, folder.id))
        NewVerLines(c, *child, sub, lines, depth + 1);
}

// With "[IsMicPic]True" the list holds the files that need a thumbnail: those of the types
// in "FileType" ("all": every type) that have none yet, or all of them with "[IsReplace]True".
bool NeedsThumbnail(const CommandContext& c, const QString& line) {
    const QString name = line.section(u'*', 3, 3);
    const DocFile* file = c.model.file(line.section(u'*', 0, 0).toLongLong());
    if (!file || (file->hasThumbnail && c.tag(u"IsReplace"_s) != u"True"_s)) return false;
    const QString ext = name.section(u'.', -1).toLower();
    for (const QString& type : c.tag(u"FileType"_s).split(u',', Qt::SkipEmptyParts)) {
        const QString t = type.trimmed().toLower();
        if (t == u"all"_s || (name.contains(u'.') && t == ext)) return true;
    }
    return false;
}

ControlReply NewVer(CommandContext& c) {
    const DocFolder* folder = c.model.folder(c.tagInt64(u"FolderId"_s));
    if (!folder || !c.model.mayAccess(*c.user, folder->ownerId)) return Ok(QString());
    QStringList lines;
    NewVerLines(c, *folder, c.tag(u"IsIncludeSub"_s) == u"True"_s, lines, 0);
    if (c.tag(u"IsMicPic"_s) == u"True"_s)
        lines.removeIf([&c](const QString& line) { return !NeedsThumbnail(c, line); });
    return Ok(lines.join(u"\r\n"_s));
}

ControlReply RetrieveDesc(CommandContext& c) {
    const DocFile* file = Requested(c, u"filekey"_s);
    return file ? Ok2(file->desc) : Reply(wire::RS_Refused, NoFileText);
}

ControlReply UpdateDesc(CommandContext& c) {
    DocFile* file = Requested(c, u"filekey"_s);
    if (!file) return Reply(wire::RS_Refused, NoFileText);
    file->desc = c.rawTag(u"desc"_s);
    return Ok2(QString());
}

ControlReply ServerFileInfo(CommandContext& c) {
    const DocFile* file = Requested(c, u"fileKey"_s);
    if (!file) return Ok(QString());
    return Ok(u"[Dt]"_s + wire::dateText(file->modified) + u"[/Dt][Size]"_s +
              QString::number(file->size) + u"[/Size]"_s);
}

ControlReply OprLog(CommandContext& c) {
    c.model.logs.append(
        {c.user->id, c.tagInt64(u"Filekey"_s), c.tagInt(u"Opr"_s), wire::nowLocal()});
    return Code(RC_Ok);
}

ControlReply ExtInfo(CommandContext& c) {
    const QString key = DecryptString(c.tag(u"Key"_s), 3);
    DocFile* file = c.model.file(wire::int64Or0(key));
    if (!file || !c.model.mayAccessFile(*c.user, *file)) return Code(RC_NoFile);
    file->extInfo = c.rawTag(u"ExtInfo"_s);
    return Code(RC_Ok);
}

}  // namespace

void AddFileCommands(CommandTable& t) {
    const char16_t* badUser = u"7";
    t[wire::TT_GetFileName] = {true, nullptr, FileName};
    t[wire::TT_GetResourceInfo] = {true, nullptr, ResourceInfo};
    t[wire::TT_CanDownloadFile] = {true, badUser, CanDownload};
    t[wire::TT_LockFile] = {true, badUser, Lock};
    t[wire::TT_UnLockFile] = {true, badUser, Unlock};
    t[wire::TT_GetLastModifyTime] = {true, u"", LastModifyTime};
    t[wire::TT_IsInWriteAudit] = {true, u"0", WriteAudit};
    t[wire::TT_GetNewVer] = {true, u"", NewVer};
    t[wire::TT_RetrieveFileDesc] = {true, nullptr, RetrieveDesc};
    t[wire::TT_UpdateFileDesc] = {true, nullptr, UpdateDesc};
    t[wire::TT_GetServerFileInfo] = {true, u"", ServerFileInfo};
    t[wire::TT_WriteOprLog] = {true, badUser, OprLog};
    t[wire::TT_UpdateFileExtInfo] = {true, badUser, ExtInfo};
}

}  // namespace ov::test
