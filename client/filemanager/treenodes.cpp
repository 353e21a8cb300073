#include "client/filemanager/treenodes.h"

#include "client/filemanager/fileicons.h"

namespace ov {

QTreeWidgetItem* AddNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text,
                         std::int64_t data, int image) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, text);
    item->setData(0, kDataRole, qint64(data));
    SetNodeImage(item, image);
    return item;
}

std::int64_t NodeData(const QTreeWidgetItem* item) {
    return item ? item->data(0, kDataRole).toLongLong() : 0;
}

int NodeImage(const QTreeWidgetItem* item) {
    return item ? item->data(0, kImageRole).toInt() : -1;
}

void SetNodeImage(QTreeWidgetItem* item, int image) {
    item->setData(0, kImageRole, image);
    item->setIcon(0, TreeIcon(image));
}

QTreeWidgetItem* FindNode(QTreeWidget* tree, QTreeWidgetItem* parent, std::int64_t id, bool deep) {
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* child = parent ? parent->child(i) : tree->topLevelItem(i);
        if (NodeData(child) == id) return child;
        if (deep)
            if (QTreeWidgetItem* found = FindNode(tree, child, id, true)) return found;
    }
    return nullptr;
}

}  // namespace ov
