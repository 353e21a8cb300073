// The organisation and folder XML of the file manager's models: the organisation tree with its
// members, a status refresh over it, one level of sub-folders, an owner's whole folder tree and
// the files of a folder. The first byte chooses the reader; the rest is the server's text.

#include "fuzzsupport.h"

#include "client/filemanager/folderxml.h"
#include "client/filemanager/orgstructure.h"

#include <cstdlib>

using namespace ov;

namespace {

TDateTime fixedNow() { return 46000.5; }

// Every node below the root points back at its father and the tree stays within its depth.
void CheckTree(const THS_Org& node, int depth) {
    if (depth > 70) std::abort();
    for (const THS_Org* member : node.Members)
        if (member->Father != &node) std::abort();
    for (const THS_Org* child : node.Childs) {
        if (child->Father != &node) std::abort();
        CheckTree(*child, depth + 1);
    }
}

int FolderDepth(const QVector<TFolderNode>& folders) {
    int deepest = 0;
    for (const TFolderNode& folder : folders)
        deepest = std::max(deepest, 1 + FolderDepth(folder.Childs));
    return deepest;
}

void Organisation(const QString& xml) {
    static TOrgStructure org;  // a refresh works on what the last tree left
    org.Clock = fixedNow;
    org.ParseOrgStructure(xml);
    CheckTree(*org.Root(), 0);
    org.ResetUserStatus(xml);
    for (const TOwnerRegInfo& changed : org.ChangedUsers())
        if (org.GetUsrInfo(changed.OwnerId).OwnerId != changed.OwnerId) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const QString xml = QString::fromUtf8(fuzz::Bytes(data + 1, size - 1));
    switch (data[0] % 4) {
        case 0: Organisation(xml); break;
        case 1:
            if (FolderDepth(ParseSubFolders(xml)) > 1) std::abort();  // one level only
            break;
        case 2:
            if (FolderDepth(ParseOwnerFolders(xml)) > 66) std::abort();
            break;
        default: ParseFolderFiles(xml, fixedNow()); break;
    }
    return 0;
}
