#pragma once
// The HTTP(S) client with which the client fetches pages, images and programs from the document
// server. Blocking, for one request or a short series of requests, usable on any thread (one
// object per thread). It never takes a proxy from the environment and never follows
// redirects. TLS certificates are checked against the system trust store and, for servers the
// store does not vouch for, pinned on first use (core/certpins.h).

#include "core/errors.h"
#include "core/httpclient_curl.h"
#include "core/types.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

class QIODevice;

namespace ov {

// TLS protocol choice: negotiate the highest version both sides offer, or TLS 1.2 alone.
// The values are those the choice travels with.
enum TIdSSLVersion : std::uint8_t { sslvSSLv23 = 1, sslvTLSv1_2 = 5 };

// A failed request. Status errors carry the response's status line as their message
// ("HTTP/1.1 404 Not Found") and the status code; all other kinds carry code 0.
class HttpError : public Error {
public:
    enum class Kind : std::uint8_t {
        Status,              // the server answered with a status other than 2xx
        TimeOut,             // no byte moved within the read time-out
        CertificateChanged,  // the server's certificate differs from the pinned one
        TooLarge,            // the body is larger than the client accepts in memory
        Write,               // the body could not be written where the caller wanted it
        Connection           // any other failure: refused, name, TLS, closed connection
    };
    HttpError(Kind kind, int status, const QString& message)
        : Error(message), m_kind(kind), m_status(status) {}
    Kind kind() const noexcept { return m_kind; }
    int status() const noexcept { return m_status; }

private:
    Kind m_kind;
    int m_status;
};

class TSSLHttp {
public:
    using Progress = std::function<void(qint64 received, qint64 total)>;  // total -1: unknown
    static constexpr qint64 DefaultMaxBodySize = qint64(64) << 20;
    static constexpr int DefaultConnectTimeoutMs = 10000;

    // Without TLS only "http" URLs are fetched; with it "https" ones as well.
    explicit TSSLHttp(bool isSSL = false, TIdSSLVersion sslVer = sslvSSLv23);
    ~TSSLHttp();
    TSSLHttp(const TSSLHttp&) = delete;
    TSSLHttp& operator=(const TSSLHttp&) = delete;

    bool isSSL() const { return m_isSSL; }
    // The overall limit of a request whose body is read into memory, and the minimum rate of
    // every transfer (core/netlimits.h).
    void setLimits(const TransferLimits& limits) { m_limits = limits; }
    const TransferLimits& limits() const { return m_limits; }
    // Longest silence on the connection in milliseconds, 0 for none (the default).
    void setReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int readTimeout() const { return m_readTimeoutMs; }
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    int connectTimeout() const { return m_connectTimeoutMs; }
    // Language of the changed-certificate message (HSL_NONE gives both languages).
    void setLanguage(THS_Language language) { m_language = language; }
    // Bodies read into memory larger than this raise TooLarge.
    void setMaxBodySize(qint64 bytes) { m_maxBodySize = bytes; }
    // Called on the caller's thread whenever more of the body has arrived.
    void setOnProgress(Progress progress) { m_progress = std::move(progress); }

    // GET of the URL; the body as text, decoded by the charset the response names (UTF-8 when
    // it names none). Raises HttpError.
    QString Get(const QString& url);
    // GET of the URL; the body's bytes. Raises HttpError.
    QByteArray GetBytes(const QString& url);
    // GET of the URL; the body written to the open device chunk by chunk as it arrives. Only a
    // success's body is written. Raises HttpError.
    void Get(const QString& url, QIODevice& out);
    // GET of the URL into the file, which is replaced only when the whole body has arrived.
    // Raises HttpError.
    void GetToFile(const QString& url, const QString& fileName);

    // Status code of the last response (0 when none arrived).
    int responseCode() const { return m_responseCode; }

private:
    using Sink = std::function<bool(const char* data, qsizetype size)>;
    // `inMemory`: the body goes into memory, so the request's overall limit applies.
    void perform(const QString& url, const Sink& sink, HttpError::Kind sinkFailure,
                 bool inMemory);
    void configure(const QString& url, curl::CertificatePolicy& policy, curl::TransferWatch& watch,
                   bool inMemory);
    [[noreturn]] void raise(int code, const curl::CertificatePolicy& policy,
                            const curl::TransferWatch& watch) const;
    QString decodeText(const QByteArray& body) const;

    static std::size_t writeCallback(char* data, std::size_t, std::size_t size, void* self);
    static std::size_t headerCallback(char* data, std::size_t, std::size_t size, void* self);

    curl::Easy m_easy;
    bool m_isSSL;
    TIdSSLVersion m_sslVersion;
    int m_readTimeoutMs = 0;
    int m_connectTimeoutMs = DefaultConnectTimeoutMs;
    qint64 m_maxBodySize = DefaultMaxBodySize;
    THS_Language m_language = HSL_NONE;
    TransferLimits m_limits;
    Progress m_progress;
    int m_responseCode = 0;
    QByteArray m_statusLine;
    QByteArray m_contentType;
    const Sink* m_sink = nullptr;
    bool m_rejected = false;
    bool m_sinkFailed = false;
    HttpError::Kind m_sinkFailure = HttpError::Kind::Write;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
};

// True when the process is a 32-bit process on a 64-bit system.
bool IsWow64();

}  // namespace ov
