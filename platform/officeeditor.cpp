#include "platform/officeeditor.h"

#include "platform/officeserver.h"
#include "platform/officework.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The script's text: the file is both valid Python and, included here, one raw string literal.
constexpr char kScript[] =
#include "resources/office/officeeditor.py"
    ;

bool writeScript(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) &&
           file.write(kScript, sizeof(kScript) - 1) == qint64(sizeof(kScript) - 1);
}

OfficeResult failed(const QString& why) {
    return {OfficeStatus::Failed, why};
}

// Tabs and line ends would split the request; they never belong in a path or a typed text.
QByteArray field(const QString& text) {
    QString clean = text;
    clean.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return clean.toUtf8();
}

std::chrono::steady_clock::time_point after(std::chrono::milliseconds limit) {
    return std::chrono::steady_clock::now() + limit;
}

}  // namespace

OfficeEditorSession::OfficeEditorSession(OfficeInstallation office, QString workRoot)
    : m_office(std::move(office)), m_workRoot(std::move(workRoot)) {}

OfficeEditorSession::~OfficeEditorSession() {
    stop();
}

bool OfficeEditorSession::isRunning() const {
    std::lock_guard lock(m_mutex);
    return m_server && !m_server->hasExited();
}

OfficeResult OfficeEditorSession::open(const QString& document) {
    std::lock_guard lock(m_mutex);
    if (m_office.python.isEmpty())
        return {OfficeStatus::NotInstalled, u"the office has no Python bridge"_s};
    const OfficeResult running = ensureRunning();
    if (!running.ok()) return running;
    return exchange("open\t" + field(QFileInfo(document).absoluteFilePath()), requestLimit);
}

OfficeResult OfficeEditorSession::request(const QString& op, const QString& argument) {
    std::lock_guard lock(m_mutex);
    if (!m_server) return failed(u"the office is not running"_s);
    QByteArray line = field(op);
    if (!argument.isNull()) line += '\t' + field(argument);
    return exchange(line, requestLimit);
}

void OfficeEditorSession::stop() {
    std::lock_guard lock(m_mutex);
    if (m_server && !m_server->hasExited()) {
        m_server->send("close");
        QByteArray reply;
        m_server->readLine(reply, after(std::chrono::milliseconds(5000)), {});
    }
    m_server.reset();
    m_work.reset();
}

OfficeResult OfficeEditorSession::ensureRunning() {
    if (m_server && !m_server->hasExited()) return {OfficeStatus::Ok, {}};
    m_server.reset();
    m_work = std::make_unique<OfficeWorkFolder>(m_workRoot);
    const QString script = m_work->path() + u"officeeditor.py"_s;
    if (!m_work->isValid() || !writeScript(script)) {
        m_work.reset();
        return failed(u"no private temporary folder can be made"_s);
    }
    m_server = std::make_unique<OfficeServerProcess>(m_office, m_work->path(), script);
    QString error;
    if (m_server->start(after(startLimit), {}, error)) return {OfficeStatus::Ok, {}};
    m_server.reset();
    return failed(error);
}

OfficeResult OfficeEditorSession::exchange(const QByteArray& line,
                                           std::chrono::milliseconds limit) {
    if (!m_server->send(line)) {
        m_server.reset();
        return failed(u"the office is gone"_s);
    }
    QByteArray reply;
    const auto read = m_server->readLine(reply, after(limit), {});
    if (read == OfficeServerProcess::Read::Line && reply == "ok") return {OfficeStatus::Ok, {}};
    if (read == OfficeServerProcess::Read::Line && reply.startsWith("failed\t"))
        return failed(QString::fromUtf8(reply.mid(7)));
    const bool timedOut = read == OfficeServerProcess::Read::TimedOut;
    const QString why = reply.startsWith("lost\t") ? QString::fromUtf8(reply.mid(5))
                        : timedOut                 ? u"the office did not answer in time"_s
                                                   : u"the office is gone"_s;
    m_server.reset();  // a lost or silent office is stopped
    return {timedOut ? OfficeStatus::TimedOut : OfficeStatus::Failed, why};
}

}  // namespace ov::platform
