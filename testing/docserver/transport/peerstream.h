#pragma once
// The test server's side of one accepted connection, plain or TLS: exact and partial reads
// through a small buffer, whole writes, each wait bounded by the read time-out. It only moves
// bytes; integers and lines are the codec's (codec/stream.h). Written for the server alone and
// sharing nothing with the client's connection code, so the two meet only on the wire.
//
// May use Qt Core, POSIX sockets and OpenSSL.

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

namespace ov::test {

// A failed connection. Handlers let it pass: it ends the connection quietly.
class PeerError : public std::runtime_error {
public:
    enum class Kind { Closed, TimeOut, Tls, Protocol, Other };
    PeerError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind) {}
    Kind kind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};

// The certificate and key the server presents (PEM), parsed once and shared by connections.
class TlsIdentity {
public:
    // Raises PeerError (Tls) when the texts cannot be used.
    TlsIdentity(const QByteArray& certificatePem, const QByteArray& privateKeyPem);
    ~TlsIdentity();
    TlsIdentity(const TlsIdentity&) = delete;
    TlsIdentity& operator=(const TlsIdentity&) = delete;

    struct Context;
    const Context& context() const { return *m_context; }

private:
    std::unique_ptr<Context> m_context;
};

class PeerStream {
public:
    static constexpr int DefaultTimeoutMs = 30000;

    PeerStream();
    ~PeerStream();  // closes
    PeerStream(const PeerStream&) = delete;
    PeerStream& operator=(const PeerStream&) = delete;

    // Takes over an accepted socket (closed with the stream) and, with an identity, runs the
    // TLS handshake within the read time-out.
    void adopt(int socketFd, const TlsIdentity* tls = nullptr);
    void close() noexcept;
    bool isTls() const noexcept;

    // How long one wait for the peer (a read, a write, the handshake) may take.
    void setReadTimeout(int ms) { m_timeoutMs = ms; }
    int readTimeout() const { return m_timeoutMs; }

    void write(const char* data, qint64 size);
    void write(const QByteArray& data) { write(data.constData(), data.size()); }
    // At least one byte and at most `maxSize`.
    qint64 readSome(char* buffer, qint64 maxSize);
    void readExact(char* buffer, qint64 size);

    struct Socket;

private:
    std::unique_ptr<Socket> m_socket;
    int m_timeoutMs = DefaultTimeoutMs;
};

}  // namespace ov::test
