#include "platform/officeserver.h"

#include "platform/officegroup.h"
#include "platform/officeprocess.h"

#include <QUuid>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace ov::platform {

namespace {

constexpr auto kSlice = 20ms;
// A reply line longer than this is not one of ours.
constexpr qsizetype kMaxLine = 64 * 1024;

int millisUntil(OfficeServerProcess::Deadline deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<qint64>(left.count(), 0, kSlice.count()));
}

QString profileOf(const QString& workFolder) {
    return officeProfileUrl(workFolder + u"profile"_s);
}

}  // namespace

OfficeServerProcess::OfficeServerProcess(const OfficeInstallation& office,
                                         const QString& workFolder, const QString& script)
    : m_python(office.python),
      m_soffice(office.program),
      m_workFolder(workFolder),
      m_script(script),
      m_pipe(u"ov-office-"_s + QUuid::createUuid().toString(QUuid::Id128)) {}

OfficeServerProcess::~OfficeServerProcess() {
    if (m_socket >= 0) ::close(m_socket);
    if (m_pid <= 0) return;
    stopOfficeGroup(m_pid);
    reapOfficeLeader(m_pid);
    removeOfficeSockets({profileOf(m_workFolder)}, {m_pipe});
}

bool OfficeServerProcess::start(Deadline deadline, std::stop_token stop, QString& error) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        error = u"no socket for the office can be made"_s;
        return false;
    }
    const OfficeSpawn spawn{m_python,
                            {m_script, m_soffice, profileOf(m_workFolder), m_pipe},
                            m_workFolder,
                            ends[1]};
    m_pid = spawnOfficeGroup(spawn, error);
    ::close(ends[1]);
    m_socket = ends[0];
    if (m_pid < 0) return false;
    QByteArray line;
    const Read read = readLine(line, deadline, stop);
    if (read == Read::Line && line == "ready") return true;
    error = read == Read::TimedOut    ? u"the office did not start in time"_s
            : read == Read::Cancelled ? u"the office job was cancelled"_s
            : line.startsWith("lost\t") ? QString::fromUtf8(line.mid(5))
                                        : u"the office ended at its start: "_s +
                                              officeLogLastWords(m_workFolder);
    return false;
}

bool OfficeServerProcess::send(const QByteArray& line) {
    const QByteArray bytes = line + '\n';
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(m_socket, bytes.constData() + sent,
                                 static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

OfficeServerProcess::Read OfficeServerProcess::readLine(QByteArray& line, Deadline deadline,
                                                        std::stop_token stop) {
    Read why = Read::Line;
    while (!m_buffer.contains('\n')) {
        if (!fill(deadline, stop, why)) return why;
    }
    const qsizetype end = m_buffer.indexOf('\n');
    line = m_buffer.left(end);
    m_buffer.remove(0, end + 1);
    return Read::Line;
}

// Waits in short slices for more bytes; false with the reason when none can come.
bool OfficeServerProcess::fill(Deadline deadline, std::stop_token stop, Read& why) {
    for (;;) {
        if (stop.stop_requested()) return why = Read::Cancelled, false;
        if (std::chrono::steady_clock::now() >= deadline) return why = Read::TimedOut, false;
        pollfd wait{m_socket, POLLIN, 0};
        if (::poll(&wait, 1, millisUntil(deadline)) <= 0) continue;
        char chunk[4096];
        const ssize_t n = ::recv(m_socket, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || m_buffer.size() + n > kMaxLine) return why = Read::Closed, false;
        m_buffer.append(chunk, n);
        return true;
    }
}

bool OfficeServerProcess::hasExited() const {
    return m_pid <= 0 || officeLeaderExited(m_pid);
}

}  // namespace ov::platform
