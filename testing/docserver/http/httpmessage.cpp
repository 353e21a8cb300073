#include "testing/docserver/http/httpmessage.h"

#include "testing/docserver/codec/stream.h"

#include <QFile>
#include <algorithm>

namespace ov::test {

namespace {

constexpr qint64 WriteChunk = 64 * 1024;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%XX" into its byte; with plusIsBlank, "+" into a blank (query components only).
QByteArray percentDecode(const QByteArray& text, bool plusIsBlank) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (c == '%' && high >= 0 && low >= 0) {
            bytes.append(char(high * 16 + low));
            i += 2;
        } else {
            bytes.append(plusIsBlank && c == '+' ? ' ' : c);
        }
    }
    return bytes;
}

// One header or request line; a line over the limit makes the request unservable.
QByteArray readBoundedLine(PeerStream& stream, int maxLength) {
    try {
        return wire::readLine(stream, maxLength);
    } catch (const PeerError& e) {
        if (e.kind() == PeerError::Kind::Protocol) throw HttpRequestError(431);
        throw;
    }
}

void parseRequestLine(HttpRequest& request, const QByteArray& line) {
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty()) throw HttpRequestError(400);
    if (!parts[2].startsWith("HTTP/")) throw HttpRequestError(400);
    if (!parts[2].startsWith("HTTP/1.")) throw HttpRequestError(505);
    request.method = parts[0];
    request.target = parts[1];
}

// Splits the target into the decoded path and the query; the absolute form
// ("http://host:port/path") is accepted as well.
void parseTarget(HttpRequest& request) {
    QByteArray target = request.target;
    if (target.startsWith("http://") || target.startsWith("https://")) {
        const qsizetype slash = target.indexOf('/', target.indexOf("//") + 2);
        target = slash < 0 ? QByteArray("/") : target.mid(slash);
    }
    if (!target.startsWith('/')) throw HttpRequestError(400);
    const qsizetype mark = target.indexOf('?');
    request.path = percentDecode(mark < 0 ? target : target.left(mark), false);
    if (mark >= 0) request.query = decodeQuery(target.mid(mark + 1));
}

void readHeaders(PeerStream& stream, HttpRequest& request, const HttpLimits& limits) {
    qint64 total = 0;
    for (;;) {
        const QByteArray line = readBoundedLine(stream, limits.maxHeaderLine);
        if (line.isEmpty()) return;
        total += line.size();
        if (total > limits.maxHeaderBytes || request.headers.size() >= limits.maxHeaderCount)
            throw HttpRequestError(431);
        const qsizetype colon = line.indexOf(':');
        // A folded continuation line (leading blank) is obsolete and refused.
        if (colon <= 0 || line[0] == ' ' || line[0] == '\t') throw HttpRequestError(400);
        request.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
}

// The body's length from Content-Length; every copy of the header must agree.
qint64 bodyLength(const HttpRequest& request, const HttpLimits& limits) {
    if (const auto coding = request.header("Transfer-Encoding");
        coding && coding->compare("identity", Qt::CaseInsensitive) != 0)
        throw HttpRequestError(411);
    std::optional<qint64> length;
    for (const auto& [name, value] : request.headers) {
        if (name.compare("Content-Length", Qt::CaseInsensitive) != 0) continue;
        bool ok = !value.isEmpty() && std::all_of(value.begin(), value.end(),
                                                  [](char c) { return c >= '0' && c <= '9'; });
        const qint64 parsed = ok ? value.toLongLong(&ok) : -1;
        if (!ok || (length && *length != parsed)) throw HttpRequestError(400);
        length = parsed;
    }
    if (length.value_or(0) > limits.maxBodyBytes) throw HttpRequestError(413);
    return length.value_or(0);
}

void readBody(PeerStream& stream, HttpRequest& request, const HttpLimits& limits) {
    const qint64 length = bodyLength(request, limits);
    if (length == 0) return;
    const auto expect = request.header("Expect");
    if (expect && expect->compare("100-continue", Qt::CaseInsensitive) == 0)
        stream.write(QByteArrayLiteral("HTTP/1.1 100 Continue\r\n\r\n"));
    request.body.resize(length);
    stream.readExact(request.body.data(), length);
    const auto type = request.header("Content-Type");
    if (type && type->toLower().startsWith("application/x-www-form-urlencoded"))
        request.query += decodeQuery(request.body);
}

// A body streamed from a file, one buffer at a time.
void writeFileResponse(PeerStream& stream, const HttpResponse& response, qint64 maxBodyBytes) {
    QFile file(response.bodyFile);
    if (!file.open(QIODevice::ReadOnly)) {
        writeHttpResponse(stream, HttpResponse::error(404));
        return;
    }
    stream.write(httpResponseHead(response, file.size()));
    qint64 left = maxBodyBytes < 0 ? file.size() : std::min(maxBodyBytes, file.size());
    QByteArray buffer(WriteChunk, Qt::Uninitialized);
    while (left > 0) {
        const qint64 got = file.read(buffer.data(), std::min(WriteChunk, left));
        if (got <= 0) throw PeerError(PeerError::Kind::Other, QStringLiteral("file read failed"));
        stream.write(buffer.constData(), got);
        left -= got;
    }
}

}  // namespace

std::optional<QByteArray> HttpRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
    return std::nullopt;
}

QString HttpRequest::param(const QString& name) const {
    for (const auto& [key, value] : query)
        if (key == name) return value;
    return QString();
}

bool HttpRequest::hasParam(const QString& name) const {
    return std::any_of(query.begin(), query.end(),
                       [&](const auto& pair) { return pair.first == name; });
}

HttpResponse HttpResponse::text(const QString& text, int status) {
    HttpResponse response;
    response.status = status;
    response.body = text.toUtf8();
    return response;
}

HttpResponse HttpResponse::html(const QString& html, int status) {
    HttpResponse response = text(html, status);
    response.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    return response;
}

HttpResponse HttpResponse::bytes(const QByteArray& body, const QByteArray& contentType) {
    HttpResponse response;
    response.body = body;
    response.contentType = contentType;
    return response;
}

HttpResponse HttpResponse::error(int status) {
    HttpResponse response;
    response.status = status;
    response.body = QByteArray::number(status) + ' ' + httpReasonPhrase(status) + '\n';
    return response;
}

QByteArray httpReasonPhrase(int status) {
    switch (status) {
        case 100:
            return "Continue";
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 408:
            return "Request Timeout";
        case 411:
            return "Length Required";
        case 413:
            return "Content Too Large";
        case 431:
            return "Request Header Fields Too Large";
        case 500:
            return "Internal Server Error";
        case 501:
            return "Not Implemented";
        case 505:
            return "HTTP Version Not Supported";
        default:
            return "Status";
    }
}

HttpRequest readHttpRequest(PeerStream& stream, const QByteArray& requestLine,
                            const HttpLimits& limits) {
    HttpRequest request;
    if (requestLine.size() > limits.maxHeaderLine) throw HttpRequestError(414);
    parseRequestLine(request, requestLine);
    parseTarget(request);
    readHeaders(stream, request, limits);
    readBody(stream, request, limits);
    return request;
}

QByteArray httpResponseHead(const HttpResponse& response, qint64 bodyLength) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                      httpReasonPhrase(response.status) + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(bodyLength) + "\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

void writeHttpResponse(PeerStream& stream, const HttpResponse& response, qint64 maxBodyBytes) {
    if (!response.bodyFile.isEmpty()) {
        writeFileResponse(stream, response, maxBodyBytes);
        return;
    }
    stream.write(httpResponseHead(response, response.body.size()));
    const qint64 size = maxBodyBytes < 0 ? response.body.size()
                                         : std::min(maxBodyBytes, qint64(response.body.size()));
    for (qint64 done = 0; done < size; done += WriteChunk)
        stream.write(response.body.constData() + done, std::min(WriteChunk, size - done));
}

QString decodeQueryComponent(const QByteArray& component) {
    return QString::fromUtf8(percentDecode(component, true));
}

QList<QPair<QString, QString>> decodeQuery(const QByteArray& query) {
    QList<QPair<QString, QString>> pairs;
    for (const QByteArray& part : query.split('&')) {
        if (part.isEmpty()) continue;
        const qsizetype equals = part.indexOf('=');
        pairs.append({decodeQueryComponent(equals < 0 ? part : part.left(equals)),
                      equals < 0 ? QString() : decodeQueryComponent(part.mid(equals + 1))});
    }
    return pairs;
}

}  // namespace ov::test
