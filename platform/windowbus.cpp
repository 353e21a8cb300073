#include "platform/windowbus.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include "platform/folders.h"

namespace ov::platform {

namespace {

// A frame: kind (1 byte), msg (4 bytes), wParam and lParam (8 bytes each), big-endian. Every
// frame has this one size, so nothing a peer sends can make the receiver buffer more.
constexpr qint64 kFrameSize = 21;
constexpr qint64 kReplySize = 8;
constexpr char kPost = 1;
constexpr char kSend = 2;
// A window serves a few callers at a time; further connections are closed at once.
constexpr int kMaxConnections = 32;
constexpr int kIdleMs = 30000;

QByteArray frame(char kind, quint32 msg, qint64 wParam, qint64 lParam) {
    QByteArray bytes(kFrameSize, Qt::Uninitialized);
    bytes[0] = kind;
    qToBigEndian(msg, bytes.data() + 1);
    qToBigEndian(wParam, bytes.data() + 5);
    qToBigEndian(lParam, bytes.data() + 13);
    return bytes;
}

// Whether the peer runs as this user; the socket's folder is private already, this guards a
// folder whose mode was changed.
bool peerIsSameUser(const QLocalSocket* socket) {
    ucred cred{};
    socklen_t length = sizeof(cred);
    const int fd = static_cast<int>(socket->socketDescriptor());
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0) return false;
    return cred.uid == ::getuid();
}

bool connectTo(QLocalSocket& socket, const QString& path, int timeoutMs) {
    socket.connectToServer(path);
    return socket.state() == QLocalSocket::ConnectedState || socket.waitForConnected(timeoutMs);
}

bool writeAll(QLocalSocket& socket, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    if (socket.write(bytes) != bytes.size()) return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    }
    return true;
}

}  // namespace

bool isValidClassName(const QString& className) {
    if (className.isEmpty() || className.size() > 64) return false;
    for (const QChar c : className) {
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == QLatin1Char('_'))) return false;
    }
    return true;
}

QString windowSocketPath(const QString& className) {
    if (!isValidClassName(className)) return {};
    const QString user = QString::number(static_cast<qulonglong>(::getuid()));
    return runtimeFolder() + QStringLiteral("ovwin-%1-%2").arg(user, className.toLower());
}

BusWindow::BusWindow(const QString& className, QObject* parent)
    : QObject(parent), m_className(className) {}

BusWindow::~BusWindow() {
    close();
}

bool BusWindow::listen() {
    if (isListening()) return true;
    const QString path = windowSocketPath(m_className);
    if (path.isEmpty()) return false;
    // No socket options: with them the server would rename its socket over a live window's.
    // Only this user can reach the socket anyway (private folder, peer check).
    auto server = new QLocalServer(this);
    server->setMaxPendingConnections(kMaxConnections);
    if (!server->listen(path)) {
        // A socket file nobody answers on was left by a process that died.
        if (findWindow(m_className, 500) || !QLocalServer::removeServer(path) ||
            !server->listen(path)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &BusWindow::acceptConnections);
    return true;
}

bool BusWindow::isListening() const {
    return m_server && m_server->isListening();
}

void BusWindow::close() {
    if (!m_server) return;
    m_server->close();  // removes the socket file
    delete m_server;
    m_server = nullptr;
}

void BusWindow::setHandler(Handler handler) {
    m_handler = std::move(handler);
}

void BusWindow::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_server->findChildren<QLocalSocket*>().size() > kMaxConnections ||
            !peerIsSameUser(socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A caller that connects and stays silent does not hold its place for ever.
        QTimer::singleShot(kIdleMs, socket, &QLocalSocket::abort);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
        if (socket->bytesAvailable() > 0) readFrames(socket);
    }
}

void BusWindow::readFrames(QLocalSocket* socket) {
    // A handler that runs an event loop of its own may see the connection closed and freed
    // there (its caller posted and went).
    const QPointer<QLocalSocket> alive(socket);
    while (alive && socket->bytesAvailable() >= kFrameSize) {
        const QByteArray bytes = socket->read(kFrameSize);
        const char kind = bytes[0];
        if (kind != kPost && kind != kSend) {
            socket->abort();
            return;
        }
        const auto msg = qFromBigEndian<quint32>(bytes.constData() + 1);
        const auto wParam = qFromBigEndian<qint64>(bytes.constData() + 5);
        const auto lParam = qFromBigEndian<qint64>(bytes.constData() + 13);
        const qint64 result = m_handler ? m_handler(msg, wParam, lParam) : 0;
        if (kind == kSend && alive && socket->state() == QLocalSocket::ConnectedState) {
            QByteArray reply(kReplySize, Qt::Uninitialized);
            qToBigEndian(result, reply.data());
            socket->write(reply);
            socket->flush();
        }
    }
}

WindowHandle findWindow(const QString& className, int timeoutMs) {
    const QString path = windowSocketPath(className);
    if (path.isEmpty() || !QFile::exists(path)) return {};
    QLocalSocket socket;
    if (!connectTo(socket, path, timeoutMs)) return {};
    socket.disconnectFromServer();
    return WindowHandle{path};
}

bool postMessage(const WindowHandle& window, quint32 msg, qint64 wParam, qint64 lParam,
                 int timeoutMs) {
    if (!window) return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    if (!connectTo(socket, window.socketPath, timeoutMs)) return false;
    const bool written = writeAll(socket, frame(kPost, msg, wParam, lParam), deadline);
    socket.disconnectFromServer();
    return written;
}

std::optional<qint64> sendMessage(const WindowHandle& window, quint32 msg, qint64 wParam,
                                  qint64 lParam, int timeoutMs) {
    if (!window) return std::nullopt;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    if (!connectTo(socket, window.socketPath, timeoutMs)) return std::nullopt;
    if (!writeAll(socket, frame(kSend, msg, wParam, lParam), deadline)) return std::nullopt;
    while (socket.bytesAvailable() < kReplySize) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return std::nullopt;
    }
    const QByteArray reply = socket.read(kReplySize);
    socket.disconnectFromServer();
    return qFromBigEndian<qint64>(reply.constData());
}

}  // namespace ov::platform
