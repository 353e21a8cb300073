// A print server of the test's own: cupsd with its own folders, listening only on a Unix socket
// in a temporary folder, without authentication, and one queue whose device is a file, so what
// a printer would be sent lands in that file. Nothing of the system's CUPS is touched.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace ov::test {

class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Why there is no queue (no cupsd, it did not start, the queue was refused); empty when the
    // queue is there.
    QString error() const { return m_error; }
    QString socket() const { return m_dir.filePath(QStringLiteral("cups.sock")); }
    QString output() const { return m_dir.filePath(QStringLiteral("out/printed.pdf")); }
    static QString queue() { return QStringLiteral("OvFileQueue"); }

private:
    bool writeConfig();
    bool start();
    bool addQueue();

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_error;
};

}  // namespace ov::test
