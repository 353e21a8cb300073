#pragma once
// An exclusive lock between processes (and between threads), held on a lock file for as long as
// the object lives. The kernel drops it when its holder dies, so a crash leaves no stale lock.

#include <QString>

namespace ov::platform {

class FileLock {
public:
    // Waits at most `timeoutMs` for the lock; creates the lock file when missing.
    explicit FileLock(const QString& lockFileName, int timeoutMs = 10000);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isLocked() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_locked = false;
};

}  // namespace ov::platform
