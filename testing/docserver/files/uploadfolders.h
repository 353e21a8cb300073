#pragma once
// Where an upload lands: the named folder, or the sub-folder path an upload of a dropped folder
// names below it ("\A\B\", either separator), created where missing.

#include "testing/docserver/model/model.h"

#include <QString>

namespace ov::test {

// The folder that receives the upload; -1 when the path holds "." or ".." (the caller holds
// the model's mutex).
std::int64_t UploadTargetFolder(DocModel& model, std::int32_t ownerId, std::int64_t folderId,
                                const QString& subFolderName);

}  // namespace ov::test
