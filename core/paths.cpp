#include "core/paths.h"

#include <QDir>
#include <QFileInfo>
#include <mutex>

#include "platform/folders.h"
#include "platform/registry.h"
#include "platform/sysinfo.h"

namespace ov {

namespace {

// The programs whose folder is the document server's installation folder, in search order.
const char16_t* const kServerPrograms[] = {u"QuexInetsrv.exe", u"Kelvo.exe", u"wynAux.exe"};

struct ServerPathCache {
    std::mutex lock;
    QString installPath;
    QString dataRoot;
};

ServerPathCache& serverPathCache() {
    static ServerPathCache cache;
    return cache;
}

QString withSlashes(const QString& path) {
    QString result = path;
    return result.replace(u'\\', u'/');
}

QString withTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/')) return folder;
    return folder + u'/';
}

bool isFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

qsizetype lastSeparator(const QString& path, qsizetype before) {
    for (qsizetype i = before - 1; i >= 0; --i) {
        if (path.at(i) == u'/' || path.at(i) == u'\\') return i;
    }
    return -1;
}

QString fileNamePart(const QString& path) {
    return path.mid(lastSeparator(path, path.size()) + 1);
}

// A private folder below Local AppData, or the module folder when there is none. Every level
// of it below Local AppData is ours and private.
QString privateDataFolder(const QString& relative) {
    const QString base = GetSpecialFolder(16);
    if (base.isEmpty()) return GetModulePath();
    for (qsizetype slash = relative.indexOf(u'/'); slash >= 0;
         slash = relative.indexOf(u'/', slash + 1))
        platform::makeFolder(base + relative.left(slash + 1), /*privateMode=*/true);
    return base + relative;
}

}  // namespace

QString GetModulePath() {
    return withTrailingSlash(platform::modulePath());
}

QString GetSpecialFolder(int index) {
    if (index < 0 || index > 22) return {};
    return withTrailingSlash(platform::specialFolder(index));
}

QString GetPersonalPath() {
    const QString folder = GetSpecialFolder(4);
    return folder.isEmpty() ? GetModulePath() : folder;
}

QString GetLocalTempPath() {
    return privateDataFolder(QStringLiteral("Ov/Temp/"));
}

QString GetUserDataPath() {
    return privateDataFolder(QStringLiteral("Ov/"));
}

QString GetSystemPath() {
    return GetSpecialFolder(18);
}

QString GetClientPath() {
    using platform::Hive;
    using platform::Registry;
    QString icon =
        Registry::readString(Hive::ClassesRoot, QStringLiteral("\\OvClient\\DefaultIcon"))
            .value_or(QString());
    const qsizetype comma = icon.indexOf(u',');
    if (comma >= 0) icon.truncate(comma);
    QString folder = withSlashes(icon.left(lastSeparator(icon, icon.size()) + 1));
    if (folder.isEmpty()) folder = GetModulePath();
    ForceFolder(folder, /*isFolder=*/true);
    return folder;
}

QString FindServerInstallPath(const QString& startFolder) {
    for (QString folder = withTrailingSlash(withSlashes(startFolder)); !folder.isEmpty();
         folder = ExtractParentPath(folder)) {
        for (const char16_t* program : kServerPrograms) {
            if (isFile(folder + QString::fromUtf16(program))) return folder;
        }
    }
    return {};
}

QString GetServerInstallPath() {
    ServerPathCache& cache = serverPathCache();
    const std::lock_guard guard(cache.lock);
    if (cache.installPath.isEmpty()) cache.installPath = FindServerInstallPath(GetModulePath());
    return cache.installPath;
}

QString GetServerDataRoot() {
    const QString installPath = GetServerInstallPath();
    ServerPathCache& cache = serverPathCache();
    const std::lock_guard guard(cache.lock);
    if (cache.dataRoot.isEmpty()) cache.dataRoot = ExtractParentPath(installPath);
    return cache.dataRoot;
}

void ClearServerPathCaches() {
    ServerPathCache& cache = serverPathCache();
    const std::lock_guard guard(cache.lock);
    cache.installPath.clear();
    cache.dataRoot.clear();
}

QString ExtractParentPath(const QString& path) {
    const qsizetype at = lastSeparator(path, path.size() - 1);
    return at < 0 ? QString() : path.left(at + 1);
}

bool ForceFolder(const QString& path, bool isFolder) {
    if (path.isEmpty()) return false;
    QString folder = withSlashes(path);
    const qsizetype slash = folder.lastIndexOf(u'/');
    // Without the caller's word, a dotted last name is read as a file name.
    if (!isFolder && slash >= 0 && folder.mid(slash + 1).contains(u'.')) folder.truncate(slash + 1);
    if (QFileInfo(folder).isDir()) return true;
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

QString ExtractFileTitle(const QString& fileName) {
    // Only a dot in the last name starts the extension, so "/a/v1.2/readme" gives "readme".
    const QString name = fileNamePart(fileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString ExtractFileExtNoDot(const QString& fileName) {
    const QString name = fileNamePart(fileName);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return {};
    const QString ext = name.mid(dot);
    return ext.size() > 1 ? ext.mid(1) : ext;
}

}  // namespace ov
