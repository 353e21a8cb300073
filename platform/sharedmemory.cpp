#include "platform/sharedmemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace ov::platform {

namespace {

// The object is the user's own, a regular object, and closed to everybody else.
bool isPrivate(int fd, qsizetype size, bool create) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid() ||
        (info.st_mode & 077) != 0)
        return false;
    if (info.st_size == size) return true;
    return create && ftruncate(fd, size) == 0;
}

}  // namespace

QString SharedMemory::objectName(const QString& name) {
    return QLatin1Char('/') + name + QLatin1Char('-') + QString::number(geteuid());
}

std::unique_ptr<SharedMemory> SharedMemory::map(const QString& name, qsizetype size, bool create) {
    if (size <= 0 || name.isEmpty() || name.contains(QLatin1Char('/'))) return nullptr;
    const QByteArray object = objectName(name).toUtf8();
    const int fd = shm_open(object.constData(), create ? O_RDWR | O_CREAT : O_RDONLY, 0600);
    if (fd < 0) return nullptr;
    void* memory = MAP_FAILED;
    if (isPrivate(fd, size, create))
        memory = mmap(nullptr, static_cast<size_t>(size),
                      create ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd, 0);
    close(fd);
    if (memory == MAP_FAILED) return nullptr;
    return std::unique_ptr<SharedMemory>(new SharedMemory(object, memory, size));
}

std::unique_ptr<SharedMemory> SharedMemory::create(const QString& name, qsizetype size) {
    return map(name, size, true);
}

std::unique_ptr<SharedMemory> SharedMemory::open(const QString& name, qsizetype size) {
    return map(name, size, false);
}

SharedMemory::~SharedMemory() {
    munmap(m_memory, static_cast<size_t>(m_size));
}

bool SharedMemory::write(const QByteArray& data) {
    std::memset(m_memory, 0, static_cast<size_t>(m_size));
    if (data.size() > m_size) return false;
    std::memcpy(m_memory, data.constData(), static_cast<size_t>(data.size()));
    return true;
}

QByteArray SharedMemory::read() const {
    return QByteArray(static_cast<const char*>(m_memory), m_size);
}

void SharedMemory::unlink() {
    shm_unlink(m_name.constData());
}

}  // namespace ov::platform
