// The panel's item list: ticks that follow the selection, opening a folder item, sorting by a
// column in three clicks (ascending, descending, the loaded order) and the ticked items.

#include <QMessageBox>
#include <QTreeWidget>
#include <algorithm>

#include "client/filemanager/fileicons.h"
#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/treenodes.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isFolderItem(const QTreeWidgetItem* item) {
    return item->text(FC_IsFolder) == u"1"_s;
}

int compareItems(const QTreeWidgetItem* a, const QTreeWidgetItem* b, int column) {
    if (column == FC_Size) {
        const qint64 x = a->text(column).toLongLong(), y = b->text(column).toLongLong();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return a->text(column).compare(b->text(column));  // by character codes
}

}  // namespace

void TFileMagFrm::ListSelectionChanged() {
    const QList<QTreeWidgetItem*> now = FsList->selectedItems();
    const QList<QTreeWidgetItem*> before = FSelected;
    FSelected = now;
    for (QTreeWidgetItem* item : before)
        if (!now.contains(item) && !isFolderItem(item)) item->setCheckState(FC_Name, Qt::Unchecked);
    for (QTreeWidgetItem* item : now) {
        if (before.contains(item)) continue;
        if (isFolderItem(item)) {
            OpenFolderItem(item->text(FC_Id).toLongLong());
            return;  // the list now shows that folder
        }
        item->setCheckState(FC_Name, Qt::Checked);
    }
}

void TFileMagFrm::OpenFolderItem(std::int64_t id) {
    FFolderId = id;
    if (id <= 0) return;
    QTreeWidgetItem* node = FolderTree->currentItem();
    if (!node) return;
    node->setExpanded(true);
    if (QTreeWidgetItem* child = FindNode(FolderTree, node, id, false))
        FolderTree->setCurrentItem(child);
}

void TFileMagFrm::SortByColumn(int column) {
    FSortClicks = column == FSortCol ? FSortClicks % 3 + 1 : 1;
    FSortCol = column;
    QList<QTreeWidgetItem*> items;
    {
        const QSignalBlocker quiet(FsList);
        while (FsList->topLevelItemCount() > 0) items.append(FsList->takeTopLevelItem(0));
    }
    const int clicks = FSortClicks;
    std::stable_sort(items.begin(), items.end(), [column, clicks](auto* a, auto* b) {
        if (clicks == 3) return a->data(FC_Id, kDataRole).toInt() < b->data(FC_Id, kDataRole).toInt();
        const int order = compareItems(a, b, column);
        return clicks == 1 ? order < 0 : order > 0;
    });
    {
        const QSignalBlocker quiet(FsList);
        FsList->addTopLevelItems(items);
    }
    QTreeWidgetItem* header = FsList->headerItem();
    for (int c = 0; c < FC_Count; ++c) header->setIcon(c, QIcon());
    header->setData(column, kImageRole, -1);
    if (column != FC_Name && clicks < 3) {
        const int image = clicks == 1 ? kSortUpImage : kSortDownImage;
        header->setIcon(column, FileListIcon(image));
        header->setData(column, kImageRole, image);
    }
    FLastIndex = column;
}

std::optional<TSelectedInfos> TFileMagFrm::GetSelectedInfos(bool onlyOne, bool allowFolders) {
    TSelectedInfos infos;
    for (int i = 0; i < FsList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = FsList->topLevelItem(i);
        if (item->checkState(FC_Name) != Qt::Checked) continue;
        if (isFolderItem(item) && !allowFolders) continue;
        infos.append({item->text(FC_Id).toLongLong(), item->text(FC_Name), i, isFolderItem(item)});
    }
    if (infos.size() > 1 && onlyOne) {
        QMessageBox::information(this, WLS_Hint, WLS_SelOne, QMessageBox::Ok);
        return std::nullopt;
    }
    if (infos.isEmpty()) {
        QMessageBox::information(this, WLS_Hint, WLS_SelOne2, QMessageBox::Ok);
        return std::nullopt;
    }
    return infos;
}

}  // namespace ov
