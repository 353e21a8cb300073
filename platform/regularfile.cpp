#include "platform/regularfile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ov::platform {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileRead failure(FileReadStatus status, const QString& error) {
    FileRead result;
    result.status = status;
    result.error = error;
    return result;
}

// Reads up to `count` bytes; false (errno set) on a read error.
bool readAll(int fd, QByteArray& bytes, qint64 count) {
    bytes.resize(count);
    qint64 filled = 0;
    while (filled < count) {
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(count - filled));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;  // the file shrank meanwhile
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

FileRead readOpen(int fd, qint64 maxSize) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return failure(FileReadStatus::Failed, systemText(errno));
    if (S_ISDIR(info.st_mode)) return failure(FileReadStatus::Folder, QStringLiteral("It is a folder."));
    if (!S_ISREG(info.st_mode))
        return failure(FileReadStatus::NotRegular, QStringLiteral("It is not a regular file."));
    // A regular file never blocks; reads go on normally.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FileRead result;
    result.size = info.st_size;
    if (!readAll(fd, result.bytes, std::clamp<qint64>(info.st_size, 0, maxSize)))
        return failure(FileReadStatus::Failed, systemText(errno));
    result.status = FileReadStatus::Ok;
    return result;
}

}  // namespace

FileRead readRegularFile(const QString& fileName, qint64 maxSize) {
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return failure(FileReadStatus::Missing, systemText(error));
        return failure(FileReadStatus::Failed, systemText(error));
    }
    FileRead result = readOpen(fd, maxSize);
    ::close(fd);
    return result;
}

}  // namespace ov::platform
