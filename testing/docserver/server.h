#pragma once
// The test double of the document server: one loopback port, plain or TLS, that reads the first
// line of every connection and dispatches on it. The control channel ("VESKO /TCP/1.0") is
// framed here and each request goes to the registered control handler; any other first line
// goes to a stream handler registered for it (the file channel, HTTP), which takes over the
// connection. Each connection runs on its own thread, so tests call the blocking clients on
// their own thread. It can fail on purpose and records every control request.

#include "testing/docserver/transport/peerstream.h"
#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/frame.h"
#include "testing/docserver/testcert.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ov::test {

// One control-channel request as it arrived.
struct ControlRequest {
    QByteArray raw;       // everything read: greeting line with CR LF, then the whole frame
    QByteArray greeting;  // the first line without CR LF
    qint32 length = 0;    // the frame's length field L
    wire::Head head;
    QByteArray payload;  // empty when the frame had none
    qint32 trailer = 0;
    // The payload as UTF-16LE text.
    QString text() const;
};

// What the server answers. When `rawFrame` is set it is sent as it stands instead of a frame
// built from head and payload (for replies a real server would never send).
struct ControlReply {
    wire::Head head;
    QByteArray payload;
    std::optional<QByteArray> rawFrame;

    // A reply with the state byte and the text as UTF-16LE payload.
    static ControlReply withText(std::uint8_t state, const QString& text);
    // The frame bytes of this reply with the given trailer.
    QByteArray frame(qint32 trailer = wire::EndMark) const;
};

using ControlHandler = std::function<ControlReply(const ControlRequest&)>;
// Takes over a connection after its first line (given without CR LF). The stream is closed
// when the handler returns; exceptions from the stream end the connection quietly.
using StreamHandler = std::function<void(PeerStream& stream, const QByteArray& firstLine)>;

enum class Fault {
    None,
    Refuse,           // every connection is reset as soon as it is accepted
    CloseAfterBytes,  // the reply is cut off after `faultBytes` bytes and the connection closed
    WrongTrailer,     // the reply ends with a trailer other than the end mark
    Stall             // the request is read and recorded, no reply is ever sent
};

class DocServer {
public:
    struct Options {
        bool tls = false;
        quint16 port = 0;  // 0: any free port
        // The certificate for TLS; a new self-signed one when not given.
        std::optional<TestCertificate> certificate;
    };

    DocServer();  // plain, any free port
    explicit DocServer(Options options);
    ~DocServer();  // stops
    DocServer(const DocServer&) = delete;
    DocServer& operator=(const DocServer&) = delete;

    quint16 port() const;
    bool isTls() const;
    QString host() const { return QStringLiteral("127.0.0.1"); }
    // The certificate presented to the next connections.
    TestCertificate certificate() const;
    void setCertificate(const TestCertificate& certificate);

    // Handlers may be set at any time; they run on connection threads.
    void setControlHandler(ControlHandler handler);
    // Connections whose first line equals `firstLine` go to the handler.
    void setStreamHandler(const QByteArray& firstLine, StreamHandler handler);
    // Connections whose first line matches nothing else (HTTP requests).
    void setFallbackHandler(StreamHandler handler);

    void setFault(Fault fault, int faultBytes = 0);

    std::vector<ControlRequest> requests() const;
    void clearRequests();
    // Number of connections accepted so far.
    int connectionCount() const;

    // Stops accepting, ends every open connection and joins every thread. Idempotent.
    void stop();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace ov::test
