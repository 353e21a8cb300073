#pragma once
// A small scripted HTTP/1.1 responder for the test server: each path answers with a fixed
// status, headers and body, optionally after a pause (to provoke read time-outs). Records the
// request lines it saw.

#include "testing/docserver/server.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <mutex>

namespace ov::test {

struct HttpAnswer {
    QByteArray statusLine = "HTTP/1.1 200 OK";
    QList<QByteArray> headers;  // "Name: value"
    QByteArray body;
    int pauseMs = 0;  // before the body (after the headers)
};

class HttpResponder {
public:
    explicit HttpResponder(DocServer& server);
    void set(const QByteArray& path, const HttpAnswer& answer);
    QList<QByteArray> requestLines() const;

private:
    void serve(PeerStream& stream, const QByteArray& firstLine);

    mutable std::mutex m_mutex;
    QMap<QByteArray, HttpAnswer> m_answers;
    QList<QByteArray> m_lines;
};

}  // namespace ov::test
