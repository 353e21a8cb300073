// What online editing and version control ask besides the file commands: the server path of a
// file or folder, by names and by folder ids.

#include "testing/docserver/control/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

// "[PathStr]Owner/A/B/[/PathStr][PathIdStr]10/20/[/PathIdStr]" of the folder; both end with
// "/" so that a file name can follow.
QString PathReply(const DocModel& m, std::int64_t folderId) {
    return u"[PathStr]"_s + m.folderPathByNames(folderId) + u"/[/PathStr][PathIdStr]"_s +
           m.folderPathByIds(folderId) + u"/[/PathIdStr]"_s;
}

ControlReply ServerPath(CommandContext& c) {
    const std::int64_t key = c.tagInt64(u"FileKey"_s);
    const bool isFolder = c.tag(u"IsFolder"_s).compare(u"True"_s, Qt::CaseInsensitive) == 0;
    std::int64_t folderId = key;
    if (!isFolder) {
        const DocFile* file = c.model.file(key);
        if (!file || !c.model.mayAccessFile(*c.user, *file)) return Ok(QString());
        folderId = file->folderId;
    }
    const DocFolder* folder = c.model.folder(folderId);
    if (!folder || !c.model.mayAccess(*c.user, folder->ownerId)) return Ok(QString());
    return Ok(PathReply(c.model, folderId));
}

}  // namespace

void AddEditingCommands(CommandTable& t) {
    t[wire::TT_GetServerPath] = {true, u"", ServerPath};
}

}  // namespace ov::test
