#include "platform/officework.h"

#include "platform/officeprocess.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The shared module's text: the file is both valid Python and, included here, one raw string
// literal.
constexpr char kCommonScript[] =
#include "resources/office/officecommon.py"
    ;

bool writeFile(const QString& fileName, std::string_view text) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) &&
           file.write(text.data(), qint64(text.size())) == qint64(text.size());
}

QString templateIn(const QString& root) {
    const QString base = root.isEmpty() ? QDir::tempPath() : QDir::cleanPath(root);
    return base + u"/ov-office-XXXXXX"_s;
}

}  // namespace

OfficeWorkFolder::OfficeWorkFolder(const QString& root) : m_dir(templateIn(root)) {}

QString OfficeWorkFolder::profileUrl() const {
    return officeProfileUrl(path() + u"profile"_s);
}

bool OfficeWorkFolder::writeScript(const QString& name, std::string_view text) const {
    return isValid() && writeFile(path() + u"officecommon.py"_s, kCommonScript) &&
           writeFile(path() + name, text);
}

}  // namespace ov::platform
