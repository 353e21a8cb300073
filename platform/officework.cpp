#include "platform/officework.h"

#include "platform/officeprocess.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

QString templateIn(const QString& root) {
    const QString base = root.isEmpty() ? QDir::tempPath() : QDir::cleanPath(root);
    return base + u"/ov-office-XXXXXX"_s;
}

}  // namespace

OfficeWorkFolder::OfficeWorkFolder(const QString& root) : m_dir(templateIn(root)) {}

QString OfficeWorkFolder::profileUrl() const {
    return officeProfileUrl(path() + u"profile"_s);
}

}  // namespace ov::platform
