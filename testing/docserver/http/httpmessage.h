#pragma once
// HTTP/1.1 on an accepted stream of the test server: one request read (request line, headers,
// a body of known length), one response written, then the connection ends. Sizes are bounded
// so that a broken or hostile client cannot make the server hold unbounded memory.

#include "testing/docserver/transport/peerstream.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <exception>
#include <optional>

namespace ov::test {

struct HttpLimits {
    int maxHeaderLine = 8192;        // request line and each header line
    int maxHeaderBytes = 32 * 1024;  // all header lines together
    int maxHeaderCount = 100;
    qint64 maxBodyBytes = 1024 * 1024;  // a request body beyond this is refused with 413
    int readTimeoutMs = 10000;          // a request not complete by then is answered with 408
};

struct HttpRequest {
    QByteArray method;                     // as sent, "GET", "POST", ...
    QByteArray target;                     // the request target as sent, "/user?opr=sc&userid=1"
    QByteArray path;                       // the target's path, percent-decoded bytes
    QList<QPair<QString, QString>> query;  // decoded query parameters in their order
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // The first header of that name (case-insensitive), trimmed.
    std::optional<QByteArray> header(const QByteArray& name) const;
    // The first parameter of that name (case-sensitive); "" when missing.
    QString param(const QString& name) const;
    bool hasParam(const QString& name) const;
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    QByteArray body;
    // When set, the body is this file, streamed from disk in chunks (`body` is not used).
    QString bodyFile;
    QList<QPair<QByteArray, QByteArray>> headers;  // extra headers

    static HttpResponse text(const QString& text, int status = 200);
    static HttpResponse html(const QString& html, int status = 200);
    static HttpResponse bytes(const QByteArray& body, const QByteArray& contentType);
    // A short plain-text page with the status and its reason phrase.
    static HttpResponse error(int status);
};

// A request that cannot be served; the status says why (400, 411, 413, 414, 431, 505).
class HttpRequestError : public std::exception {
public:
    explicit HttpRequestError(int status) : m_status(status) {}
    int status() const noexcept { return m_status; }
    const char* what() const noexcept override { return "bad HTTP request"; }

private:
    int m_status;
};

// Reads the rest of a request whose first line has been read already (without CR LF). Raises
// HttpRequestError for requests that cannot be served, PeerError when the stream fails.
HttpRequest readHttpRequest(PeerStream& stream, const QByteArray& requestLine,
                            const HttpLimits& limits = {});

// The head (status line and headers, "Connection: close" and the body's length included).
QByteArray httpResponseHead(const HttpResponse& response, qint64 bodyLength);
// Writes head and body in chunks; with `maxBodyBytes` at 0 or more only that much of the body
// is sent (a connection cut on purpose). A body file that cannot be read gives a 404.
void writeHttpResponse(PeerStream& stream, const HttpResponse& response, qint64 maxBodyBytes = -1);

QByteArray httpReasonPhrase(int status);

// Percent-decoding of one query component: "%XX" gives that byte, "+" a blank, the bytes are
// read as UTF-8. A "%" without two hexadecimal digits stays as it is.
QString decodeQueryComponent(const QByteArray& component);
// "a=1&b=2" into its pairs; a part without "=" gives an empty value, empty parts are skipped.
QList<QPair<QString, QString>> decodeQuery(const QByteArray& query);

}  // namespace ov::test
