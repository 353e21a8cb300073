#include "platform/tempfiles.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/folders.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

constexpr int kMaxTries = 10000;

// A name part must stay one name in the folder.
bool isPlainNamePart(const QString& part) {
    return !part.contains(u'/') && !part.contains(QChar(u'\0')) && !part.contains(u".."_s);
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// Creates the file only when no file of that name exists; errno tells why when it fails.
bool createExclusively(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::fchmod(fd, 0600);  // whatever the umask says
    ::close(fd);
    return true;
}

QString candidate(const QString& folder, const QString& stem, const QString& suffix, int n) {
    if (n == 1) return folder + stem + suffix;
    return folder + stem + u'_' + QString::number(n) + suffix;
}

}  // namespace

QString previewTimeStamp(const QDateTime& when) {
    return when.toString(u"yyMMddHHmmss"_s) + QString::number(when.time().msec());
}

std::optional<QString> createUniqueFile(const QString& folder, const QString& stem,
                                        const QString& suffix) {
    if (folder.isEmpty() || stem.isEmpty()) return std::nullopt;
    if (!isPlainNamePart(stem) || !isPlainNamePart(suffix)) return std::nullopt;
    const QString base = withSlash(folder);
    if (!makeFolder(base, true)) return std::nullopt;
    for (int n = 1; n <= kMaxTries; ++n) {
        const QString path = candidate(base, stem, suffix, n);
        if (createExclusively(path)) return path;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> createPreviewFile(const QString& folder, const QString& extension,
                                         const QDateTime& when) {
    const QString suffix = extension.isEmpty() ? QString() : u'.' + extension;
    return createUniqueFile(folder, previewTimeStamp(when), suffix);
}

}  // namespace ov::platform
