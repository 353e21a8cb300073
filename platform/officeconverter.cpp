#include "platform/officeconverter.h"

#include "platform/officegroup.h"
#include "platform/officeserver.h"
#include "platform/officework.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <thread>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The script's text: the file is both valid Python and, included here, one raw string literal.
constexpr char kScript[] =
#include "resources/office/officeserver.py"
    ;

OfficeResult failed(const QString& why) {
    return {OfficeStatus::Failed, why};
}

OfficeResult timedOut(std::chrono::milliseconds limit) {
    return {OfficeStatus::TimedOut, u"the office job took longer than %1 s"_s.arg(
                                        static_cast<double>(limit.count()) / 1000.0)};
}

OfficeResult cancelled() {
    return {OfficeStatus::Cancelled, u"the office job was cancelled"_s};
}

void clearFolder(const QString& folder) {
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
}

QByteArray requestLine(const QString& document, const QString& pdf) {
    return "convert\t" + QFile::encodeName(document) + '\t' + QFile::encodeName(pdf);
}

}  // namespace

WarmOfficeConverter::WarmOfficeConverter(OfficeInstallation office, QString workRoot)
    : m_office(std::move(office)), m_workRoot(std::move(workRoot)) {}

WarmOfficeConverter::~WarmOfficeConverter() {
    end();
}

void WarmOfficeConverter::end() {
    std::lock_guard lock(m_mutex);
    stopServer();
    m_work.reset();
}

void WarmOfficeConverter::setStartLimit(std::chrono::milliseconds limit) {
    std::lock_guard lock(m_mutex);
    m_startLimit = limit;
}

pid_t WarmOfficeConverter::processGroup() const {
    std::lock_guard lock(m_mutex);
    return m_server ? m_server->processGroup() : 0;
}

int WarmOfficeConverter::starts() const {
    std::lock_guard lock(m_mutex);
    return m_starts;
}

void WarmOfficeConverter::stopServer() {
    m_server.reset();
    m_owed = 0;
}

// Waits for the conversions before it (watching its stop token), then converts.
OfficeResult WarmOfficeConverter::convert(const PdfConversion& conversion, std::stop_token stop) {
    return timedOfficeJob([&] {
        std::unique_lock lock(m_mutex, std::defer_lock);
        while (!lock.try_lock()) {
            if (stop.stop_requested()) return cancelled();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return convertLocked(conversion, stop);
    });
}

// A conversion that finds a warm office gone is tried once more on a new one; one that started
// its own office is not (the document itself may have ended it).
OfficeResult WarmOfficeConverter::convertLocked(const PdfConversion& conversion,
                                                std::stop_token stop) {
    OfficeResult checked = checkPdfConversion(m_office, conversion);
    if (!checked.ok()) return checked;
    if (m_office.python.isEmpty())
        return {OfficeStatus::NotInstalled, u"LibreOffice's Python bridge is not installed"_s};
    // Requests are lines of tab-separated fields.
    if (conversion.document.contains(u'\t') || conversion.document.contains(u'\n'))
        return failed(u"the document's name cannot be passed to the office"_s);
    // The conversion's limit covers a start of the office it has to wait for.
    const auto deadline = std::chrono::steady_clock::now() + conversion.timeLimit;
    for (int round = 0; round < 2; ++round) {
        const bool warm = m_server && !m_server->hasExited();
        OfficeResult ready = warm ? drainOwed(stop) : ensureRunning(stop, deadline);
        if (ready.ok() && !m_server) ready = ensureRunning(stop, deadline);  // draining ended it
        if (ready.status == OfficeStatus::TimedOut) return timedOut(conversion.timeLimit);
        if (!ready.ok()) return ready;
        bool lost = false;
        OfficeResult result = attempt(conversion, deadline, stop, lost);
        if (!lost || !warm) return result;
    }
    return failed(u"the office ended during the conversion"_s);
}

OfficeResult WarmOfficeConverter::ensureRunning(std::stop_token stop, Deadline deadline) {
    stopServer();
    if (!m_work) {
        m_work = std::make_unique<OfficeWorkFolder>(m_workRoot);
        if (!m_work->isValid() || !QDir().mkpath(m_work->path() + u"out"_s) ||
            !m_work->writeScript(u"officeserver.py"_s, kScript)) {
            m_work.reset();
            return failed(u"no private temporary folder can be made"_s);
        }
    }
    m_server = std::make_unique<OfficeServerProcess>(m_office, m_work->path(),
                                                     m_work->path() + u"officeserver.py"_s);
    ++m_starts;
    QString error;
    const Deadline started = std::min(deadline, std::chrono::steady_clock::now() + m_startLimit);
    if (m_server->start(started, stop, error)) return {OfficeStatus::Ok, {}};
    stopServer();
    if (stop.stop_requested()) return cancelled();
    const bool late = std::chrono::steady_clock::now() >= deadline;
    return late ? OfficeResult{OfficeStatus::TimedOut, error} : failed(error);
}

// Reads the replies of conversions nobody waits for any longer; an office that does not give
// them by their deadline is stopped.
OfficeResult WarmOfficeConverter::drainOwed(std::stop_token stop) {
    while (m_owed > 0) {
        QByteArray line;
        const auto read = m_server->readLine(line, m_owedUntil, stop);
        if (read == OfficeServerProcess::Read::Cancelled) return cancelled();
        if (read != OfficeServerProcess::Read::Line) {
            stopServer();
            break;
        }
        --m_owed;
    }
    if (m_work) clearFolder(m_work->path() + u"out"_s);
    return {OfficeStatus::Ok, {}};
}

OfficeResult WarmOfficeConverter::attempt(const PdfConversion& conversion, Deadline deadline,
                                          std::stop_token stop, bool& lost) {
    const QString pdf = m_work->path() + u"out/%1.pdf"_s.arg(++m_serial);
    const QString document = QFileInfo(conversion.document).absoluteFilePath();
    if (!m_server->send(requestLine(document, pdf))) {
        lost = true;
        stopServer();
        return failed(u"the office is gone"_s);
    }
    QByteArray reply;
    switch (m_server->readLine(reply, deadline, stop)) {
        case OfficeServerProcess::Read::Line:
            return answerOf(reply, pdf, conversion.pdf, lost);
        case OfficeServerProcess::Read::Cancelled:
            ++m_owed;
            m_owedUntil = deadline;
            return cancelled();
        case OfficeServerProcess::Read::TimedOut:
            stopServer();
            return timedOut(conversion.timeLimit);
        case OfficeServerProcess::Read::Closed:
            break;
    }
    lost = true;
    stopServer();
    return failed(u"the office ended during the conversion"_s);
}

OfficeResult WarmOfficeConverter::answerOf(const QByteArray& reply, const QString& pdf,
                                           const QString& target, bool& lost) {
    if (reply == "ok") return placeOfficePdf(pdf, target, {});
    QFile::remove(pdf);
    const QString why = QString::fromUtf8(reply.mid(reply.indexOf('\t') + 1));
    if (!reply.startsWith("lost")) return failed(u"the office wrote no PDF: "_s + why);
    lost = true;
    stopServer();
    return failed(u"the office ended during the conversion: "_s + why);
}

// ---- the session's converters ----

namespace {

std::mutex g_sessionMutex;
std::map<QString, std::shared_ptr<WarmOfficeConverter>>& sessionConverters() {
    static std::map<QString, std::shared_ptr<WarmOfficeConverter>> converters;
    return converters;
}

}  // namespace

std::shared_ptr<WarmOfficeConverter> sessionOfficeConverter(const OfficeInstallation& office) {
    std::lock_guard lock(g_sessionMutex);
    auto& converters = sessionConverters();
    auto& converter = converters[office.program];
    if (!converter) {
        if (converters.size() == 1 && QCoreApplication::instance())
            qAddPostRoutine(endSessionOfficeConverters);
        converter = std::make_shared<WarmOfficeConverter>(office);
    }
    return converter;
}

void endSessionOfficeConverters() {
    std::map<QString, std::shared_ptr<WarmOfficeConverter>> ending;
    {
        std::lock_guard lock(g_sessionMutex);
        ending.swap(sessionConverters());
    }
    for (auto& [program, converter] : ending)
        converter->end();
}

}  // namespace ov::platform
