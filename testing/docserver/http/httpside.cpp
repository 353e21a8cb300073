#include "testing/docserver/httpside.h"

#include "core/cipher.h"
#include "testing/docserver/codec/tagtext.h"
#include "testing/docserver/http/httpendpoints.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

constexpr int DrainTimeoutMs = 100;
constexpr qint64 MaxDrainBytes = 1024 * 1024;

const HttpEndpointTable& Endpoints() {
    static const HttpEndpointTable table = [] {
        HttpEndpointTable t;
        addAccountEndpoints(t);
        addStaticEndpoints(t);
        addPageEndpoints(t);
        addFolderEndpoints(t);
        addFileEndpoints(t);
        addControlEndpoints(t);
        return t;
    }();
    return table;
}

// Holds the connection without answering until the client gives up or the server stops.
void stall(PeerStream& stream) {
    stream.setReadTimeout(DrainTimeoutMs);
    char byte = 0;
    for (;;) {
        try {
            stream.readSome(&byte, 1);
        } catch (const PeerError& e) {
            if (e.kind() != PeerError::Kind::TimeOut) return;
        }
    }
}

// Reads what the client still sends after a refused request, so that closing the socket does
// not reset the connection before the client has read the answer.
void drain(PeerStream& stream) {
    stream.setReadTimeout(DrainTimeoutMs);
    char buffer[4096];
    try {
        for (qint64 total = 0; total < MaxDrainBytes;)
            total += stream.readSome(buffer, sizeof buffer);
    } catch (const PeerError&) {
    }
}

}  // namespace

std::optional<qint64> HttpContext::number(const QString& name) const {
    bool ok = false;
    const qint64 value = param(name).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

DocUser* HttpContext::userByToken(const QString& token) const {
    DocUser* user = token.isEmpty() ? nullptr : model.userByToken(token);
    return user && !user->disabled ? user : nullptr;
}

DocUser* HttpContext::userByClientToken(const QString& clientToken) const {
    const QString text = clientToken.isEmpty() ? QString() : DecryptString(clientToken, 1);
    return userByToken(wire::tagValue(text, u"U"_s));
}

DocHttp::DocHttp(DocModel& model, DocHttpContent content)
    : m_model(model), m_content(std::move(content)) {}

void DocHttp::install(DocServer& server) {
    setServerAddress({server.host(), server.port(), server.isTls()});
    server.setFallbackHandler(
        [this](PeerStream& stream, const QByteArray& line) { serve(stream, line); });
}

void DocHttp::serve(PeerStream& stream, const QByteArray& requestLine) {
    HttpLimits limits;
    {
        std::lock_guard lock(m_mutex);
        limits = m_limits;
    }
    stream.setReadTimeout(limits.readTimeoutMs);
    try {
        HttpRequest request = readHttpRequest(stream, requestLine, limits);
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(request);
        }
        send(stream, handle(request), content());
    } catch (const HttpRequestError& e) {
        writeHttpResponse(stream, HttpResponse::error(e.status()));
        drain(stream);
    } catch (const PeerError& e) {
        if (e.kind() != PeerError::Kind::TimeOut) throw;
        writeHttpResponse(stream, HttpResponse::error(408));
    }
}

void DocHttp::send(PeerStream& stream, const HttpResponse& response, const DocHttpContent& content) {
    switch (content.fault) {
        case HttpFault::Stall:
            stall(stream);
            return;
        case HttpFault::CloseAfterBytes:
            writeHttpResponse(stream, response, content.faultBytes);
            return;
        case HttpFault::None:
            writeHttpResponse(stream, response);
            return;
    }
}

HttpResponse DocHttp::handle(const HttpRequest& request) {
    if (request.method != "GET" && request.method != "POST") {
        HttpResponse refusal = HttpResponse::error(405);
        refusal.headers.append({QByteArrayLiteral("Allow"), QByteArrayLiteral("GET, POST")});
        return refusal;
    }
    const DocHttpContent current = content();
    ServerAddress address;
    {
        std::lock_guard lock(m_mutex);
        address = m_address;
    }
    std::lock_guard lock(m_model.mutex);
    HttpContext context{m_model, request, current, address};
    if (const auto found = Endpoints().find(request.path); found != Endpoints().end())
        return found->second(context);
    if (auto download = helperDownload(context)) return *download;
    return HttpResponse::error(404);
}

DocHttpContent DocHttp::content() const {
    std::lock_guard lock(m_mutex);
    return m_content;
}

void DocHttp::setContent(DocHttpContent content) {
    std::lock_guard lock(m_mutex);
    m_content = std::move(content);
}

void DocHttp::setFault(HttpFault fault, qint64 faultBytes) {
    std::lock_guard lock(m_mutex);
    m_content.fault = fault;
    m_content.faultBytes = faultBytes;
}

void DocHttp::setLimits(const HttpLimits& limits) {
    std::lock_guard lock(m_mutex);
    m_limits = limits;
}

void DocHttp::setServerAddress(const ServerAddress& address) {
    std::lock_guard lock(m_mutex);
    m_address = address;
}

std::vector<HttpRequest> DocHttp::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void DocHttp::clearRequests() {
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

std::unique_ptr<DocHttp> installHttpSide(DocServer& server, DocModel& model) {
    auto http = std::make_unique<DocHttp>(model);
    http->install(server);
    return http;
}

}  // namespace ov::test
