#pragma once
// Windows that other processes of the same user find by class name and send messages to, the
// way desktop programs hand work to a running instance. A window listens on a local socket
// named after its class and the user, in the user's private runtime folder; a message is three
// numbers (msg, wParam, lParam). "Post" delivers and goes on; "send" waits, with a time limit,
// for the number the receiving handler returns. Handlers run on the thread that owns the
// BusWindow (the user-interface thread), one message at a time.
//
// The client functions block and need no event loop, so any thread may call them. A thread
// must not send to a window that it owns itself (it would wait for its own handler).

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace ov::platform {

class BusWindow : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<qint64(quint32 msg, qint64 wParam, qint64 lParam)>;

    explicit BusWindow(const QString& className, QObject* parent = nullptr);
    ~BusWindow() override;

    // Starts listening. False when another live window of this class exists for the user, the
    // class name is not usable (see isValidClassName) or the socket cannot be created. A
    // socket left behind by a process that died is replaced.
    bool listen();
    bool isListening() const;
    void close();

    // The handler for every message; without one, messages are read and answered with 0.
    void setHandler(Handler handler);
    QString className() const { return m_className; }

private:
    void acceptConnections();
    void readFrames(QLocalSocket* socket);

    QString m_className;
    QLocalServer* m_server = nullptr;
    Handler m_handler;
};

// A handle of a found window: the socket it listens on.
struct WindowHandle {
    QString socketPath;
    explicit operator bool() const { return !socketPath.isEmpty(); }
};

// Class names are compared without regard to letter case. Usable names are 1 to 64 characters
// of ASCII letters, digits and "_".
bool isValidClassName(const QString& className);

// The socket a window of the class listens on (in runtimeFolder()); "" for an unusable name.
QString windowSocketPath(const QString& className);

// The window of the class, when one is listening for this user.
WindowHandle findWindow(const QString& className, int timeoutMs = 1000);

// Delivers the message and returns without waiting for the handler. False when the window is
// gone or the message could not be written within the time limit.
bool postMessage(const WindowHandle& window, quint32 msg, qint64 wParam, qint64 lParam,
                 int timeoutMs = 2000);

// Delivers the message and waits for the handler's result; nullopt when the window is gone or
// no result came within the time limit.
std::optional<qint64> sendMessage(const WindowHandle& window, quint32 msg, qint64 wParam,
                                  qint64 lParam, int timeoutMs = 5000);

}  // namespace ov::platform
