// Upload rules, the batch worker's requests and the lists for export.

#include "core/resultcode.h"
#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/control/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

ControlReply MaxFileSize(CommandContext& c) {
    QString text = u"[Count]"_s + QString::number(c.model.rules.fileTypes.size()) + u"[/Count]"_s;
    for (qsizetype i = 0; i < c.model.rules.fileTypes.size(); ++i)
        text += u"[Type%1]%2[/Type%1]"_s.arg(i).arg(c.model.rules.fileTypes[i]);
    ControlReply reply = Ok(text);
    reply.head.FreeInt = c.model.rules.maxFileSizeMb;
    return reply;
}

ControlReply UploadLimit(CommandContext& c) {
    return Ok(u"[UploadLimitB]%1[/UploadLimitB][UploadLimitT]%2[/UploadLimitT]"_s
                  .arg(c.model.rules.uploadLimitB)
                  .arg(c.model.rules.uploadLimitT));
}

void DownloadLines(CommandContext& c, const DocFolder& folder, const QString& base, bool sub,
                   QStringList& files, QStringList& folders, int depth) {
    folders.append(base);
    // Deleted files stay in the list, marked, so that the client can set its copies aside.
    for (const auto& [key, file] : c.model.files)
        if (file.folderId == folder.id)
            files.append(u"[K]%1[/K][Fd]%2[/Fd][Dt]%3[/Dt][Sz]%4[/Sz][P]%5[/P][D]%6[/D]"_s
                             .arg(key)
                             .arg(folder.id)
                             .arg(wire::dateText(file.modified))
                             .arg(file.size)
                             .arg(base + file.name)
                             .arg(file.deleted ? u"True"_s : u"False"_s));
    if (!sub || depth > 64) return;
    for (const DocFolder* child : c.model.childFolders(folder.ownerId, folder.id))
        DownloadLines(c, *child, base + child->name + u'/', sub, files, folders, depth + 1);
}

// The task names its source folder; the reply lists its files (and its sub-folders' when the
// task includes them) with paths relative to it.
ControlReply DownloadFiles(CommandContext& c) {
    const DocFolder* folder = c.model.folder(c.tagInt64(u"SourceFolderId"_s));
    if (c.model.rules.prohibitBulkDownload)
        return Ok(u"[F][/F][Summary]0[/Summary][FolderInfo][/FolderInfo]"
                  u"[ErrorTxt]System prohibits bulk download[/ErrorTxt]"_s);
    if (!folder || !c.model.mayAccess(*c.user, folder->ownerId))
        return Ok(u"[ErrorTxt]No privilege[/ErrorTxt]"_s);
    QStringList files, folders;
    const bool sub = c.tag(u"SubFolder"_s) == u"-1"_s;
    DownloadLines(c, *folder, folder->name + u'/', sub, files, folders, 0);
    return Ok(u"[F]"_s + files.join(u"\r\n"_s) + u"[/F][Summary]"_s +
              QString::number(files.size()) + u"[/Summary][FolderInfo]"_s +
              folders.join(u"\r\n"_s) + u"[/FolderInfo][ErrorTxt][/ErrorTxt]"_s);
}

// Creates the listed relative folders (either separator) below the request's folder.
ControlReply FolderList(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"OwnerId"_s);
    if (!c.model.mayAccess(*c.user, owner)) return Code(RC_NoPower);
    const QString lines = c.rawTag(u"Folder"_s);
    for (const QString& line : lines.split(u'\n', Qt::SkipEmptyParts)) {
        std::int64_t parent = c.tagInt64(u"FolderId"_s);
        for (const QString& name : QString(line).replace(u'\\', u'/').split(u'/')) {
            if (name.trimmed().isEmpty()) continue;
            std::int64_t found = 0;
            for (const DocFolder* child : c.model.childFolders(owner, parent))
                if (child->name == name.trimmed()) found = child->id;
            if (found == 0)
                found = c.model.addFolder(c.model.nextFolderId(), owner, parent, name.trimmed()).id;
            parent = found;
        }
    }
    return Code(RC_Ok);
}

ControlReply FileMsg(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"OwnerId"_s);
    const QString text = c.user->displayName + u": "_s + c.tag(u"Key"_s);
    for (auto& [id, user] : c.model.users)
        if (id == owner || c.model.groupsOf(id).contains(owner)) user.messages.append(text);
    return Ok(QString());
}

// The export lists are tab-separated rows with a heading row.
QString Rows(const QStringList& heading, const QList<QStringList>& rows) {
    QStringList lines{heading.join(u'\t')};
    for (const QStringList& row : rows)
        lines.append(row.join(u'\t'));
    return lines.join(u"\r\n"_s);
}

ControlReply FileList(CommandContext& c) {
    const DocFolder* folder = c.model.folder(c.tagInt64(u"FolderId"_s));
    if (!folder || !c.model.mayAccess(*c.user, folder->ownerId))
        return Reply(wire::RS_Refused, u"No privilege"_s);
    QList<QStringList> rows;
    for (const DocFile* file : c.model.folderFiles(folder->id))
        rows.append({file->name, c.model.folderPathByNames(folder->id), QString::number(file->size),
                     wire::dateText(file->modified), QString::number(file->version)});
    return Ok2(Rows({u"Name"_s, u"Path"_s, u"Size"_s, u"Modified"_s, u"Version"_s}, rows));
}

ControlReply FolderTable(CommandContext& c) {
    const std::int32_t owner = c.tagInt(u"OwnerId"_s);
    if (!c.model.mayAccess(*c.user, owner)) return Reply(wire::RS_Refused, u"No privilege"_s);
    QList<QStringList> rows;
    for (const auto& [id, folder] : c.model.folders)
        if (folder.ownerId == owner)
            rows.append({QString::number(id), c.model.folderPathByNames(id)});
    return Ok2(Rows({u"Id"_s, u"Path"_s}, rows));
}

ControlReply UsersTable(CommandContext& c) {
    QList<QStringList> rows;
    for (const auto& [id, user] : c.model.users)
        rows.append({QString::number(id), user.login, user.displayName, user.email});
    return Ok2(Rows({u"Id"_s, u"Login"_s, u"Name"_s, u"Email"_s}, rows));
}

ControlReply PrintTable(CommandContext& c) {
    QList<QStringList> rows;
    for (const DocLog& log : c.model.logs)
        if (log.opr == 62 || log.opr == 63)
            rows.append({QString::number(log.key), QString::number(log.userId),
                         QString::number(log.opr), wire::dateText(log.at)});
    return Ok2(Rows({u"Key"_s, u"User"_s, u"Operation"_s, u"Time"_s}, rows));
}

ControlReply LogTable(CommandContext& c) {
    QList<QStringList> rows;
    for (const DocLog& log : c.model.logs)
        rows.append({wire::dateText(log.at), QString::number(log.userId), QString::number(log.key),
                     QString::number(log.opr)});
    return Ok2(Rows({u"Time"_s, u"User"_s, u"Key"_s, u"Operation"_s}, rows));
}

}  // namespace

void AddBatchCommands(CommandTable& t) {
    t[wire::TT_GetMaxFileSize] = {false, nullptr, MaxFileSize};
    t[wire::TT_GetUploadLimit] = {false, nullptr, UploadLimit};
    t[wire::TT_GetDownloadFiles] = {true, nullptr, DownloadFiles};
    t[wire::TT_SendFolderList] = {true, nullptr, FolderList};
    t[wire::TT_SendFileMsg] = {true, nullptr, FileMsg};
    t[wire::TT_GetFileList] = {true, nullptr, FileList};
    t[wire::TT_GetFolderList] = {true, nullptr, FolderTable};
    t[wire::TT_GetAllUsersList] = {true, nullptr, UsersTable};
    t[wire::TT_GetFilePrtList] = {true, nullptr, PrintTable};
    t[wire::TT_GetLogs] = {true, nullptr, LogTable};
}

}  // namespace ov::test
