#pragma once
// Runs one office job (a conversion to PDF, or document operations) on a thread of its own so
// that the user-interface thread never waits for the office, and reports the result through
// the signal finished() on the thread the job object lives in (its event loop delivers it).
//
// cancel() stops the office at once (its whole process group) and the job finishes with
// Cancelled. Destroying the object cancels a running job and waits for its thread; a result not
// yet delivered is then dropped.

#include "platform/officeconvert.h"
#include "platform/officeconverter.h"
#include "platform/officedocument.h"
#include "platform/officeresult.h"

#include <QObject>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

namespace ov::platform {

class OfficeJob : public QObject {
    Q_OBJECT
public:
    using Work = std::function<OfficeResult(std::stop_token)>;

    explicit OfficeJob(QObject* parent = nullptr);
    ~OfficeJob() override;

    // Start the work; false (and nothing started) while a job is still running.
    bool start(Work work);
    bool startConversion(const OfficeInstallation& office, const PdfConversion& conversion);
    // Through a warm converter, which the job keeps alive while it runs.
    bool startWarmConversion(std::shared_ptr<WarmOfficeConverter> converter,
                             const PdfConversion& conversion);
    bool startOperations(const OfficeInstallation& office, const DocumentOperations& job);

    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void finished(const ov::platform::OfficeResult& result);

private:
    void deliver(const OfficeResult& result);

    bool m_running = false;
    std::jthread m_thread;  // last member: joined before the rest goes away
};

}  // namespace ov::platform
