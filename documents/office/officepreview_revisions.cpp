// The office previewer: revisions of the shown document, done by LibreOffice on a worker
// thread, and their acceptance with the upload of the result as a new version.

#include "documents/office/officepreview.h"

#include "documents/office/officepreviewupload.h"

#include <QEventLoop>
#include <QFile>

using namespace Qt::StringLiterals;

namespace ov {

using platform::OfficeOperation;
using platform::OfficeResult;

void TOfficeFilePreviewFrm::ShowRevisions(bool VBool) {
    StartRevisionJob({OfficeOperation::trackRevisions(true), OfficeOperation::showRevisions(VBool),
                      OfficeOperation::exportPdf(PdfPath())});
}

void TOfficeFilePreviewFrm::AcceptRevisions() {
    std::vector<OfficeOperation> operations = platform::acceptRevisionsOperations();
    operations.push_back(OfficeOperation::exportPdf(PdfPath()));
    StartRevisionJob(std::move(operations));
}

// Runs the operations on the local copy and shows the document as they leave it. Nothing
// without a shown document; one office job at a time.
void TOfficeFilePreviewFrm::StartRevisionJob(std::vector<OfficeOperation> operations) {
    if (!m_viewer || !m_viewer->isLoaded() || !m_job || m_job->isRunning()) return;
    m_jobKind = JobKind::Revision;
    m_job->startOperations(*m_gate.converter,
                           {m_shownCopy, std::move(operations), m_timeLimit, FRoot});
}

void TOfficeFilePreviewFrm::RevisionJobDone(const OfficeResult& result) {
    if (result.ok())
        ShowPdf();
    else
        ShowOfficeMessage(result.message, m_texts.alertCaption);
    RemovePdf();
    emit revisionsDone(result.ok());
}

void TOfficeFilePreviewFrm::WaitForOfficeJob() {
    if (!m_job || !m_job->isRunning()) return;
    QEventLoop loop;
    connect(m_job, &platform::OfficeJob::finished, &loop, &QEventLoop::quit);
    connect(m_job, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

QString TOfficeFilePreviewFrm::RevisionAndUpload() {
    const QPointer<TOfficeFilePreviewFrm> self = this;
    WaitForOfficeJob();
    if (!self) return {};  // the previewer went away while its job ended
    if (!m_viewer || !m_viewer->isLoaded() || !m_job) return {};
    RevisionUpload upload{*m_gate.converter,
                          m_shownCopy,
                          m_shownCopy + u".tmp"_s,
                          FFileId,
                          {IsSSL(), ServerHost(), quint16(ServerPort()), UserIdStr(), Language()},
                          m_timeLimit,
                          FRoot};
    auto outcome = std::make_shared<RevisionUploadOutcome>();
    QPointer<platform::OfficeJob> job = m_job;
    m_jobKind = JobKind::Upload;
    QEventLoop loop;
    connect(m_job, &platform::OfficeJob::finished, &loop, &QEventLoop::quit);
    connect(m_job, &QObject::destroyed, &loop, &QEventLoop::quit);
    m_job->start([upload, outcome](std::stop_token stop) {
        *outcome = acceptRevisionsAndUpload(upload, stop);
        return OfficeResult{platform::OfficeStatus::Ok, {}};
    });
    loop.exec();
    if (!job) return {};  // the previewer was closed meanwhile
    if (outcome->failed) {
        ShowOfficeMessage(outcome->error, m_texts.alertCaption);
        return {};
    }
    CloseViewer();
    return outcome->reply;
}

}  // namespace ov
