#include "client/filetyperelation.h"

#include <algorithm>

#include "core/errors.h"
#include "core/tagtext.h"
#include "core/textfile.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString relationFile(const QString& clientPath) {
    return clientPath + QString::fromUtf16(kFileTypeRelationFile);
}

}  // namespace

std::optional<QString> ReadFileTypeRelation(const QString& clientPath) {
    try {
        return ReadTextFile(relationFile(clientPath));
    } catch (const FileError&) {
        return std::nullopt;
    }
}

int RememberedViewerStyle(const QString& relationText, const QString& ext) {
    if (!CanRememberExtension(ext)) return 0;
    bool ok = false;
    const int style = ReadTagValue(relationText, ext).toInt(&ok);
    return ok && style >= 1 && style <= 4 ? style : 0;
}

bool CanRememberExtension(const QString& ext) {
    // The tag format has no escaping: brackets, a slash or control characters in the name
    // would end or split the entry.
    return !ext.isEmpty() && ext.size() <= 32 && std::none_of(ext.begin(), ext.end(), [](QChar c) {
        return c.unicode() <= 32 || c == u'[' || c == u']' || c == u'/';
    });
}

bool AppendFileTypeRelation(const QString& clientPath, const QString& relationText,
                            const QString& ext, int style) {
    if (!CanRememberExtension(ext)) return false;
    const QString entry =
        u"["_s + ext + u"]"_s + QString::number(style) + u"[/"_s + ext + u"]\r\n"_s;
    try {
        SaveUnicodeText(relationFile(clientPath), relationText + entry);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace ov
