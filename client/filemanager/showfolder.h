#pragma once
// Loads an owner's server folders into a tree: one level below a folder node, or the owner's
// whole tree when the server has no sub-folders to name for folder 0.

#include <QString>
#include <QVector>

#include "client/filemanager/serverlink.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ov {

// One folder of a folder XML; `Childs` only in the whole-tree form.
struct TFolderNode {
    std::int64_t Id = 0;
    QString Path;
    int ChildNum = 0;
    QVector<TFolderNode> Childs;
};

// Sub-folders: every child of the document element, one level.
QVector<TFolderNode> ParseSubFolders(const QString& xml);
// The owner's folders: document element, "Item", "Childs", nested.
QVector<TFolderNode> ParseOwnerFolders(const QString& xml);

// What the server said about one level of folders: the sub-folders, or (folder 0 without any)
// the owner's whole tree; a failure's text instead.
struct TFolderReply {
    bool OwnerTree = false;
    bool Failed = false;
    QString Text;
};

class TShowFolder {
public:
    TShowFolder();

    // Loads below the parent (none: top level) for the owner; errors in a message box.
    void GetSubFolders(QTreeWidget* tree, QTreeWidgetItem* parent, std::int32_t OwnerId);
    // The same in two steps, for a worker: the request (touches no widget) and its result.
    static TFolderReply Fetch(const TServerLink& link, std::int32_t OwnerId, std::int32_t folder);
    void Show(QTreeWidget* tree, QTreeWidgetItem* parent, std::int32_t OwnerId,
              const TFolderReply& reply);
    // The server folder a parent node stands for (0: the owner's top level).
    static std::int32_t FolderOf(const QTreeWidgetItem* parent);
    QString WLS_Hint;

private:
    void LoadLevel(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& xml);

    TServerLink FLink;
    std::int32_t FOwnerId = -1;
    std::int64_t FFolderId = -1;
};

}  // namespace ov
