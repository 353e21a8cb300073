#include "platform/mime/attachmentfile.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// Longest name kept, in characters (file systems allow 255 bytes).
constexpr qsizetype kMaxName = 120;
// Numbers tried for a name that is taken.
constexpr int kMaxNumber = 999;

QString lastComponent(const QString& name) {
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return name.mid(slash + 1);
}

QString withoutControls(const QString& name) {
    QString kept;
    for (QChar c : name) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) kept += c;
    }
    return kept.trimmed();
}

// "a.txt" numbered 2 is "a (2).txt"; a name without extension gets the number at its end.
QString numbered(const QString& name, int number) {
    if (number == 1) return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype at = dot > 0 ? dot : name.size();
    return name.left(at) + u" (%1)"_s.arg(number) + name.mid(at);
}

QString shortened(const QString& name) {
    if (name.size() <= kMaxName) return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString ext = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
    return name.left(kMaxName - ext.size()) + ext;
}

}  // namespace

QString attachmentFileName(const QString& nameInMail) {
    const QString name = shortened(withoutControls(lastComponent(nameInMail)));
    if (name.isEmpty() || name == u"."_s || name == u".."_s) return {};
    return name;
}

QString saveAttachment(const QString& folder, const QString& nameInMail, const QByteArray& data,
                       QString* error) {
    const QString name = attachmentFileName(nameInMail);
    if (name.isEmpty()) {
        if (error) *error = u"the attachment's name cannot be used: "_s + nameInMail;
        return {};
    }
    for (int number = 1; number <= kMaxNumber; ++number) {
        QFile file(folder + numbered(name, number));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFile::ReadOwner | QFile::WriteOwner)) {
            const QFileInfo taken(file.fileName());
            if (taken.exists() || taken.isSymLink()) continue;  // try the next number
            if (error) *error = file.errorString();
            return {};
        }
        if (file.write(data) == data.size() && file.flush()) return file.fileName();
        if (error) *error = file.errorString();
        file.remove();
        return {};
    }
    if (error) *error = u"no free name for the attachment in "_s + folder;
    return {};
}

}  // namespace ov::platform
