#pragma once
// The HTTP(S) side of the test server: every connection whose first line is not one of the
// server's own channels is read as one HTTP/1.1 request and answered from the model and the
// content (security levels, client configuration, pictures, pages, permission texts, related
// files, folder changes, password change, program downloads), then closed.
//
//     DocModel model;  demo::LoadDemo(model);
//     DocServer server;
//     DocHttp http(model);
//     http.install(server);   // http must outlive the server's use of it

#include "testing/docserver/http/httpcontent.h"
#include "testing/docserver/http/httpmessage.h"
#include "testing/docserver/httppages.h"
#include "testing/docserver/model/model.h"
#include "testing/docserver/server.h"

#include <mutex>
#include <vector>

namespace ov::test {

class DocHttp {
public:
    explicit DocHttp(DocModel& model, DocHttpContent content = defaultHttpContent());

    // Makes this object the server's fallback handler and takes the server's address for the
    // links of its pages.
    void install(DocServer& server);

    // Reads one request from the stream, answers it and applies the content's fault.
    void serve(PeerStream& stream, const QByteArray& requestLine);
    // The answer to one request (takes the model's mutex).
    HttpResponse handle(const HttpRequest& request);

    DocHttpContent content() const;
    void setContent(DocHttpContent content);
    void setFault(HttpFault fault, qint64 faultBytes = 0);
    void setLimits(const HttpLimits& limits);
    // The address written into the desktop program's links ("-s host#port#ssl").
    void setServerAddress(const ServerAddress& address);

    // Every request that was read completely, in arrival order.
    std::vector<HttpRequest> requests() const;
    void clearRequests();

    DocModel& model() { return m_model; }

private:
    void send(PeerStream& stream, const HttpResponse& response, const DocHttpContent& content);

    DocModel& m_model;
    mutable std::mutex m_mutex;  // guards everything below
    DocHttpContent m_content;
    HttpLimits m_limits;
    ServerAddress m_address;
    std::vector<HttpRequest> m_requests;
};

// The installation for programs and tests that need nothing else: the returned object serves
// the server's HTTP side and must live as long as the server.
std::unique_ptr<DocHttp> installHttpSide(DocServer& server, DocModel& model);

}  // namespace ov::test
