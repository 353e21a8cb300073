#include "platform/atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace ov::platform {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// QSaveFile writes to a temporary file beside the target (beside the file a link names),
// flushes it on commit and renames it over the target.
bool writeShared(const QString& fileName, const QByteArray& content, QString* error) {
    QSaveFile file(fileName);
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
    if (!ok) {
        if (error) *error = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

// The mode of the new file: that of the regular file it replaces, else read and write for the
// owner alone.
mode_t modeFor(const QByteArray& name) {
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 0777;
    return 0600;
}

bool writeAll(int fd, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return ::fsync(fd) == 0;
}

// The temporary file is created new (never through a link) and renamed over the name itself,
// which replaces a link or a pipe rather than what it leads to.
bool writePrivate(const QString& fileName, const QByteArray& content, QString* error) {
    const QByteArray name = QFile::encodeName(fileName);
    const QFileInfo info(fileName);
    QByteArray temporary =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                          QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    bool ok = fd >= 0 && ::fchmod(fd, modeFor(name)) == 0 && writeAll(fd, content);
    int failure = ok ? 0 : errno;
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.constData(), name.constData()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok && fd >= 0) ::unlink(temporary.constData());
    if (!ok && error) *error = systemText(failure);
    return ok;
}

}  // namespace

bool writeFileAtomically(const QString& fileName, const QByteArray& content, QString* error,
                         FileKind kind) {
    return kind == FileKind::Shared ? writeShared(fileName, content, error)
                                    : writePrivate(fileName, content, error);
}

}  // namespace ov::platform
