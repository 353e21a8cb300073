#include "platform/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>

namespace ov::platform {

FileLock::FileLock(const QString& lockFileName, int timeoutMs) {
    const QByteArray name = QFile::encodeName(lockFileName);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0) return;
    // flock on our own open file also excludes other threads of this process.
    const QDeadlineTimer deadline(timeoutMs);
    int pauseMs = 1;
    while (!m_locked) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_locked = true;
        } else if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
            return;
        } else {
            QThread::msleep(static_cast<unsigned long>(pauseMs));
            pauseMs = std::min(pauseMs * 2, 20);
        }
    }
}

FileLock::~FileLock() {
    if (m_fd < 0) return;
    if (m_locked) ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
}

}  // namespace ov::platform
