#include "client/desktop/shortcut.h"

#include <QDir>
#include <QFileInfo>

#include "platform/desktopentry.h"
#include "platform/folders.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The folder the shortcut goes into, ending with "/"; "" when it cannot be used.
QString shortcutFolder(const QString& folder, int specialFolder) {
    if (folder.isEmpty() && specialFolder == -1) specialFolder = 0;
    if (specialFolder >= 0) {
        const QString path = platform::specialFolder(specialFolder);
        return path.isEmpty() || !platform::makeFolder(path) ? QString() : path;
    }
    QString path = folder;
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return QFileInfo(path).isDir() ? path + u'/' : QString();
}

}  // namespace

bool CreateShortcut(const QString& path, const QString& name, const QString& folder,
                    int specialFolder) {
    const QFileInfo program(path);
    if (!program.isFile()) return false;
    const QString linkName = name.isEmpty() ? program.completeBaseName() : name;
    // The name becomes a file name: it must not lead out of the folder.
    if (linkName.contains(u'/') || linkName == u".."_s) return false;
    const QString target = shortcutFolder(folder, specialFolder);
    if (target.isEmpty()) return false;
    platform::DesktopEntry entry;
    entry.name = linkName;
    entry.program = program.absoluteFilePath();
    entry.workingFolder = program.absolutePath();
    return platform::writeShortcut(target + linkName + u".desktop"_s, entry);
}

}  // namespace ov
