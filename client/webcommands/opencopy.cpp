#include "client/webcommands/opencopy.h"

#include <QDir>
#include <QFile>

#include "client/webcommands/args.h"
#include "core/paths.h"
#include "platform/widgets/desktopopen.h"

using namespace Qt::StringLiterals;

namespace ov {

bool IsSafeCopyExt(const QString& ext) {
    return platform::isSafeToOpenExt(ext);
}

bool IsSafeCopyContent(const QString& path) {
    return platform::isSafeToOpenContent(path);
}

QString OpenCopyPath(const QString& folder, const QString& fileName) {
    const QString name = WebFileName(fileName);
    const QString ext = ExtractFileExtNoDot(name);
    if (ExtractFileTitle(name).isEmpty() || !IsSafeCopyExt(ext)) return {};
    return folder + ExtractFileTitle(name) + u"_dx."_s + ext;
}

void DeleteOldCopies(const QString& folder) {
    const QDir dir(folder);
    const QStringList copies =
        dir.entryList({u"*_dx.*"_s}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& copy : copies)
        QFile::remove(dir.filePath(copy));
}

bool OpenWithDesktop(const QString& path) {
    return platform::openWithDesktop(path);
}

}  // namespace ov
