// The office previewer: the downloaded copy converted to PDF by LibreOffice on a worker thread
// and shown in the built-in viewer.

#include "documents/office/officepreview.h"

#include "core/filetype.h"
#include "documents/office/officepreviewnav.h"

#include <QFile>
#include <QSplitter>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov {

using platform::OfficeResult;
using platform::OfficeStatus;

QString TOfficeFilePreviewFrm::PdfPath() const {
    return m_shownCopy + u".pdf"_s;
}

void TOfficeFilePreviewFrm::RemovePdf() {
    if (!m_shownCopy.isEmpty()) QFile::remove(PdfPath());
}

void TOfficeFilePreviewFrm::LoadLocalFile(int FileType, const QString& FileName) {
    if (m_closed) {  // closed while the download ran
        QFile::remove(FileName);
        return;
    }
    if (m_job && m_job->isRunning()) {  // the conversion of a copy replaced by this one
        delete m_job;
        m_job = nullptr;
    }
    // A copy shown before (a new preview on the same form) is no longer needed.
    if (!m_shownCopy.isEmpty() && m_shownCopy != FileName) QFile::remove(m_shownCopy);
    m_shownCopy = FileName;
    m_fileType = FileType;
    // Called without ShowHTML (a host that fetched the file itself): decide the converter now.
    if (!m_gate.converter) m_gate = decideOfficeGate(CodeToExt(FileType), Suites());
    ShowHintText(m_texts.loading, TPreViewHint::PictureWait);
    m_viewStyle = 2;
    if (!m_viewer) CreateViewer();
    m_viewer->setReadOnly(DocReadonly());  // the options of this document
    m_viewer->show();
    StartConversion(FileName);
}

void TOfficeFilePreviewFrm::CreateViewer() {
    m_viewer = new platform::DocumentViewer(m_splitter);
    m_splitter->addWidget(m_viewer);
    m_splitter->setStretchFactor(1, 1);
    m_findBar->setViewer(m_viewer);
}

void TOfficeFilePreviewFrm::StartConversion(const QString& fileName) {
    if (!m_job) {
        m_job = new platform::OfficeJob(this);
        connect(m_job, &platform::OfficeJob::finished, this, [this](const OfficeResult& result) {
            if (m_jobKind == JobKind::Conversion)
                ConversionDone(result);
            else if (m_jobKind == JobKind::Revision)
                RevisionJobDone(result);
        });
    }
    m_jobKind = JobKind::Conversion;
    if (!m_gate.converter) {
        ConversionDone({OfficeStatus::NotInstalled, u"LibreOffice is not installed"_s});
        return;
    }
    platform::PdfConversion conversion{fileName, PdfPath(), m_timeLimit, FRoot};
    const auto warm = WarmConverter();
    const bool started = warm ? m_job->startWarmConversion(warm, conversion)
                              : m_job->startConversion(*m_gate.converter, conversion);
    if (!started) ConversionDone({OfficeStatus::Failed, u"another office job is running"_s});
}

// The office kept running for the session converts, unless it lacks its Python bridge.
std::shared_ptr<platform::WarmOfficeConverter> TOfficeFilePreviewFrm::WarmConverter() {
    if (!m_converter && m_gate.converter && !m_gate.converter->python.isEmpty())
        m_converter = platform::sessionOfficeConverter(*m_gate.converter);
    return m_converter;
}

void TOfficeFilePreviewFrm::ConversionDone(const OfficeResult& result) {
    if (result.ok()) ShowPdf();
    // A document shown before must not pass for the one whose conversion failed.
    if (result.ok() && m_viewer && m_viewer->isLoaded()) {
        if (PreViewHintFrm) PreViewHintFrm->hide();
        ApplyRestrictions();
        if (!m_timerStopped) m_clipboardTimer.start();
        emit documentShown(true);
        return;
    }
    ShowFailure(result);
    // Nothing is shown, so nothing needs the downloaded copy any longer.
    if (m_viewer) m_viewer->closeDocument();
    if (!m_shownCopy.isEmpty()) QFile::remove(m_shownCopy);
    emit documentShown(false);
}

// Loads the PDF and deletes it: the viewer keeps the file open.
void TOfficeFilePreviewFrm::ShowPdf() {
    const int page = m_viewer->isLoaded() ? m_viewer->currentPage() : 1;
    m_viewer->loadFile(PdfPath());
    RemovePdf();
    if (m_viewer->isLoaded()) {
        m_viewer->setCurrentPage(std::min(page, m_viewer->pageCount()));
        if (m_navPane->isVisible()) FillNavPane();
    }
}

void TOfficeFilePreviewFrm::ShowFailure(const OfficeResult& result) {
    RemovePdf();
    // A spreadsheet add-in known to break loading has its own message.
    bool addIn = false;
    if (m_gate.kind == OfficeDocKind::Excel) CheckFoxitExcelAddin(addIn);
    if (addIn) return;
    QString text = WLS_Not_Complete;
    if (result.status != OfficeStatus::NotInstalled) {
        const bool cn = Language() == HSL_CN;
        text = (cn ? u"文档无法显示："_s : u"The document cannot be shown: "_s) +
               (result.ok() ? m_viewer->errorText() : result.message);
    }
    ShowHintText(text, TPreViewHint::PictureError);
}

// A read-only document (the viewer offers no copy, save-as or print to a file): its keys and
// right clicks are guarded too.
void TOfficeFilePreviewFrm::ApplyRestrictions() {
    if (!DocReadonly()) return;
    AddKeyboardHook(m_viewer);
    AddMouseHook(m_viewer);
}

}  // namespace ov
