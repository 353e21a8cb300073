#pragma once
// Loads a server folder's items into the file manager's list: folders first (in front of the
// files), then the files with their icon, check-out user, size in KB and modification time.

#include <QString>
#include <QVector>

#include "client/filemanager/serverlink.h"

class QTreeWidget;

namespace ov {

// One line of a folder listing: id*time*name*check-out user*is-folder*size.
struct TFolderItem {
    std::int64_t Id = 0;
    std::int64_t Time = 0;  // DateTimeToInt64 form
    QString Name;
    QString User;
    bool IsFolder = false;
    std::int64_t Size = 0;
};

// Splits the listing into items; empty lines are skipped and a line of fewer than two fields
// ends the reading ("no power" and an empty reply give nothing).
QVector<TFolderItem> ParseListFolder(const QString& reply);
// The size column: (bytes div 1024) + 1.
QString SizeInKB(std::int64_t bytes);

// The list's columns.
enum TFileColumn { FC_Name, FC_User, FC_Size, FC_Time, FC_Id, FC_IsFolder, FC_Count };

class TShowFiles {
public:
    TShowFiles();
    void Init(std::int32_t GroupId, QTreeWidget* FileListItems, std::int64_t FolderId);
    // Fills the list; a failed request gives an empty list without a message.
    void GetFileList();
    // The request alone, for a worker (touches no widget).
    static QVector<TFolderItem> Fetch(const TServerLink& link, std::int32_t GroupId,
                                      std::int64_t FolderId);
    // Adds an item as a listing line describes it (folders at the top).
    static void AddItem(QTreeWidget* list, const TFolderItem& item);

private:
    TServerLink FLink;
    std::int32_t FOwnerId = -1;
    std::int64_t FFolderId = -1;
    QTreeWidget* FList = nullptr;
};

}  // namespace ov
