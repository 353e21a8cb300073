#include "testing/docserver/connection.h"

#include "testing/docserver/codec/bytes.h"
#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/frame.h"

#include <sys/socket.h>

namespace ov::test {

namespace {

constexpr qint32 MaxRequestPayload = 64 * 1024 * 1024;
constexpr int MaxLine = 16384;
constexpr qint32 BadTrailer = 0x0BADBAD0;

// The first line as sent, CR LF included.
QByteArray readRawLine(PeerStream& stream) {
    QByteArray line;
    char c = 0;
    while (c != '\n') {
        if (line.size() > MaxLine)
            throw PeerError(PeerError::Kind::Protocol, QStringLiteral("line too long"));
        stream.readExact(&c, 1);
        line.append(c);
    }
    return line;
}

qint32 readInt32(PeerStream& stream, QByteArray& raw) {
    char bytes[4];
    stream.readExact(bytes, 4);
    raw.append(bytes, 4);
    return wire::getBE32(bytes);
}

ControlRequest readRequest(PeerStream& stream, const QByteArray& rawLine) {
    ControlRequest request;
    request.raw = rawLine;
    request.greeting = rawLine.trimmed();
    request.length = readInt32(stream, request.raw);
    char head[wire::HeadSize];
    stream.readExact(head, wire::HeadSize);
    request.raw.append(head, wire::HeadSize);
    request.head = wire::decodeHead(head);
    if (request.length > wire::EmptyFrameLength) {
        const qint32 size = readInt32(stream, request.raw);
        if (size < 0 || size > MaxRequestPayload)
            throw PeerError(PeerError::Kind::Protocol, QStringLiteral("payload too large"));
        request.payload.resize(size);
        stream.readExact(request.payload.data(), size);
        request.raw += request.payload;
    }
    request.trailer = readInt32(stream, request.raw);
    return request;
}

ControlReply defaultReply() {
    ControlReply reply;
    reply.head.Version = wire::ProtocolVersion;
    reply.head.TranType = wire::RS_Ok;
    return reply;
}

// Answers one request; false when the connection must end afterwards.
bool serveControl(ServerState& state, PeerStream& stream, const QByteArray& rawLine) {
    const ControlRequest request = readRequest(stream, rawLine);
    state.record(request);
    const Fault fault = state.get(&ServerState::fault);
    if (fault == Fault::Stall) {
        stallConnection(stream);
        return false;
    }
    const ControlHandler handler = state.get(&ServerState::control);
    const ControlReply reply = handler ? handler(request) : defaultReply();
    const QByteArray bytes =
        reply.rawFrame ? *reply.rawFrame
                       : reply.frame(fault == Fault::WrongTrailer ? BadTrailer : wire::EndMark);
    if (fault == Fault::CloseAfterBytes) {
        stream.write(bytes.left(state.get(&ServerState::faultBytes)));
        return false;
    }
    stream.write(bytes);
    return true;
}

void serve(ServerState& state, PeerStream& stream, int fd) {
    const auto credentials = state.get(&ServerState::credentials);
    stream.adopt(fd, state.get(&ServerState::tls) ? credentials.get() : nullptr);
    for (;;) {
        const QByteArray rawLine = readRawLine(stream);
        const QByteArray line = rawLine.trimmed();
        if (line == wire::ControlGreeting) {
            if (!serveControl(state, stream, rawLine)) return;
            continue;
        }
        if (const StreamHandler handler = state.streamHandler(line)) handler(stream, line);
        return;
    }
}

}  // namespace

void serveConnection(ServerState& state, int socketFd, ConnectionSlot& slot) {
    PeerStream stream;
    try {
        serve(state, stream, socketFd);
    } catch (...) {
        // A broken or refused connection ends here; the client sees it closed.
    }
    stream.close();
    // The duplicate descriptor keeps the socket alive: end it so the client sees the close now.
    ::shutdown(slot.wakeFd, SHUT_RDWR);
    slot.done = true;
}

void stallConnection(PeerStream& stream) {
    stream.setReadTimeout(100);
    char byte = 0;
    for (;;) {
        try {
            stream.readSome(&byte, 1);
        } catch (const PeerError& e) {
            if (e.kind() != PeerError::Kind::TimeOut) return;
        }
    }
}

}  // namespace ov::test
