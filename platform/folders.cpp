#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/registry.h"

namespace ov::platform {
namespace {

QString withSlash(const QString& path) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) return path;
    return path + QLatin1Char('/');
}

// A user directory: the XDG_*_DIR variable when set, else what QStandardPaths finds in the
// user-dirs file (or its fallback below HOME).
QString userDir(const char* variable, QStandardPaths::StandardLocation location) {
    const QString fromEnv = qEnvironmentVariable(variable);
    if (!fromEnv.isEmpty() && QDir::isAbsolutePath(fromEnv)) return fromEnv;
    return QStandardPaths::writableLocation(location);
}

// QDir::tempPath() is empty when TMPDIR names no folder; the system's own one is used then.
QString tempFolder() {
    const QString temp = QDir::tempPath();
    return temp.isEmpty() ? QStringLiteral("/tmp") : temp;
}

QString configHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// Program and common files have no fixed place here; a value in the registry store names them.
QString programFilesValue(const QString& name) {
    const QString key = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    return Registry::readString(Hive::LocalMachine, key, name).value_or(QString());
}

QString commonFiles() {
    const QString w6432 = programFilesValue(QStringLiteral("CommonW6432Dir"));
    return w6432.isEmpty() ? programFilesValue(QStringLiteral("CommonFilesDir")) : w6432;
}

QString folderFor(int index) {
    switch (index) {
        case 0:
            return userDir("XDG_DESKTOP_DIR", QStandardPaths::DesktopLocation);
        case 2:
            return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        case 3:
            return configHome() + QStringLiteral("/autostart");
        case 4:
            return userDir("XDG_DOCUMENTS_DIR", QStandardPaths::DocumentsLocation);
        case 5:
            return configHome();
        case 6:
            return QStandardPaths::writableLocation(QStandardPaths::FontsLocation);
        case 10:
            return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        case 15:
            return userDir("XDG_TEMPLATES_DIR", QStandardPaths::TemplatesLocation);
        case 16:
            return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        case 19:
            return tempFolder();
        case 20:
            return QStringLiteral("/");
        case 21:
            return programFilesValue(QStringLiteral("ProgramFilesDir"));
        case 22:
            return commonFiles();
        default:
            return {};
    }
}

}  // namespace

QString specialFolder(int index) {
    return withSlash(QDir::cleanPath(folderFor(index)));
}

namespace {

// A folder of ours that others may enter is closed to them; a link or a folder of someone
// else is left as it is.
void tightenPrivateFolder(const QByteArray& path) {
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
    if (info.st_uid == ::getuid() && (info.st_mode & 077) != 0) ::chmod(path.constData(), 0700);
}

}  // namespace

bool makeFolder(const QString& path, bool privateMode) {
    if (path.isEmpty()) return false;
    const QString clean =
        QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    if (!QFileInfo(clean).isDir()) {
        // Create each missing level ourselves so that every folder we add gets the mode.
        const mode_t mode = privateMode ? 0700 : 0777;
        qsizetype from = 1;
        while (from <= clean.size()) {
            qsizetype slash = clean.indexOf(QLatin1Char('/'), from);
            if (slash < 0) slash = clean.size();
            const QByteArray level = QFile::encodeName(clean.left(slash));
            if (::mkdir(level.constData(), mode) != 0 && errno != EEXIST) return false;
            from = slash + 1;
        }
    }
    if (privateMode) tightenPrivateFolder(QFile::encodeName(clean));
    return QFileInfo(clean).isDir();
}

namespace {

// Our own folder that nobody else can enter: a real directory (no link), owned by us, mode 0700.
bool isPrivateFolder(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

}  // namespace

QString runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return withSlash(QDir::cleanPath(runtime));
    // The shared temporary folder may hold a folder of that name made by another user, or one
    // that was open to others for a while (it is not taken, nor narrowed: what others put in
    // meanwhile would stay).
    const QString inTemp =
        tempFolder() + QStringLiteral("/ov-runtime-%1/").arg(static_cast<qulonglong>(::getuid()));
    const bool usable = QFileInfo::exists(inTemp) ? isPrivateFolder(inTemp)
                                                  : makeFolder(inTemp, true) && isPrivateFolder(inTemp);
    if (usable) return inTemp;
    const QString inCache = specialFolder(10) + QStringLiteral("Ov/run/");
    makeFolder(inCache, true);
    return inCache;
}

}  // namespace ov::platform
