#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace ov::fuzz {

namespace {

int farEnd = -1;

// In memory where the system offers it: the targets that write a file per input (and the
// settings, which are synced to disk on every save) run many times faster there.
QString ScratchTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    if (QFileInfo(memory).isDir() && QFileInfo(memory).isWritable())
        return memory + QStringLiteral("/ovfuzz-XXXXXX");
    return QDir::tempPath() + QStringLiteral("/ovfuzz-XXXXXX");
}

}  // namespace

const QString& ScratchFolder() {
    static QTemporaryDir dir(ScratchTemplate());
    static const QString path = [] {
        const QString root = dir.path() + QStringLiteral("/");
        QDir().mkpath(root + QStringLiteral("data"));
        ::setenv("HOME", QFile::encodeName(root).constData(), 1);
        ::setenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("data")).constData(), 1);
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("config")).constData(),
                 1);
        return root;
    }();
    return path;
}

int SocketWithPeerBytes(const QByteArray& peer) {
    CloseFarEnd();
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) std::abort();
    // The inputs are small: they fit the socket's buffer at once.
    const int size = 1 << 20;
    ::setsockopt(pair[1], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    ::setsockopt(pair[0], SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    qsizetype sent = 0;
    while (sent < peer.size()) {
        const ssize_t n = ::send(pair[1], peer.constData() + sent, size_t(peer.size() - sent),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n <= 0) break;  // more than the buffer holds: the rest is cut off
        sent += n;
    }
    ::shutdown(pair[1], SHUT_WR);
    farEnd = pair[1];
    return pair[0];
}

void CloseFarEnd() {
    if (farEnd >= 0) ::close(farEnd);
    farEnd = -1;
}

}  // namespace ov::fuzz
