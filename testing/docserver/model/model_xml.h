#pragma once
// The XML texts the test server answers with: the organisation, an owner's folder tree, one
// folder level, and the files of a folder. The caller holds the model's mutex.

#include "testing/docserver/model/model.h"

namespace ov::test {

QString OrgStructureXml(const DocModel& model);
// Document element, "Item", "Childs", then every top folder with "Path" and its "Childs".
QString OwnerFoldersXml(const DocModel& model, std::int32_t ownerId);
// One level: each folder with "Id", "ChildNum" and "Path"; "" when there is none.
QString SubFoldersXml(const DocModel& model, std::int32_t ownerId, std::int64_t folderId);
// Each file with "Id", "Size", "DT" and "Kind"; its text is its path and name.
QString FolderFilesXml(const DocModel& model, std::int64_t folderId);

}  // namespace ov::test
