#include "documents/editing/editrecords.h"

#include "documents/versions/records.h"

namespace ov {

bool AddCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey, const QString& localPath) {
    return WriteCheckoutPath(iniFilePath, fileKey, localPath);
}

bool DelCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey) {
    return DelCheckoutPath(iniFilePath, fileKey);
}

QString CheckoutRecordOf(const QString& iniFilePath, std::int64_t fileKey) {
    return ReadCheckoutPath(iniFilePath, fileKey);
}

}  // namespace ov
