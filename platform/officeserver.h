#pragma once
// One running conversion server: a headless office kept running by a small script of
// LibreOffice's Python bridge (resources/office/officeserver.py), spoken to over a socket, one
// line each way. The office and the script form one process group, stopped together.
// Blocking; every wait has a deadline and watches a stop token. Used by one thread at a time.

#include "platform/officesuite.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <stop_token>

#include <sys/types.h>

namespace ov::platform {

class OfficeServerProcess {
public:
    using Deadline = std::chrono::steady_clock::time_point;
    enum class Read { Line, TimedOut, Cancelled, Closed };

    // The script goes to `script`; the office's user installation and log live in `workFolder`.
    OfficeServerProcess(const OfficeInstallation& office, const QString& workFolder,
                        const QString& script);
    // Stops the whole group at once and removes the sockets it leaves.
    ~OfficeServerProcess();
    OfficeServerProcess(const OfficeServerProcess&) = delete;
    OfficeServerProcess& operator=(const OfficeServerProcess&) = delete;

    // Starts the script and waits for its "ready"; false with `error` set otherwise.
    bool start(Deadline deadline, std::stop_token stop, QString& error);
    // Sends one line (the newline is added); false when the server is gone.
    bool send(const QByteArray& line);
    // Reads one line (without its newline).
    Read readLine(QByteArray& line, Deadline deadline, std::stop_token stop);

    bool hasExited() const;
    pid_t processGroup() const { return m_pid; }

private:
    bool fill(Deadline deadline, std::stop_token stop, Read& why);

    QString m_python;
    QString m_soffice;
    QString m_workFolder;
    QString m_script;
    QString m_pipe;
    pid_t m_pid = -1;
    int m_socket = -1;
    QByteArray m_buffer;
};

}  // namespace ov::platform
