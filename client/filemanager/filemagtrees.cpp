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
    if (FLastId == 0) FLastId = GlobalConfig()->LastGroupId();
    const int generation = ++FOrgGeneration;
    const TServerLink link = TServerLink::FromSettings();
    Request<TTextReply>(
        [link] {
            TTextReply reply;
            try {
                reply.State = link.Client()->GetOrgStructure(reply.Text);
            } catch (const std::exception& e) {
                reply.Failed = true;
                reply.Text = QString::fromUtf8(e.what());
            }
            return reply;
        },
        [this, generation](const TTextReply& reply) {
            if (generation == FOrgGeneration) ShowOrg(reply);
        });
}

void TFileMagFrm::ShowOrg(const TTextReply& reply) {
    OrgTree->clear();
    if (reply.Failed) {
        QMessageBox::critical(this, WLS_Hint, u"Client OrgStructure E2="_s + reply.Text);
        return;
    }
    if (reply.State == RS_Ok) {
        TOrgStructure org;
        org.ParseOrgStructure(reply.Text);
        for (const THS_Org* group : org.Root()->Childs) AddOrgNode(nullptr, *group, 0);
    } else {
        QMessageBox::critical(this, WLS_Hint, u"Client OrgStructure E1="_s + reply.Text);
    }
    const auto config = GlobalConfig();
    AddNode(OrgTree, nullptr, config->UserName(), config->UserId(), 3);
    if (FLastId == 0) FGroupId = config->UserId();
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

void TFileMagFrm::LoadFolderTree(const QString& ownerName, std::int32_t ownerId,
                                 std::function<void()> loaded) {
    ClearList();
    SetColumnCaptions();
    const QSignalBlocker quiet(FolderTree);
    ClearFolderTree();
    OrgTree->hide();
    FolderTree->show();
    AddNode(FolderTree, nullptr, WLS_SelGroup, 0, 5);
    FFolderId = 0;
    LoadFolders(AddNode(FolderTree, nullptr, ownerName, 1, 4), ownerId, std::move(loaded));
}

void TFileMagFrm::ClearFolderTree() {
    ++FTreeGeneration;  // what is still on its way for the old nodes is dropped
    FolderTree->clear();
}

// One level below the node, or the owner's whole tree below the owner's node.
void TFileMagFrm::LoadFolders(QTreeWidgetItem* node, std::int32_t ownerId,
                              std::function<void()> loaded) {
    const int generation = FTreeGeneration;
    const TServerLink link = TServerLink::FromSettings();
    const std::int32_t folder = TShowFolder::FolderOf(node);
    Request<TFolderReply>(
        [link, ownerId, folder] { return TShowFolder::Fetch(link, ownerId, folder); },
        [this, generation, node, ownerId, loaded = std::move(loaded)](const TFolderReply& reply) {
            if (generation != FTreeGeneration) return;
            {
                const QSignalBlocker quiet(FolderTree);
                TShowFolder().Show(FolderTree, node, ownerId, reply);
                node->setExpanded(true);
            }
            if (loaded) loaded();
        });
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
        LoadFolders(node, FGroupId);
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
    const int generation = ++FListGeneration;
    const TServerLink link = TServerLink::FromSettings();
    const std::int32_t owner = FGroupId;
    const std::int64_t folder = FFolderId;
    Request<QVector<TFolderItem>>(
        [link, owner, folder] { return TShowFiles::Fetch(link, owner, folder); },
        [this, generation](const QVector<TFolderItem>& items) {
            if (generation == FListGeneration) ShowFileList(items);
        });
}

void TFileMagFrm::ShowFileList(const QVector<TFolderItem>& items) {
    {
        const QSignalBlocker quiet(FsList);
        FsList->clear();
        FSelected.clear();
        for (const TFolderItem& item : items) TShowFiles::AddItem(FsList, item);
    }
    for (int i = 0; i < FsList->topLevelItemCount(); ++i)
        FsList->topLevelItem(i)->setData(FC_Id, kDataRole, i);  // the loaded order
    FSortCol = -1;
    FSortClicks = 0;
    plWait->hide();
}

void TFileMagFrm::ClearList() {
    ++FListGeneration;  // a list still on its way is dropped
    plWait->hide();
    const QSignalBlocker quiet(FsList);
    FsList->clear();
    FSelected.clear();
}

}  // namespace ov
