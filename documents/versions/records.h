#pragma once
// The two record files of version control in the per-user settings folder (callers pass that
// folder as `iniFilePath`):
// - "checkout_record.ini": section = file key, `CheckoutPath` = full path of the local copy of a
//   file that is checked out or edited online;
// - "workpath_record.ini": section = server folder id, `WorkPath` = the local folder mapped to
//   it. Folder ids of 0 or less stand for the root (the settings' `WorkRoot`) and never get a
//   section.

#include <QString>
#include <cstdint>

namespace ov {

QString CheckoutRecordFile(const QString& iniFilePath);
QString WorkPathRecordFile(const QString& iniFilePath);

// "" when the section or the key is missing.
QString ReadCheckoutPath(const QString& iniFilePath, std::int64_t fileKey);
bool WriteCheckoutPath(const QString& iniFilePath, std::int64_t fileKey, const QString& path);
bool DelCheckoutPath(const QString& iniFilePath, std::int64_t fileKey);

// "" when there is no mapping (and always for ids of 0 or less).
QString ReadWorkPath(const QString& iniFilePath, std::int64_t folderId);
// False for ids of 0 or less and when the file cannot be written.
bool WriteWorkPath(const QString& iniFilePath, std::int64_t folderId, const QString& path);

}  // namespace ov
