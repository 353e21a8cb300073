#pragma once
// Tree and list items as the file manager's forms use them: a node's data (an id) and its image
// index travel in item roles, so that forms and tests read them back by number.

#include <QTreeWidgetItem>
#include <cstdint>

namespace ov {

inline constexpr int kDataRole = Qt::UserRole;
inline constexpr int kImageRole = Qt::UserRole + 1;

QTreeWidgetItem* AddNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text,
                         std::int64_t data, int image);
std::int64_t NodeData(const QTreeWidgetItem* item);
int NodeImage(const QTreeWidgetItem* item);
void SetNodeImage(QTreeWidgetItem* item, int image);
// The first child (or, without a parent, top-level node) whose data is the id, at any depth
// when `deep`.
QTreeWidgetItem* FindNode(QTreeWidget* tree, QTreeWidgetItem* parent, std::int64_t id, bool deep);

}  // namespace ov
