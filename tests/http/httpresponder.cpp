#include "httpresponder.h"

#include "testing/docserver/codec/stream.h"

#include <thread>

namespace ov::test {

namespace {

constexpr int MaxLine = 8192;

}  // namespace

HttpResponder::HttpResponder(DocServer& server) {
    server.setFallbackHandler(
        [this](PeerStream& stream, const QByteArray& line) { serve(stream, line); });
}

void HttpResponder::set(const QByteArray& path, const HttpAnswer& answer) {
    std::lock_guard lock(m_mutex);
    m_answers[path] = answer;
}

QList<QByteArray> HttpResponder::requestLines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

void HttpResponder::serve(PeerStream& stream, const QByteArray& firstLine) {
    QByteArray line = firstLine;
    for (;;) {  // one request after another on a kept-alive connection
        while (!wire::readLine(stream, MaxLine).isEmpty()) {
        }
        const QByteArray path = line.split(' ').value(1);
        HttpAnswer answer;
        {
            std::lock_guard lock(m_mutex);
            m_lines.append(line);
            answer = m_answers.value(path, HttpAnswer{"HTTP/1.1 404 Not Found", {}, "missing"});
        }
        QByteArray head = answer.statusLine + "\r\n";
        for (const QByteArray& h : answer.headers)
            head += h + "\r\n";
        head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n\r\n";
        stream.write(head);
        if (answer.pauseMs) std::this_thread::sleep_for(std::chrono::milliseconds(answer.pauseMs));
        stream.write(answer.body);
        line = wire::readLine(stream, MaxLine);
    }
}

}  // namespace ov::test
