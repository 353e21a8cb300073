#pragma once
// A blocking TCP stream, plain or TLS, for any thread and without an event loop: connect with a
// time-out, exact reads with a read time-out, whole writes, big-endian integers. Every failure
// raises NetError with a kind the callers tell apart (refused, name not found, closed by the
// peer, time-out, TLS, changed certificate). It can also take over an accepted socket (the
// fuzz targets and benchmarks feed it their bytes that way).

#include "core/errors.h"
#include "core/netlimits.h"
#include "core/types.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <atomic>
#include <memory>

namespace ov {

class NetError : public Error {
public:
    enum class Kind : std::uint8_t {
        Refused,               // nothing listens on the port, or the connection was reset at once
        HostNotFound,          // the name did not resolve
        Closed,                // the peer closed or reset the connection
        TimeOut,               // connect, read or write took longer than allowed
        Tls,                   // handshake or TLS record failure
        CertificateChanged,    // the server's certificate differs from the one pinned before
        CertificateNotPinned,  // a certificate seen for the first time could not be recorded
        Protocol,              // the peer sent something impossible (for example an oversized line)
        Other                  // any other system error
    };
    NetError(Kind kind, const QString& message) : Error(message), m_kind(kind) {}
    Kind kind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};

// The certificate and key a listening side presents (PEM). Parsed once, shared by connections.
class TlsServerCredentials {
public:
    // Raises NetError (Tls) when the PEM texts cannot be used.
    TlsServerCredentials(const QByteArray& certificatePem, const QByteArray& privateKeyPem);
    ~TlsServerCredentials();
    TlsServerCredentials(const TlsServerCredentials&) = delete;
    TlsServerCredentials& operator=(const TlsServerCredentials&) = delete;

    struct Impl;
    const Impl& impl() const { return *m_impl; }

private:
    std::unique_ptr<Impl> m_impl;
};

class NetStream {
public:
    static constexpr int DefaultConnectTimeoutMs = 10000;
    static constexpr int DefaultReadTimeoutMs = 30000;

    NetStream();
    ~NetStream();  // closes
    NetStream(const NetStream&) = delete;
    NetStream& operator=(const NetStream&) = delete;

    // Client side. Tries each resolved address in order until one connects within the connect
    // time-out. With TLS, the server's certificate is verified against the system trust store
    // (or the one set with setTrustedCaFile) and the host name; when that fails the certificate
    // is pinned on first use and a changed one is refused (core/certpins.h).
    void connectTo(const QString& host, quint16 port, bool tls);
    // Server side: takes over an accepted socket (the stream closes it) and, when credentials
    // are given, runs the TLS handshake within the read time-out.
    void adoptAccepted(int socketFd, const TlsServerCredentials* tls = nullptr);
    // Sends a TLS close notice when possible and closes the socket. Never raises.
    void close() noexcept;
    bool isOpen() const noexcept;
    bool isTls() const noexcept;

    // Time-outs in milliseconds; the read time-out also bounds each write and the handshake.
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    int connectTimeout() const { return m_connectTimeoutMs; }
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int readTimeout() const { return m_readTimeoutMs; }
    // Language of the changed-certificate message (HSL_NONE gives both languages).
    void setLanguage(THS_Language language) { m_language = language; }
    // The pace of a client connection (core/netlimits.h): connectTo starts the request's clock
    // and the first rate window; endRequest() lifts the overall limit for the data of a
    // transfer that follows, whose rate alone is watched from then on. Both failures raise
    // TimeOut. Accepted connections are not paced.
    void setLimits(const TransferLimits& limits) { m_limits = limits; }
    const TransferLimits& limits() const { return m_limits; }
    void endRequest() noexcept;

    // Writes all bytes before returning (one call per frame: the socket does not wait on Nagle).
    void write(const char* data, qint64 size);
    void write(const QByteArray& data) { write(data.constData(), data.size()); }
    void writeInt32(qint32 value);  // big-endian
    void writeInt64(qint64 value);  // big-endian

    // Reads exactly `size` bytes into the caller's buffer (large reads bypass any copy).
    void readExact(char* buffer, qint64 size);
    // Reads what is there, at least one byte and at most `maxSize`; waits up to the read time-out.
    qint64 readSome(char* buffer, qint64 maxSize);
    qint32 readInt32();  // big-endian
    qint64 readInt64();  // big-endian
    // Reads one line ended by LF (a CR before it is dropped); raises Protocol when it runs over
    // `maxLength` bytes.
    QByteArray readLine(int maxLength = 8192);

    // SHA-256 of the peer certificate (DER) of a TLS connection, else empty.
    QByteArray peerCertificateSha256() const;

    struct Impl;

private:
    void startClientTls(const QString& host, quint16 port);
    void requireOpen() const;

    std::unique_ptr<Impl> m_impl;
    int m_connectTimeoutMs = DefaultConnectTimeoutMs;
    int m_readTimeoutMs = DefaultReadTimeoutMs;
    THS_Language m_language = HSL_NONE;
    TransferLimits m_limits;
};

// Every stream wait of the calling thread (connect, read, write, handshake) ends with a Closed
// error as soon as the flag is set, so another thread can abort a blocking transfer at once.
// nullptr (the default) turns it off. The flag must outlive its use on the thread.
void SetThreadAbortFlag(const std::atomic<bool>* flag);

// Big-endian 32-bit integer into / out of four bytes.
void putInt32BE(char* out, qint32 value);
qint32 getInt32BE(const char* in);

}  // namespace ov
