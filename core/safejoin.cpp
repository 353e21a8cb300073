#include "core/safejoin.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool startsWithDrive(const QString& name) {
    return name.size() >= 2 && name[1] == u':' && name[0].isLetter() && name[0].unicode() < 128;
}

}  // namespace

bool IsSafeNamePart(const QString& part) {
    return !part.isEmpty() && part != u"."_s && part != u".."_s && !part.contains(QChar(0)) &&
           !part.contains(u'/') && !part.contains(u'\\');
}

QString SafeBaseName(const QString& name) {
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    QString result;
    for (const QChar c : name.mid(cut + 1))
        if (c.category() != QChar::Other_Control) result += c;
    return IsSafeNamePart(result) ? result : QString();
}

std::optional<QString> SafeRelativePath(const QString& serverName) {
    QString name = serverName;
    name.replace(u'\\', u'/');
    if (name.trimmed().isEmpty() || name.startsWith(u'/') || startsWithDrive(name))
        return std::nullopt;
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (!IsSafeNamePart(part)) return std::nullopt;
    if (parts.isEmpty()) return std::nullopt;
    return parts.join(u'/');
}

std::optional<QString> JoinBelow(const QString& folder, const QString& serverName) {
    if (folder.isEmpty()) return std::nullopt;
    const auto relative = SafeRelativePath(serverName);
    if (!relative) return std::nullopt;
    QString base = folder;
    base.replace(u'\\', u'/');
    if (!base.endsWith(u'/')) base += u'/';
    return base + *relative;
}

}  // namespace ov
