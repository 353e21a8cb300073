#include "testing/docserver/server.h"

#include "testing/docserver/codec/bytes.h"
#include "testing/docserver/connection.h"
#include "testing/docserver/serverstate.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace ov::test {

StreamHandler ServerState::streamHandler(const QByteArray& firstLine) const {
    std::lock_guard lock(mutex);
    const auto found = streamHandlers.find(firstLine);
    return found != streamHandlers.end() ? found->second : fallback;
}

void ServerState::record(const ControlRequest& request) {
    std::lock_guard lock(mutex);
    requests.push_back(request);
}

QString ControlRequest::text() const {
    return wire::fromUtf16le(payload);
}

ControlReply ControlReply::withText(std::uint8_t state, const QString& text) {
    ControlReply reply;
    reply.head.Version = wire::ProtocolVersion;
    reply.head.TranType = state;
    reply.payload = wire::utf16le(text);
    return reply;
}

QByteArray ControlReply::frame(qint32 trailer) const {
    return wire::encodeFrame(head, payload, trailer);
}

struct DocServer::Impl {
    ServerState state;
    int listenFd = -1;
    int wakePipe[2] = {-1, -1};
    quint16 port = 0;
    std::thread acceptThread;
    std::list<ConnectionSlot> liveConnections;  // touched by the accept thread only, then by stop()
    bool stopped = false;

    void listen(quint16 wanted);
    void acceptLoop();
    void accept();
    void reap(bool all);
};

void DocServer::Impl::listen(quint16 wanted) {
    listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(wanted);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd, 64) != 0 || ::pipe2(wakePipe, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(wanted) + ": " +
                                 std::strerror(errno));
    socklen_t size = sizeof address;
    ::getsockname(listenFd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
}

void DocServer::Impl::acceptLoop() {
    pollfd fds[2] = {{listenFd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
    for (;;) {
        fds[0].revents = fds[1].revents = 0;
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[1].revents != 0) return;
        if (fds[0].revents != 0) accept();
        reap(false);
    }
}

void DocServer::Impl::accept() {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    {
        std::lock_guard lock(state.mutex);
        ++state.connections;
    }
    if (state.get(&ServerState::fault) == Fault::Refuse) {
        const linger reset{1, 0};  // close with a reset, as a server that turns clients away
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        ::close(fd);
        return;
    }
    ConnectionSlot& slot = liveConnections.emplace_back();
    slot.wakeFd = ::dup(fd);
    slot.thread = std::thread([this, fd, &slot] { serveConnection(state, fd, slot); });
}

// Joins finished connection threads (or, with `all`, every one after waking it).
void DocServer::Impl::reap(bool all) {
    for (auto it = liveConnections.begin(); it != liveConnections.end();) {
        if (all) ::shutdown(it->wakeFd, SHUT_RDWR);
        if (!all && !it->done) {
            ++it;
            continue;
        }
        it->thread.join();
        ::close(it->wakeFd);
        it = liveConnections.erase(it);
    }
}

DocServer::DocServer() : DocServer(Options{}) {}

DocServer::DocServer(Options options) : m_impl(std::make_unique<Impl>()) {
    m_impl->state.tls = options.tls;
    if (options.tls)
        setCertificate(options.certificate ? *options.certificate : makeSelfSignedCertificate());
    m_impl->listen(options.port);
    m_impl->acceptThread = std::thread([impl = m_impl.get()] { impl->acceptLoop(); });
}

DocServer::~DocServer() {
    stop();
}

void DocServer::stop() {
    Impl& d = *m_impl;
    if (d.stopped) return;
    d.stopped = true;
    {
        std::lock_guard lock(d.state.mutex);
        d.state.stopping = true;
    }
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(d.wakePipe[1], &byte, 1);
    d.acceptThread.join();
    d.reap(true);
    ::close(d.listenFd);
    ::close(d.wakePipe[0]);
    ::close(d.wakePipe[1]);
}

quint16 DocServer::port() const {
    return m_impl->port;
}
bool DocServer::isTls() const {
    return m_impl->state.tls;
}

TestCertificate DocServer::certificate() const {
    return m_impl->state.get(&ServerState::certificate);
}

void DocServer::setCertificate(const TestCertificate& certificate) {
    auto credentials = std::make_shared<const TlsIdentity>(certificate.certificatePem,
                                                                    certificate.privateKeyPem);
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.certificate = certificate;
    m_impl->state.credentials = std::move(credentials);
}

void DocServer::setControlHandler(ControlHandler handler) {
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.control = std::move(handler);
}

void DocServer::setStreamHandler(const QByteArray& firstLine, StreamHandler handler) {
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.streamHandlers[firstLine] = std::move(handler);
}

void DocServer::setFallbackHandler(StreamHandler handler) {
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.fallback = std::move(handler);
}

void DocServer::setFault(Fault fault, int faultBytes) {
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.fault = fault;
    m_impl->state.faultBytes = faultBytes;
}

std::vector<ControlRequest> DocServer::requests() const {
    return m_impl->state.get(&ServerState::requests);
}

void DocServer::clearRequests() {
    std::lock_guard lock(m_impl->state.mutex);
    m_impl->state.requests.clear();
}

int DocServer::connectionCount() const {
    return m_impl->state.get(&ServerState::connections);
}

}  // namespace ov::test
