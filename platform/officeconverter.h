#pragma once
// The warm converter: one headless LibreOffice kept running for the session, through which
// office documents (also drawings) are converted to PDF for viewing in a few tens of
// milliseconds instead of the seconds that starting an office takes.
//
// The office starts with the first conversion, with a private user installation in a private
// folder (removed when the converter goes), and is ended with the converter. It is replaced
// when it has died (the conversion that finds it gone is tried once more on a new one) and when
// a conversion passes its time limit (the office is stopped, that conversion ends TimedOut and
// the next one starts a new office). A conversion's time limit covers the start of an office
// it waits for; a start also has a limit of its own (setStartLimit). A cancelled conversion returns at once; the office
// finishes it unseen and its PDF is thrown away.
//
// Conversions are done one after another: convert() blocks (call it on a worker thread, or use
// OfficeJob::startWarmConversion) and may be called from several threads at once.

#include "platform/officeconvert.h"
#include "platform/officeresult.h"
#include "platform/officesuite.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <stop_token>

#include <sys/types.h>

namespace ov::platform {

class OfficeServerProcess;
class OfficeWorkFolder;

class WarmOfficeConverter {
public:
    // `workRoot`: where the private folder is made; empty means the system's temporary folder.
    explicit WarmOfficeConverter(OfficeInstallation office, QString workRoot = {});
    ~WarmOfficeConverter();  // ends the office
    WarmOfficeConverter(const WarmOfficeConverter&) = delete;
    WarmOfficeConverter& operator=(const WarmOfficeConverter&) = delete;

    // Converts as convertToPdf does (same results), through the running office.
    OfficeResult convert(const PdfConversion& conversion, std::stop_token stop = {});
    // Ends the office now; the next conversion starts a new one.
    void end();

    // How long a start of the office may take.
    void setStartLimit(std::chrono::milliseconds limit);
    // The running office's process group (0 when none runs) and how many offices were started.
    pid_t processGroup() const;
    int starts() const;

private:
    using Deadline = std::chrono::steady_clock::time_point;
    OfficeResult convertLocked(const PdfConversion& conversion, std::stop_token stop);
    OfficeResult attempt(const PdfConversion& conversion, Deadline deadline,
                         std::stop_token stop, bool& lost);
    OfficeResult ensureRunning(std::stop_token stop, Deadline deadline);
    OfficeResult drainOwed(std::stop_token stop);
    OfficeResult answerOf(const QByteArray& reply, const QString& pdf, const QString& target,
                          bool& lost);
    void stopServer();

    mutable std::mutex m_mutex;
    OfficeInstallation m_office;
    QString m_workRoot;
    std::unique_ptr<OfficeWorkFolder> m_work;
    std::unique_ptr<OfficeServerProcess> m_server;
    std::chrono::milliseconds m_startLimit{90000};
    int m_starts = 0;
    int m_serial = 0;
    // Replies still to come for conversions whose callers stopped waiting, and until when.
    int m_owed = 0;
    Deadline m_owedUntil{};
};

// The session's converter for that office: made on first use, shared by every previewer of
// the process, ended by endSessionOfficeConverters (the program's end calls it; it also runs
// when the application object goes).
std::shared_ptr<WarmOfficeConverter> sessionOfficeConverter(const OfficeInstallation& office);
void endSessionOfficeConverters();

}  // namespace ov::platform
