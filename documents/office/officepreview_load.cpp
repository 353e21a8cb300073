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
    if (FCloseAll) {  // closed while the download ran
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
    FFileType = FileType;
    // Called without ShowHTML (a host that fetched the file itself): decide the converter now.
    if (!m_gate.converter) m_gate = decideOfficeGate(CodeToExt(FileType), Suites());
    ShowHintText(m_texts.loading, TPreViewHint::PictureWait);
    FViewStyle = 2;
    if (!FOfficeViewerX) CreateViewer();
    FOfficeViewerX->setReadOnly(DocReadonly());  // the options of this document
    FOfficeViewerX->show();
    StartConversion(FileName);
}

void TOfficeFilePreviewFrm::CreateViewer() {
    FOfficeViewerX = new platform::DocumentViewer(m_splitter);
    m_splitter->addWidget(FOfficeViewerX);
    m_splitter->setStretchFactor(1, 1);
    m_findBar->setViewer(FOfficeViewerX);
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
    if (!m_job->startConversion(*m_gate.converter, conversion))
        ConversionDone({OfficeStatus::Failed, u"another office job is running"_s});
}

void TOfficeFilePreviewFrm::ConversionDone(const OfficeResult& result) {
    if (result.ok()) ShowPdf();
    // A document shown before must not pass for the one whose conversion failed.
    if (result.ok() && FOfficeViewerX && FOfficeViewerX->isLoaded()) {
        if (PreViewHintFrm) PreViewHintFrm->hide();
        ApplyRestrictions();
        if (!m_timerStopped) Timer1.start();
        emit documentShown(true);
        return;
    }
    ShowFailure(result);
    // Nothing is shown, so nothing needs the downloaded copy any longer.
    if (FOfficeViewerX) FOfficeViewerX->closeDocument();
    if (!m_shownCopy.isEmpty()) QFile::remove(m_shownCopy);
    emit documentShown(false);
}

// Loads the PDF and deletes it: the viewer keeps the file open.
void TOfficeFilePreviewFrm::ShowPdf() {
    const int page = FOfficeViewerX->isLoaded() ? FOfficeViewerX->currentPage() : 1;
    FOfficeViewerX->loadFile(PdfPath());
    RemovePdf();
    if (FOfficeViewerX->isLoaded()) {
        FOfficeViewerX->setCurrentPage(std::min(page, FOfficeViewerX->pageCount()));
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
               (result.ok() ? FOfficeViewerX->errorText() : result.message);
    }
    ShowHintText(text, TPreViewHint::PictureError);
}

// A read-only document (the viewer offers no copy, save-as or print to a file): its keys and
// right clicks are guarded too.
void TOfficeFilePreviewFrm::ApplyRestrictions() {
    if (!DocReadonly()) return;
    AddKeyboardHook(FOfficeViewerX);
    AddMouseHook(FOfficeViewerX);
}

}  // namespace ov
