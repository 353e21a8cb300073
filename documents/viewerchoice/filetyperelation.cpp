#include "documents/viewerchoice/filetyperelation.h"

#include <QFileInfo>
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
    // Only a whole file may be rewritten: a longer one than is read, or a folder in its place,
    // counts as unreadable.
    const QFileInfo info(relationFile(clientPath));
    if (info.exists() && (!info.isFile() || info.size() > kMaxTextFileSize)) return std::nullopt;
    try {
        return ReadTextFile(relationFile(clientPath));
    } catch (const FileError&) {
        return std::nullopt;
    }
}

int RememberedViewerStyle(const QString& relationText, const QString& ext) {
    const QList<int> styles = RememberedViewerStyles(relationText, ext);
    return styles.isEmpty() ? 0 : styles.first();
}

QList<int> RememberedViewerStyles(const QString& relationText, const QString& ext) {
    QList<int> styles;
    if (!CanRememberExtension(ext)) return styles;
    const QString open = u"["_s + ext + u"]"_s;
    const QString close = u"[/"_s + ext + u"]"_s;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = relationText.indexOf(open, from, Qt::CaseInsensitive);
        if (start < 0) break;
        const qsizetype valueStart = start + open.size();
        const qsizetype end = relationText.indexOf(close, valueStart, Qt::CaseInsensitive);
        if (end < 0) break;
        bool ok = false;
        const int style = TrimBlanks(relationText.mid(valueStart, end - valueStart)).toInt(&ok);
        if (ok && style >= 1 && style <= 4) styles.append(style);
        from = end + close.size();
    }
    return styles;
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
