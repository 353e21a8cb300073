#pragma once
// The pickers the task dialog calls: the server's owners, folders and files, the review of a
// task's file list, and the file-property page. The file manager's dialogs provide them;
// until they are connected, an unset picker yields nothing (the dialog stays as it was).

#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/types.h"

namespace ov {

class TFileIndex;

struct TServerPick {
    std::int64_t Id = -1;  // folder id or file key
    QString Name;          // "/"-separated path of names, or the file's name
};

struct TBatchPickers {
    // An owner for uploads or downloads (TSelectOwnerFrm); -1 when cancelled.
    std::function<std::int32_t(TTranStyle direction)> SelectOwner;
    // A folder of the owner (TSelectFolderFrm); Id -1 when cancelled.
    std::function<TServerPick(std::int32_t ownerId)> SelectServerFolder;
    // A file of the folder (TServerFolderFileView); Id -1 when cancelled.
    std::function<TServerPick(std::int32_t ownerId, std::int64_t folderId)> SelectServerFile;
    // The task's files with check boxes (TSelectFileView): the keys the user unticked, or
    // nothing when the review was cancelled. countText: the dialog's "Total files" line.
    std::function<std::optional<QVector<std::int64_t>>(const TFileIndex& index,
                                                       const QString& countText)>
        ReviewFiles;
    // The file-property page (TTSetFilePropertyFrm): the new parameter text, or nothing.
    std::function<std::optional<QString>(const QString& url, const QString& params)>
        FileProperties;
};

}  // namespace ov
