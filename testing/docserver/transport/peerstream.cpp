#include "testing/docserver/transport/peerstream.h"
#include "testing/docserver/transport/socket.h"

#include <openssl/err.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ov::test {

using Kind = PeerError::Kind;

HeldSigPipe::HeldSigPipe() {
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    m_pendingBefore = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
}

HeldSigPipe::~HeldSigPipe() {
    sigset_t pending;
    sigpending(&pending);
    if (!m_pendingBefore && sigismember(&pending, SIGPIPE) == 1) {
        const timespec now{0, 0};
        while (sigtimedwait(&m_pipe, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
}

namespace {

[[noreturn]] void failErrno(int error) {
    if (error == EPIPE || error == ECONNRESET || error == ENOTCONN)
        throw PeerError(Kind::Closed, QStringLiteral("The client closed the connection."));
    throw PeerError(Kind::Other, QString::fromLocal8Bit(std::strerror(error)));
}

// Waits until the socket is ready for `events`, at most `timeoutMs`.
void await(int fd, short events, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, int(std::max<long long>(0, left.count())));
        if (r > 0) return;
        if (r == 0) throw PeerError(Kind::TimeOut, QStringLiteral("The client is silent."));
        if (errno != EINTR) failErrno(errno);
    }
}

// After an OpenSSL call that returned `result`: waits as it asks, or raises.
void awaitTls(SSL* ssl, int fd, int result, int timeoutMs) {
    switch (SSL_get_error(ssl, result)) {
        case SSL_ERROR_WANT_READ:
            return await(fd, POLLIN, timeoutMs);
        case SSL_ERROR_WANT_WRITE:
            return await(fd, POLLOUT, timeoutMs);
        case SSL_ERROR_ZERO_RETURN:
            throw PeerError(Kind::Closed, QStringLiteral("The client closed the connection."));
        case SSL_ERROR_SYSCALL:
            if (errno == 0) throw PeerError(Kind::Closed, QStringLiteral("The client is gone."));
            failErrno(errno);
        default:
            throw PeerError(Kind::Tls, tlsErrorText());
    }
}

qint64 plainRead(int fd, char* out, qint64 max, int timeoutMs) {
    for (;;) {
        const ssize_t r = ::recv(fd, out, size_t(max), 0);
        if (r > 0) return r;
        if (r == 0) throw PeerError(Kind::Closed, QStringLiteral("The client closed the connection."));
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            await(fd, POLLIN, timeoutMs);
        else if (errno != EINTR)
            failErrno(errno);
    }
}

qint64 plainWrite(int fd, const char* data, qint64 size, int timeoutMs) {
    for (;;) {
        const ssize_t r = ::send(fd, data, size_t(size), MSG_NOSIGNAL);
        if (r >= 0) return r;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            await(fd, POLLOUT, timeoutMs);
        else if (errno != EINTR)
            failErrno(errno);
    }
}

// One OpenSSL call (read, write or handshake), repeated while it waits for the socket.
template <typename Call>
int tlsCall(SSL* ssl, int fd, int timeoutMs, Call&& call) {
    for (;;) {
        ERR_clear_error();
        errno = 0;
        int r = 0;
        {
            HeldSigPipe held;
            r = call();
        }
        if (r > 0) return r;
        awaitTls(ssl, fd, r, timeoutMs);
    }
}

int chunk(qint64 size) {
    return int(std::min<qint64>(size, 1 << 30));
}

}  // namespace

PeerStream::PeerStream() : m_socket(std::make_unique<Socket>()) {}

PeerStream::~PeerStream() {
    close();
}

void PeerStream::adopt(int socketFd, const TlsIdentity* tls) {
    close();
    Socket& s = *m_socket;
    s.fd = socketFd;
    const int on = 1;
    ::setsockopt(socketFd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::fcntl(socketFd, F_SETFL, ::fcntl(socketFd, F_GETFL) | O_NONBLOCK);
    if (!tls) return;
    s.ssl = SSL_new(tls->context().ctx.get());
    if (!s.ssl) throw PeerError(Kind::Tls, tlsErrorText());
    SSL_set_fd(s.ssl, socketFd);
    try {
        tlsCall(s.ssl, s.fd, m_timeoutMs, [&] { return SSL_accept(s.ssl); });
    } catch (const PeerError& e) {
        if (e.kind() == Kind::Closed) throw PeerError(Kind::Tls, QStringLiteral("No handshake."));
        throw;
    }
}

void PeerStream::close() noexcept {
    Socket& s = *m_socket;
    if (s.ssl) {
        HeldSigPipe held;
        if (SSL_is_init_finished(s.ssl)) SSL_shutdown(s.ssl);
        SSL_free(s.ssl);
        s.ssl = nullptr;
        ERR_clear_error();
    }
    if (s.fd >= 0) ::close(s.fd);
    s.fd = -1;
    s.pos = s.end = 0;
}

bool PeerStream::isTls() const noexcept {
    return m_socket->ssl != nullptr;
}

void PeerStream::write(const char* data, qint64 size) {
    Socket& s = *m_socket;
    if (s.fd < 0) throw PeerError(Kind::Closed, QStringLiteral("The connection is closed."));
    while (size > 0) {
        const qint64 n =
            s.ssl ? tlsCall(s.ssl, s.fd, m_timeoutMs,
                            [&] { return SSL_write(s.ssl, data, chunk(size)); })
                  : plainWrite(s.fd, data, size, m_timeoutMs);
        data += n;
        size -= n;
    }
}

qint64 PeerStream::readSome(char* buffer, qint64 maxSize) {
    Socket& s = *m_socket;
    if (s.fd < 0) throw PeerError(Kind::Closed, QStringLiteral("The connection is closed."));
    if (maxSize <= 0) return 0;
    if (s.pos == s.end) {
        // Large reads go straight into the caller's buffer; small ones fill ours.
        char* into = maxSize >= Socket::BufferSize ? buffer : s.buffer;
        const qint64 room = into == buffer ? maxSize : Socket::BufferSize;
        const qint64 n =
            s.ssl ? tlsCall(s.ssl, s.fd, m_timeoutMs,
                            [&] { return SSL_read(s.ssl, into, chunk(room)); })
                  : plainRead(s.fd, into, room, m_timeoutMs);
        if (into == buffer) return n;
        s.pos = 0;
        s.end = int(n);
    }
    const qint64 n = std::min<qint64>(maxSize, s.end - s.pos);
    std::memcpy(buffer, s.buffer + s.pos, size_t(n));
    s.pos += int(n);
    return n;
}

void PeerStream::readExact(char* buffer, qint64 size) {
    while (size > 0) {
        const qint64 n = readSome(buffer, size);
        buffer += n;
        size -= n;
    }
}

}  // namespace ov::test
