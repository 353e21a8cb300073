#pragma once
// The check-out record of an edited file, as the editors name its steps: "checkout_record.ini"
// in the settings folder, section = file key, `CheckoutPath` = the local copy (kept by the
// version-control records, documents/versions/records.h).

#include <QString>
#include <cstdint>

namespace ov {

bool AddCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey, const QString& localPath);
bool DelCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey);
// "" when there is none.
QString CheckoutRecordOf(const QString& iniFilePath, std::int64_t fileKey);

}  // namespace ov
