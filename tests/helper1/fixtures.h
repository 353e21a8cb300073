#pragma once
// Small fixtures shared by the tests of the helper routines.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QString>
#include <ostream>

#include <cstring>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ov::test {

// A bound local socket: a file that exists but cannot be opened for reading, even by root.
class SocketFile {
public:
    explicit SocketFile(const QString& path) {
        const QByteArray name = path.toLocal8Bit();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(name.size()) >= sizeof(address.sun_path)) return;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        m_bound = m_fd >= 0 &&
                  ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~SocketFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;

    bool bound() const { return m_bound; }

private:
    int m_fd = -1;
    bool m_bound = false;
};

}  // namespace ov::test
