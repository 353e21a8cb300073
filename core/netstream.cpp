#include "core/netstream.h"

#include "core/certpins.h"

#include <QFile>
#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QUrl>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

namespace ov {

namespace {

using Kind = NetError::Kind;
using Clock = std::chrono::steady_clock;

constexpr int BufferSize = 16384;

[[noreturn]] void fail(Kind kind, const QString& message) {
    throw NetError(kind, message);
}

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString openSslText() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return QStringLiteral("TLS failure");
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return QString::fromLatin1(text);
}

[[noreturn]] void failErrno(int error) {
    switch (error) {
        case ECONNRESET:
        case EPIPE:
        case ENOTCONN:
            fail(Kind::Closed, QStringLiteral("Connection closed by the peer."));
        case ECONNREFUSED:
            fail(Kind::Refused, QStringLiteral("Connection refused."));
        case ETIMEDOUT:
            fail(Kind::TimeOut, QStringLiteral("Connection timed out."));
        default:
            fail(Kind::Other, QStringLiteral("Socket error: %1").arg(systemText(error)));
    }
}

thread_local const std::atomic<bool>* t_abortFlag = nullptr;
constexpr long long AbortPollSliceMs = 50;

// Waits until the socket is ready for `events`; raises TimeOut after `timeoutMs`, and Closed
// as soon as the thread's abort flag is set.
void waitFor(int fd, short events, int timeoutMs, const QString& what) {
    pollfd p{fd, events, 0};
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (t_abortFlag && t_abortFlag->load())
            fail(Kind::Closed, QStringLiteral("%1 cancelled.").arg(what));
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        long long wait = std::max<long long>(0, left.count());
        if (t_abortFlag) wait = std::min(wait, AbortPollSliceMs);
        const int r = ::poll(&p, 1, int(wait));
        if (r > 0) return;
        if (r == 0 && Clock::now() >= deadline)
            fail(Kind::TimeOut, QStringLiteral("%1 timed out.").arg(what));
        if (r < 0 && errno != EINTR) failErrno(errno);
    }
}

void setSocketOptions(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// OpenSSL writes with write(2), which raises SIGPIPE on a closed socket. The signal is blocked
// on this thread while OpenSSL writes, and a SIGPIPE raised meanwhile is taken off again.
class SigPipeGuard {
public:
    SigPipeGuard() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_old);
    }
    ~SigPipeGuard() {
        sigset_t pending;
        sigpending(&pending);
        if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
            const timespec zero{0, 0};
            while (sigtimedwait(&m_pipe, nullptr, &zero) == -1 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    SigPipeGuard(const SigPipeGuard&) = delete;
    SigPipeGuard& operator=(const SigPipeGuard&) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_old;
    bool m_wasPending = false;
};

struct CtxDeleter {
    void operator()(SSL_CTX* ctx) const { SSL_CTX_free(ctx); }
};
using CtxPtr = std::shared_ptr<SSL_CTX>;

CtxPtr newContext(const SSL_METHOD* method) {
    OPENSSL_init_ssl(0, nullptr);
    CtxPtr ctx(SSL_CTX_new(method), CtxDeleter());
    if (!ctx) fail(Kind::Tls, openSslText());
    SSL_CTX_set_min_proto_version(ctx.get(), TLS1_2_VERSION);
    SSL_CTX_set_options(ctx.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
    return ctx;
}

// The client context for the current trust store, made once and shared by all connections.
CtxPtr clientContext() {
    static QMutex mutex;
    static CtxPtr cached;
    static QString cachedCaFile;
    const QString caFile = trustedCaFile();
    QMutexLocker lock(&mutex);
    if (cached && cachedCaFile == caFile) return cached;
    CtxPtr ctx = newContext(TLS_client_method());
    // The chain is checked during the handshake but judged afterwards, so that a certificate
    // the store does not know can still be accepted by its pin.
    SSL_CTX_set_verify(ctx.get(), SSL_VERIFY_NONE, nullptr);
    const bool loaded = caFile.isEmpty()
                            ? SSL_CTX_set_default_verify_paths(ctx.get()) == 1
                            : SSL_CTX_load_verify_locations(
                                  ctx.get(), QFile::encodeName(caFile).constData(), nullptr) == 1;
    if (!loaded) ERR_clear_error();  // an empty store only means nothing is system-trusted
    cached = ctx;
    cachedCaFile = caFile;
    return ctx;
}

bool isIpAddress(const QString& host) {
    QHostAddress address;
    return address.setAddress(host);
}

// The overall limit of a request and the minimum rate of a transfer, checked before every wait
// and after every read or write of the socket.
class Pace {
public:
    void start(const TransferLimits& limits) {
        m_on = true;
        m_limits = limits;
        const auto now = Clock::now();
        m_deadline = limits.requestMs > 0 ? now + std::chrono::milliseconds(limits.requestMs)
                                          : Clock::time_point::max();
        restartWindow(now);
    }
    void stop() noexcept { m_on = false; }
    void endRequest() noexcept { m_deadline = Clock::time_point::max(); }
    void moved(qint64 bytes) noexcept { m_windowBytes += bytes; }
    void check();
    // When check() has something to decide next.
    Clock::time_point nextCheck() const;

private:
    void restartWindow(Clock::time_point now) {
        m_windowStart = now;
        m_windowBytes = 0;
    }
    bool rateWatched() const { return m_limits.minBytes > 0 && m_limits.windowMs > 0; }

    bool m_on = false;
    TransferLimits m_limits;
    Clock::time_point m_deadline = Clock::time_point::max();
    Clock::time_point m_windowStart;
    qint64 m_windowBytes = 0;
};

void Pace::check() {
    if (!m_on) return;
    const auto now = Clock::now();
    if (now >= m_deadline)
        fail(Kind::TimeOut,
             QStringLiteral("The request took longer than %1 ms.").arg(m_limits.requestMs));
    if (!rateWatched() || now - m_windowStart < std::chrono::milliseconds(m_limits.windowMs))
        return;
    if (m_windowBytes < m_limits.minBytes)
        fail(Kind::TimeOut, QStringLiteral("Fewer than %1 bytes moved in %2 ms.")
                                .arg(m_limits.minBytes)
                                .arg(m_limits.windowMs));
    restartWindow(now);
}

Clock::time_point Pace::nextCheck() const {
    if (!m_on) return Clock::time_point::max();
    if (!rateWatched()) return m_deadline;
    return std::min(m_deadline, m_windowStart + std::chrono::milliseconds(m_limits.windowMs));
}

}  // namespace

void SetThreadAbortFlag(const std::atomic<bool>* flag) {
    t_abortFlag = flag;
}

struct TlsServerCredentials::Impl {
    CtxPtr ctx;
};

struct NetStream::Impl {
    int fd = -1;
    SSL* ssl = nullptr;
    CtxPtr ctx;
    QByteArray peerSha256;
    char buffer[BufferSize];
    int bufferPos = 0;
    int bufferEnd = 0;
    Pace pace;

    ~Impl() { reset(); }
    void reset() noexcept;
    void shakeHands(bool client, int timeoutMs);
    void verifyServer(const QString& host, quint16 port, THS_Language language);
    qint64 rawRead(char* out, qint64 max, int timeoutMs);
    qint64 rawWrite(const char* data, qint64 size, int timeoutMs);
    // Waits until the socket is ready for `events`: TimeOut after `silenceMs` without it, or
    // when the pace is broken meanwhile.
    void await(short events, int silenceMs, const QString& what);
    // Waits as OpenSSL asks after a call that returned `result`; raises on real errors.
    void waitForTls(int result, int timeoutMs, const QString& what);
};

void NetStream::Impl::reset() noexcept {
    if (ssl) {
        SigPipeGuard guard;
        if (SSL_is_init_finished(ssl)) SSL_shutdown(ssl);
        SSL_free(ssl);
        ssl = nullptr;
        ERR_clear_error();
    }
    if (fd >= 0) ::close(fd);
    fd = -1;
    pace.stop();
    ctx.reset();
    peerSha256.clear();
    bufferPos = bufferEnd = 0;
}

void NetStream::Impl::waitForTls(int result, int timeoutMs, const QString& what) {
    const int error = SSL_get_error(ssl, result);
    switch (error) {
        case SSL_ERROR_WANT_READ:
            return await(POLLIN, timeoutMs, what);
        case SSL_ERROR_WANT_WRITE:
            return await(POLLOUT, timeoutMs, what);
        case SSL_ERROR_ZERO_RETURN:
            fail(Kind::Closed, QStringLiteral("Connection closed gracefully."));
        case SSL_ERROR_SYSCALL:
            if (errno == 0) fail(Kind::Closed, QStringLiteral("Connection closed gracefully."));
            failErrno(errno);
        default:
            fail(Kind::Tls, openSslText());
    }
}

void NetStream::Impl::shakeHands(bool client, int timeoutMs) {
    for (;;) {
        ERR_clear_error();
        errno = 0;
        int r = 0;
        {
            SigPipeGuard guard;
            r = client ? SSL_connect(ssl) : SSL_accept(ssl);
        }
        if (r == 1) return;
        try {
            waitForTls(r, timeoutMs, QStringLiteral("TLS handshake"));
        } catch (const NetError& e) {
            if (e.kind() == Kind::Closed) fail(Kind::Tls, QStringLiteral("TLS handshake failed."));
            throw;
        }
    }
}

void NetStream::Impl::verifyServer(const QString& host, quint16 port, THS_Language language) {
    X509* cert = SSL_get1_peer_certificate(ssl);
    if (!cert) fail(Kind::Tls, QStringLiteral("The server sent no certificate."));
    unsigned char* der = nullptr;
    const int length = i2d_X509(cert, &der);
    X509_free(cert);
    if (length <= 0) fail(Kind::Tls, openSslText());
    peerSha256 = certificateSha256(QByteArray(reinterpret_cast<const char*>(der), length));
    OPENSSL_free(der);
    const bool trusted = SSL_get_verify_result(ssl) == X509_V_OK;
    const PinCheck check = checkServerCertificate(host, port, peerSha256, trusted);
    if (check == PinCheck::Changed)
        fail(Kind::CertificateChanged, certificateChangedMessage(language, host, port));
    if (check == PinCheck::StoreFailed)
        fail(Kind::CertificateNotPinned, certificateStoreFailedMessage(language, host, port));
}

void NetStream::Impl::await(short events, int silenceMs, const QString& what) {
    const auto silenceEnd = Clock::now() + std::chrono::milliseconds(silenceMs);
    for (;;) {
        if (t_abortFlag && t_abortFlag->load())
            fail(Kind::Closed, QStringLiteral("%1 cancelled.").arg(what));
        pace.check();
        const auto now = Clock::now();
        if (now >= silenceEnd) fail(Kind::TimeOut, QStringLiteral("%1 timed out.").arg(what));
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(
            std::min(silenceEnd, pace.nextCheck()) - now);
        if (t_abortFlag) wait = std::min(wait, std::chrono::milliseconds(AbortPollSliceMs));
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, int(std::clamp<long long>(wait.count(), 0, 1 << 30)));
        if (r > 0) return;
        if (r < 0 && errno != EINTR) failErrno(errno);
    }
}

qint64 NetStream::Impl::rawRead(char* out, qint64 max, int timeoutMs) {
    const int chunk = int(std::min<qint64>(max, 1 << 30));
    for (;;) {
        pace.check();
        if (ssl) {
            ERR_clear_error();
            errno = 0;
            const int r = SSL_read(ssl, out, chunk);
            if (r > 0) {
                pace.moved(r);
                return r;
            }
            waitForTls(r, timeoutMs, QStringLiteral("Read"));
            continue;
        }
        const ssize_t r = ::recv(fd, out, size_t(chunk), 0);
        if (r > 0) {
            pace.moved(r);
            return r;
        }
        if (r == 0) fail(Kind::Closed, QStringLiteral("Connection closed gracefully."));
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            await(POLLIN, timeoutMs, QStringLiteral("Read"));
        } else if (errno != EINTR) {
            failErrno(errno);
        }
    }
}

qint64 NetStream::Impl::rawWrite(const char* data, qint64 size, int timeoutMs) {
    const int chunk = int(std::min<qint64>(size, 1 << 30));
    for (;;) {
        pace.check();
        if (ssl) {
            ERR_clear_error();
            errno = 0;
            int r = 0;
            {
                SigPipeGuard guard;
                r = SSL_write(ssl, data, chunk);
            }
            if (r > 0) {
                pace.moved(r);
                return r;
            }
            waitForTls(r, timeoutMs, QStringLiteral("Write"));
            continue;
        }
        const ssize_t r = ::send(fd, data, size_t(chunk), MSG_NOSIGNAL);
        if (r >= 0) {
            pace.moved(r);
            return r;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            await(POLLOUT, timeoutMs, QStringLiteral("Write"));
        } else if (errno != EINTR) {
            failErrno(errno);
        }
    }
}

TlsServerCredentials::TlsServerCredentials(const QByteArray& certificatePem,
                                           const QByteArray& privateKeyPem)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->ctx = newContext(TLS_server_method());
    BIO* certBio = BIO_new_mem_buf(certificatePem.constData(), int(certificatePem.size()));
    X509* cert = PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr);
    BIO_free(certBio);
    BIO* keyBio = BIO_new_mem_buf(privateKeyPem.constData(), int(privateKeyPem.size()));
    EVP_PKEY* key = PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr);
    BIO_free(keyBio);
    const bool ok = cert && key && SSL_CTX_use_certificate(m_impl->ctx.get(), cert) == 1 &&
                    SSL_CTX_use_PrivateKey(m_impl->ctx.get(), key) == 1;
    X509_free(cert);
    EVP_PKEY_free(key);
    if (!ok) fail(Kind::Tls, openSslText());
}

TlsServerCredentials::~TlsServerCredentials() = default;

NetStream::NetStream() : m_impl(std::make_unique<Impl>()) {}
NetStream::~NetStream() = default;

namespace {

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

std::unique_ptr<addrinfo, AddrInfoDeleter> resolve(const QString& host, quint16 port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const QByteArray ace = QUrl::toAce(host);
    const QByteArray name = ace.isEmpty() ? host.toUtf8() : ace;
    const int r =
        getaddrinfo(name.constData(), QByteArray::number(port).constData(), &hints, &found);
    if (r == EAI_SYSTEM) failErrno(errno);
    if (r != 0)
        fail(Kind::HostNotFound, QStringLiteral("Host not found: %1 (%2)")
                                     .arg(host, QString::fromLocal8Bit(gai_strerror(r))));
    return std::unique_ptr<addrinfo, AddrInfoDeleter>(found);
}

// Connects one address within the time left; returns the socket or raises.
int connectOne(const addrinfo& address, int timeoutMs) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                            address.ai_protocol);
    if (fd < 0) failErrno(errno);
    try {
        if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
            if (errno != EINPROGRESS) failErrno(errno);
            waitFor(fd, POLLOUT, timeoutMs, QStringLiteral("Connect"));
            int error = 0;
            socklen_t size = sizeof error;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
            if (error != 0) failErrno(error);
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

}  // namespace

void NetStream::connectTo(const QString& host, quint16 port, bool tls) {
    close();
    m_impl->pace.start(m_limits);
    const auto addresses = resolve(host, port);
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_connectTimeoutMs);
    std::optional<NetError> last;
    for (const addrinfo* a = addresses.get(); a && m_impl->fd < 0; a = a->ai_next) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 && last) break;
        try {
            m_impl->fd = connectOne(*a, int(std::max<long long>(1, left.count())));
        } catch (const NetError& e) {
            last = e;
        }
    }
    if (m_impl->fd < 0) throw last.value_or(NetError(Kind::HostNotFound, host));
    setSocketOptions(m_impl->fd);
    if (tls) startClientTls(host, port);
}

void NetStream::endRequest() noexcept {
    m_impl->pace.endRequest();
}

void NetStream::startClientTls(const QString& host, quint16 port) {
    Impl& d = *m_impl;
    try {
        d.ctx = clientContext();
        d.ssl = SSL_new(d.ctx.get());
        if (!d.ssl) fail(Kind::Tls, openSslText());
        SSL_set_fd(d.ssl, d.fd);
        const QByteArray name = host.toUtf8();
        if (isIpAddress(host)) {
            X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(d.ssl), name.constData());
        } else {
            SSL_set_tlsext_host_name(d.ssl, name.constData());
            SSL_set1_host(d.ssl, name.constData());
        }
        d.shakeHands(true, m_readTimeoutMs);
        d.verifyServer(host, port, m_language);
    } catch (...) {
        close();
        throw;
    }
}

void NetStream::adoptAccepted(int socketFd, const TlsServerCredentials* tls) {
    close();
    m_impl->fd = socketFd;
    setSocketOptions(socketFd);
    if (!tls) return;
    try {
        m_impl->ctx = tls->impl().ctx;
        m_impl->ssl = SSL_new(m_impl->ctx.get());
        if (!m_impl->ssl) fail(Kind::Tls, openSslText());
        SSL_set_fd(m_impl->ssl, socketFd);
        m_impl->shakeHands(false, m_readTimeoutMs);
    } catch (...) {
        close();
        throw;
    }
}

void NetStream::close() noexcept {
    m_impl->reset();
}
bool NetStream::isOpen() const noexcept {
    return m_impl->fd >= 0;
}
bool NetStream::isTls() const noexcept {
    return m_impl->ssl != nullptr;
}
QByteArray NetStream::peerCertificateSha256() const {
    return m_impl->peerSha256;
}

void NetStream::requireOpen() const {
    if (m_impl->fd < 0) fail(Kind::Closed, QStringLiteral("Not connected."));
}

void NetStream::write(const char* data, qint64 size) {
    requireOpen();
    while (size > 0) {
        const qint64 n = m_impl->rawWrite(data, size, m_readTimeoutMs);
        data += n;
        size -= n;
    }
}

void NetStream::writeInt32(qint32 value) {
    char bytes[4];
    putInt32BE(bytes, value);
    write(bytes, 4);
}

void NetStream::writeInt64(qint64 value) {
    char bytes[8];
    putInt32BE(bytes, qint32(quint64(value) >> 32));
    putInt32BE(bytes + 4, qint32(quint64(value) & 0xFFFFFFFFu));
    write(bytes, 8);
}

qint64 NetStream::readSome(char* buffer, qint64 maxSize) {
    requireOpen();
    if (maxSize <= 0) return 0;
    Impl& d = *m_impl;
    if (d.bufferPos < d.bufferEnd) {
        const qint64 n = std::min<qint64>(maxSize, d.bufferEnd - d.bufferPos);
        std::memcpy(buffer, d.buffer + d.bufferPos, size_t(n));
        d.bufferPos += int(n);
        return n;
    }
    // Small reads go through the buffer so that lines and integers cost one call each.
    if (maxSize >= BufferSize / 2) return d.rawRead(buffer, maxSize, m_readTimeoutMs);
    d.bufferPos = 0;
    d.bufferEnd = int(d.rawRead(d.buffer, BufferSize, m_readTimeoutMs));
    return readSome(buffer, maxSize);
}

void NetStream::readExact(char* buffer, qint64 size) {
    while (size > 0) {
        const qint64 n = readSome(buffer, size);
        buffer += n;
        size -= n;
    }
}

qint32 NetStream::readInt32() {
    char bytes[4];
    readExact(bytes, 4);
    return getInt32BE(bytes);
}

qint64 NetStream::readInt64() {
    char bytes[8];
    readExact(bytes, 8);
    return qint64((quint64(quint32(getInt32BE(bytes))) << 32) | quint32(getInt32BE(bytes + 4)));
}

QByteArray NetStream::readLine(int maxLength) {
    QByteArray line;
    for (;;) {
        char c = 0;
        readExact(&c, 1);
        if (c == '\n') break;
        if (line.size() > maxLength)
            fail(Kind::Protocol, QStringLiteral("Line longer than %1 bytes.").arg(maxLength));
        line.append(c);
    }
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

void putInt32BE(char* out, qint32 value) {
    const auto v = quint32(value);
    for (int i = 0; i < 4; ++i)
        out[i] = char((v >> (24 - 8 * i)) & 0xFFu);
}

qint32 getInt32BE(const char* in) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | quint8(in[i]);
    return qint32(v);
}

}  // namespace ov
