#include "documents/versions/records.h"

#include "platform/inifile.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString inFolder(const QString& folder, const QString& name) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder + name;
    return folder + u'/' + name;
}

const QString CheckoutKey = u"CheckoutPath"_s;
const QString WorkPathKey = u"WorkPath"_s;

}  // namespace

QString CheckoutRecordFile(const QString& iniFilePath) {
    return inFolder(iniFilePath, u"checkout_record.ini"_s);
}

QString WorkPathRecordFile(const QString& iniFilePath) {
    return inFolder(iniFilePath, u"workpath_record.ini"_s);
}

QString ReadCheckoutPath(const QString& iniFilePath, std::int64_t fileKey) {
    return platform::iniReadString(CheckoutRecordFile(iniFilePath), QString::number(fileKey),
                                   CheckoutKey);
}

bool WriteCheckoutPath(const QString& iniFilePath, std::int64_t fileKey, const QString& path) {
    return platform::iniWriteString(CheckoutRecordFile(iniFilePath), QString::number(fileKey),
                                    CheckoutKey, path);
}

bool DelCheckoutPath(const QString& iniFilePath, std::int64_t fileKey) {
    return platform::iniEraseSection(CheckoutRecordFile(iniFilePath), QString::number(fileKey));
}

QString ReadWorkPath(const QString& iniFilePath, std::int64_t folderId) {
    if (folderId <= 0) return {};
    return platform::iniReadString(WorkPathRecordFile(iniFilePath), QString::number(folderId),
                                   WorkPathKey);
}

bool WriteWorkPath(const QString& iniFilePath, std::int64_t folderId, const QString& path) {
    if (folderId <= 0) return false;
    return platform::iniWriteString(WorkPathRecordFile(iniFilePath), QString::number(folderId),
                                    WorkPathKey, path);
}

}  // namespace ov
