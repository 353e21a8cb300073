#include "documents/editing/editrecords.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString keyOf(std::int64_t fileKey) {
    return QString::number(fileKey) + u"/CheckoutPath"_s;
}


}  // namespace

bool AddCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey, const QString& localPath) {
    QSettings file(iniFilePath + u"checkout_record.ini"_s, QSettings::IniFormat);
    file.setValue(keyOf(fileKey), localPath);
    file.sync();
    return file.status() == QSettings::NoError;
}

bool DelCheckoutRecord(const QString& iniFilePath, std::int64_t fileKey) {
    QSettings file(iniFilePath + u"checkout_record.ini"_s, QSettings::IniFormat);
    file.remove(QString::number(fileKey));
    file.sync();
    return file.status() == QSettings::NoError;
}

QString CheckoutRecordOf(const QString& iniFilePath, std::int64_t fileKey) {
    QSettings file(iniFilePath + u"checkout_record.ini"_s, QSettings::IniFormat);
    return file.value(keyOf(fileKey)).toString();
}

}  // namespace ov
