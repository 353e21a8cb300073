// The panel's two trees and the loading of a folder's items: the organisation (groups and the
// user), the chosen owner's folders, and the list of the selected folder.

#include <QCheckBox>
#include <QMessageBox>
#include <QTreeWidget>

#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/orgstructure.h"
#include "client/filemanager/serverlink.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/showfolder.h"
#include "client/filemanager/treenodes.h"
#include "core/globalconfig.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kMaxOrgDepth = 64;

}  // namespace

void TFileMagFrm::Init() {
    OrgTree->clear();
    const auto config = GlobalConfig();
    if (FLastId == 0) FLastId = config->LastGroupId();
    try {
        QString text;
        const std::uint8_t state = TServerLink::FromSettings().Client()->GetOrgStructure(text);
        if (state == RS_Ok) {
            TOrgStructure org;
            org.ParseOrgStructure(text);
            for (const THS_Org* group : org.Root()->Childs) AddOrgNode(nullptr, *group, 0);
        } else {
            QMessageBox::critical(this, WLS_Hint, u"Client OrgStructure E1="_s + text);
        }
        AddNode(OrgTree, nullptr, config->UserName(), config->UserId(), 3);
        if (FLastId == 0) FGroupId = config->UserId();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, WLS_Hint,
                              u"Client OrgStructure E2="_s + QString::fromUtf8(e.what()));
    }
}

void TFileMagFrm::AddOrgNode(QTreeWidgetItem* parent, const THS_Org& group, int depth) {
    QTreeWidgetItem* node = AddNode(OrgTree, parent, group.Name, group.Id, 4);
    if (depth >= kMaxOrgDepth) return;
    for (const THS_Org* child : group.Childs) AddOrgNode(node, *child, depth + 1);
}

void TFileMagFrm::OrgTreeClick(QTreeWidgetItem* node, int) {
    if (!node) return;
    FFolderId = 0;
    ClearList();
    FGroupId = std::int32_t(NodeData(node));
    FLastId = FGroupId;
    LoadFolderTree(node->text(0), FGroupId);
}

void TFileMagFrm::LoadFolderTree(const QString& ownerName, std::int32_t ownerId) {
    ClearList();
    SetColumnCaptions();
    const QSignalBlocker quiet(FolderTree);
    FolderTree->clear();
    OrgTree->hide();
    FolderTree->show();
    AddNode(FolderTree, nullptr, WLS_SelGroup, 0, 5);
    FFolderId = 0;
    QTreeWidgetItem* owner = AddNode(FolderTree, nullptr, ownerName, 1, 4);
    TShowFolder().GetSubFolders(FolderTree, owner, ownerId);
    owner->setExpanded(true);
}

void TFileMagFrm::FolderTreeChange(QTreeWidgetItem* node) {
    if (!node) return;
    if (NodeImage(node) == 5 && NodeData(node) == 0) {
        FolderTree->hide();
        OrgTree->show();
        OrgTree->setFocus();
        ClearList();
        FFolderId = 0;
        return;
    }
    chbAllFile->setChecked(false);
    if (NodeImage(node) == 6) {
        SetNodeImage(node, 1);
        TShowFolder().GetSubFolders(FolderTree, node, FGroupId);
        node->setExpanded(true);
    }
    ClearList();
    if (!node->parent()) {
        FFolderId = 0;
        return;
    }
    FFolderId = NodeData(node);
    if (FFolderId > 0) LoadFileList();
}

void TFileMagFrm::LoadFileList() {
    if (FFolderId < 0) return;
    SetColumnCaptions();
    plWait->setGeometry(FsList->width() / 2 - 140, FsList->height() / 2 - 20, 280, 40);
    plWait->show();
    plWait->repaint();
    TShowFiles files;
    files.Init(FGroupId, FsList, FFolderId);
    {
        const QSignalBlocker quiet(FsList);
        files.GetFileList();
    }
    for (int i = 0; i < FsList->topLevelItemCount(); ++i)
        FsList->topLevelItem(i)->setData(FC_Id, kDataRole, i);  // the loaded order
    FSortCol = -1;
    FSortClicks = 0;
    plWait->hide();
}

void TFileMagFrm::ClearList() {
    const QSignalBlocker quiet(FsList);
    FsList->clear();
    FSelected.clear();
}

}  // namespace ov
