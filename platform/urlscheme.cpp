#include "platform/urlscheme.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "platform/atomicfile.h"
#include "platform/desktopentry.h"
#include "platform/folders.h"
#include "platform/registry.h"
#include "platform/regularfile.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

constexpr qint64 kMaxMimeAppsSize = 1024 * 1024;
constexpr int kXdgMimeTimeoutMs = 15000;

bool writeKey(const QString& key, const QString& name, const QString& value) {
    // A value is written only into a key that could be created.
    return Registry::createKey(Hive::ClassesRoot, key) &&
           Registry::writeString(Hive::ClassesRoot, key, name, value);
}

bool writeRegistryKeys(const QString& scheme, const QString& description, const QString& program) {
    const QString open = scheme + u"\\shell\\open"_s;
    bool ok = writeKey(scheme, {}, description);
    ok = writeKey(scheme, u"URL Protocol"_s, {}) && ok;
    ok = writeKey(scheme + u"\\DefaultIcon"_s, {}, program + u",1"_s) && ok;
    ok = writeKey(scheme + u"\\shell"_s, {}, {}) && ok;
    ok = writeKey(open, {}, {}) && ok;
    return writeKey(open + u"\\command"_s, {}, u"\""_s + program + u"\" \"%1\""_s) && ok;
}

QString applicationsFolder() {
    return specialFolder(16) + u"applications/"_s;
}

bool runXdgMimeDefault(const QString& desktopId, const QString& mimeType) {
    const QString tool = QStandardPaths::findExecutable(u"xdg-mime"_s);
    if (tool.isEmpty()) return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, {u"default"_s, desktopId, mimeType});
    if (!process.waitForFinished(kXdgMimeTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Sets key=value in the group, adding the group or the line where missing.
void setGroupValue(QStringList& lines, const QString& group, const QString& key,
                   const QString& value) {
    const QString header = u"["_s + group + u"]"_s;
    qsizetype at = lines.indexOf(header);
    if (at < 0) {
        if (!lines.isEmpty() && !lines.last().isEmpty()) lines << QString();
        lines << header << key + u'=' + value;
        return;
    }
    qsizetype end = at + 1;
    while (end < lines.size() && !lines[end].startsWith(u'[')) {
        if (lines[end].section(u'=', 0, 0).trimmed() == key) {
            lines[end] = key + u'=' + value;
            return;
        }
        ++end;
    }
    while (end > at + 1 && lines[end - 1].trimmed().isEmpty())
        --end;
    lines.insert(end, key + u'=' + value);
}

}  // namespace

QString schemeDesktopId(const QString& scheme) {
    return scheme.toLower() + u".desktop"_s;
}

bool writeDefaultHandler(const QString& mimeType, const QString& desktopId) {
    const QString folder = specialFolder(5);
    if (folder.isEmpty() || !makeFolder(folder)) return false;
    const QString fileName = folder + u"mimeapps.list"_s;
    QStringList lines;
    const FileRead read = readRegularFile(fileName, kMaxMimeAppsSize);
    if (read.status != FileReadStatus::Missing) {
        // A file we cannot read whole is left alone rather than replaced by a cut-down copy.
        if (read.status != FileReadStatus::Ok || read.size > kMaxMimeAppsSize) return false;
        lines = QString::fromUtf8(read.bytes).split(u'\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    }
    setGroupValue(lines, u"Default Applications"_s, mimeType, desktopId + u';');
    setGroupValue(lines, u"Added Associations"_s, mimeType, desktopId + u';');
    return writeFileAtomically(fileName, (lines.join(u'\n') + u'\n').toUtf8(), nullptr,
                               FileKind::Shared);
}

UrlSchemeResult registerUrlScheme(const QString& scheme, const QString& description,
                                  const QString& programPath) {
    UrlSchemeResult result;
    if (scheme.isEmpty() || programPath.isEmpty()) return result;
    result.registryKeys = writeRegistryKeys(scheme, description, programPath);
    const QString desktopId = schemeDesktopId(scheme);
    const QString mimeType = u"x-scheme-handler/"_s + scheme.toLower();
    DesktopEntry entry;
    entry.name = scheme;
    entry.comment = description;
    entry.program = programPath;
    entry.fieldCode = u"%u"_s;
    entry.mimeTypes = {mimeType};
    entry.noDisplay = true;
    result.desktopEntry = writeDesktopEntry(applicationsFolder() + desktopId, entry, false);
    if (result.desktopEntry) {
        result.defaultHandler =
            runXdgMimeDefault(desktopId, mimeType) || writeDefaultHandler(mimeType, desktopId);
    }
    return result;
}

}  // namespace ov::platform
