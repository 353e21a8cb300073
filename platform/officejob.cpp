#include "platform/officejob.h"

#include <QMetaObject>

namespace ov::platform {

OfficeJob::OfficeJob(QObject* parent) : QObject(parent) {}

OfficeJob::~OfficeJob() {
    m_thread.request_stop();
    if (m_thread.joinable()) m_thread.join();
}

bool OfficeJob::start(Work work) {
    if (m_running || !work) return false;
    if (m_thread.joinable()) m_thread.join();  // the last job's thread, already at its end
    m_running = true;
    m_thread = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        const OfficeResult result = work(stop);
        // Queued to this object: dropped by Qt if the object is destroyed before delivery.
        QMetaObject::invokeMethod(
            this, [this, result] { deliver(result); }, Qt::QueuedConnection);
    });
    return true;
}

bool OfficeJob::startConversion(const OfficeInstallation& office, const PdfConversion& conversion) {
    return start([office, conversion](std::stop_token stop) {
        return convertToPdf(office, conversion, stop);
    });
}

bool OfficeJob::startWarmConversion(std::shared_ptr<WarmOfficeConverter> converter,
                                    const PdfConversion& conversion) {
    if (!converter) return false;
    return start([converter = std::move(converter), conversion](std::stop_token stop) {
        return converter->convert(conversion, stop);
    });
}

bool OfficeJob::startOperations(const OfficeInstallation& office, const DocumentOperations& job) {
    return start(
        [office, job](std::stop_token stop) { return runDocumentOperations(office, job, stop); });
}

void OfficeJob::cancel() {
    m_thread.request_stop();
}

void OfficeJob::deliver(const OfficeResult& result) {
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
    emit finished(result);
}

}  // namespace ov::platform
