#pragma once
// A scripted server on a loopback port that answers every connection with the same bytes: the
// first `burst` of them at once, the rest one byte at a time with a pause between them, until
// the client hangs up or the server goes away. It stands for a server that sends just enough
// to never trip a read time-out. What the client sends is read and thrown away.

#include <QByteArray>
#include <QtGlobal>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

namespace ov::test {

class TrickleServer {
public:
    TrickleServer(QByteArray reply, int burst, int pauseMs)
        : m_reply(std::move(reply)), m_burst(burst), m_pauseMs(pauseMs) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 8);
        socklen_t size = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~TrickleServer() {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }
    TrickleServer(const TrickleServer&) = delete;
    TrickleServer& operator=(const TrickleServer&) = delete;

    quint16 port() const { return m_port; }
    int connections() const { return m_connections; }

private:
    // Waits `ms` while reading what the client sends; false when the client hung up or the
    // server stops.
    bool pause(int fd, int ms) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!m_stop && std::chrono::steady_clock::now() < end) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return false;
        }
        return !m_stop;
    }
    bool send(int fd, const char* data, int size) {
        return ::send(fd, data, size_t(size), MSG_NOSIGNAL) == size;
    }
    void answer(int fd) {
        ++m_connections;
        const int burst = int(std::min<qsizetype>(m_burst, m_reply.size()));
        if (!send(fd, m_reply.constData(), burst)) return;
        for (int i = burst; i < m_reply.size(); ++i) {
            if (!pause(fd, m_pauseMs) || !send(fd, m_reply.constData() + i, 1)) return;
        }
        while (pause(fd, 100)) {
        }
    }
    void serve() {
        while (!m_stop) {
            pollfd p{m_listener, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            answer(fd);
            ::close(fd);
        }
    }

    QByteArray m_reply;
    int m_burst;
    int m_pauseMs;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::thread m_thread;
};

}  // namespace ov::test
