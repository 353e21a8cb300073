#include "platform/desktopentry.h"

#include <QFile>
#include <QFileInfo>

#include "platform/atomicfile.h"
#include "platform/folders.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

bool hasControl(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 32 || c.unicode() == 127) return true;
    }
    return false;
}

// Quoting of one Exec word: words with reserved characters go between double quotes, with
// '"', '`', '$' and '\' escaped by a backslash inside.
QString quoteExecWord(const QString& word) {
    static const QString reserved = u" \t\"'\\><~|&;$*?#()`"_s;
    bool needsQuotes = word.isEmpty();
    for (const QChar c : word)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString text = word;
    text.replace(u"%"_s, u"%%"_s);
    if (!needsQuotes) return text;
    QString quoted = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

// A string value: backslash, tab, CR and LF escaped.
QString escapeValue(const QString& value) {
    QString text;
    for (const QChar c : value) {
        if (c == u'\\')
            text += u"\\\\"_s;
        else if (c == u'\n')
            text += u"\\n"_s;
        else if (c == u'\r')
            text += u"\\r"_s;
        else if (c == u'\t')
            text += u"\\t"_s;
        else if (c.unicode() >= 32)
            text += c;
    }
    return text;
}

bool plainFileName(const QString& id) {
    return !id.isEmpty() && !id.contains(u'/') && id != u"."_s && id != u".."_s && !hasControl(id);
}

}  // namespace

QString desktopExecLine(const DesktopEntry& entry) {
    if (entry.program.isEmpty() || hasControl(entry.program)) return {};
    QStringList words{quoteExecWord(entry.program)};
    for (const QString& argument : entry.arguments) {
        if (hasControl(argument)) return {};
        words << quoteExecWord(argument);
    }
    if (!entry.fieldCode.isEmpty()) words << entry.fieldCode;
    return words.join(u' ');
}

QByteArray desktopEntryText(const DesktopEntry& entry) {
    const QString exec = desktopExecLine(entry);
    if (exec.isEmpty()) return {};
    QString text = u"[Desktop Entry]\nType=Application\nVersion=1.0\n"_s;
    text += u"Name="_s + escapeValue(entry.name) + u'\n';
    if (!entry.comment.isEmpty()) text += u"Comment="_s + escapeValue(entry.comment) + u'\n';
    // The Exec value is a string too: its backslashes are escaped once more.
    text += u"Exec="_s + escapeValue(exec) + u'\n';
    if (!entry.icon.isEmpty()) text += u"Icon="_s + escapeValue(entry.icon) + u'\n';
    if (!entry.workingFolder.isEmpty())
        text += u"Path="_s + escapeValue(entry.workingFolder) + u'\n';
    if (!entry.mimeTypes.isEmpty())
        text += u"MimeType="_s + escapeValue(entry.mimeTypes.join(u';')) + u";\n"_s;
    text += u"Terminal=false\n"_s;
    if (entry.noDisplay) text += u"NoDisplay=true\n"_s;
    return text.toUtf8();
}

bool writeDesktopEntry(const QString& fileName, const DesktopEntry& entry, bool executable) {
    const QByteArray text = desktopEntryText(entry);
    if (text.isEmpty() || !makeFolder(QFileInfo(fileName).absolutePath())) return false;
    if (!writeFileAtomically(fileName, text, nullptr, FileKind::Shared)) return false;
    QFile::Permissions mode =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (executable) mode |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    return QFile::setPermissions(fileName, mode);
}

QString autostartEntryFile(const QString& id) {
    const QString folder = specialFolder(3);
    if (!plainFileName(id) || folder.isEmpty()) return {};
    return folder + id + u".desktop"_s;
}

bool setAutostartEntry(const QString& id, const DesktopEntry& entry, bool enabled) {
    const QString fileName = autostartEntryFile(id);
    if (fileName.isEmpty()) return false;
    if (enabled) return writeDesktopEntry(fileName, entry, false);
    return !QFile::exists(fileName) || QFile::remove(fileName);
}

bool writeShortcut(const QString& linkFile, const DesktopEntry& entry) {
    if (linkFile.isEmpty() || !QFileInfo(entry.program).isFile()) return false;
    QString fileName = linkFile;
    if (!fileName.endsWith(u".desktop"_s)) fileName += u".desktop"_s;
    return writeDesktopEntry(fileName, entry, true);
}

}  // namespace ov::platform
