// The office previewer: construction, the gate before the download, closing, and the timer of
// the clipboard guard.

#include "documents/office/officepreview.h"

#include "core/filetype.h"
#include "documents/office/officepreviewnav.h"

#include <QFile>
#include <QMessageBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TOfficeFilePreviewFrm::TOfficeFilePreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags), m_texts(OfficePreviewTexts::forLanguage(Language())) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    resize(677, 568);
    m_findBar = new OfficeFindBar(nullptr, Language(), this);
    m_splitter = new QSplitter(this);
    m_navPane = new QTreeWidget(m_splitter);
    m_navPane->setHeaderHidden(true);
    m_navPane->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_findBar);
    layout->addWidget(m_splitter, 1);
    m_clipboardTimer.setObjectName(u"Timer1"_s);
    m_clipboardTimer.setInterval(400);
    connect(&m_clipboardTimer, &QTimer::timeout, this, &TOfficeFilePreviewFrm::guardClipboard);
    // A failed download ends the preview; a good one goes on in LoadLocalFile.
    connect(this, &TPreviewBaseFrm::previewFinished, this, [this](bool loaded) {
        if (!loaded) emit documentShown(false);
    });
}

TOfficeFilePreviewFrm::~TOfficeFilePreviewFrm() {
    if (!m_closed) CloseOleObject();
}

void TOfficeFilePreviewFrm::SetOfficeSuites(std::vector<platform::OfficeInstallation> suites) {
    m_suites = std::move(suites);
}

std::vector<platform::OfficeInstallation> TOfficeFilePreviewFrm::Suites() const {
    return m_suites ? *m_suites : platform::findOfficeSuites();
}

void TOfficeFilePreviewFrm::ShowHTML(int FileType, int FileVer, std::int64_t FileKey) {
    FFileId = FileKey;
    m_fileType = FileType;
    m_gate = decideOfficeGate(CodeToExt(FileType), Suites());
    ApplyGate(FileType, FileVer, FileKey);
}

// The messages of a machine that cannot show the file; nothing is downloaded then.
void TOfficeFilePreviewFrm::ApplyGate(int FileType, int FileVer, std::int64_t FileKey) {
    switch (m_gate.outcome) {
        case OfficeGateOutcome::Load:
            PreviewEx(FileType, FileVer, FileKey);
            return;
        case OfficeGateOutcome::HintNeedOffice:
        case OfficeGateOutcome::HintCannotView:
            // Both with the error picture: the preview has ended, there is nothing to wait for.
            ShowHintText(WLS_NeedXP, TPreViewHint::PictureError);
            break;
        case OfficeGateOutcome::BoxNeedOoxml:
            ShowErrorMessage(WLS_Need2007);
            break;
        case OfficeGateOutcome::BoxNeedWps:
            ShowErrorMessage(WLS_NeedWPS);
            break;
        case OfficeGateOutcome::HintOldWps:
            ShowHintText(m_texts.oldWps, TPreViewHint::PictureError);
            break;
        case OfficeGateOutcome::BoxViewerMissing:
            ShowErrorMessage(WLS_RunAsAdmin);
            break;
    }
    emit documentShown(false);
}

void TOfficeFilePreviewFrm::CloseOleObject() {
    m_clipboardTimer.stop();
    m_closed = true;
    if (m_job) {
        delete m_job;  // stops a running office at once
        m_job = nullptr;
    }
    RemovePdf();
    if (!m_viewer) return;
    CloseViewer();
    delete m_viewer;
    m_viewer = nullptr;
    m_findBar->setViewer(nullptr);
    m_navPane->clear();
    if (!m_shownCopy.isEmpty()) QFile::remove(m_shownCopy);
}

void TOfficeFilePreviewFrm::CloseViewer() {
    if (m_preview) m_preview->close();
    m_viewer->closeDocument();
}

void TOfficeFilePreviewFrm::SaveAs(const QString&) {}

void TOfficeFilePreviewFrm::ClientMaxSize(float IeVer) {
    m_autoSize = IeVer >= 10;
}

// The viewer follows the form's size through its layout; what stays of this step is that the
// timer (and with it the clipboard guard) stops for good.
void TOfficeFilePreviewFrm::ClientMax2() {
    m_autoSize = false;
    m_timerStopped = true;
    m_clipboardTimer.stop();
}

// The clipboard guard of a read-only document: nothing copied from an office program may stay
// on the clipboard while the document is shown (WPS: nothing at all).
void TOfficeFilePreviewFrm::guardClipboard() {
    if (!DocReadonly() || AllowCtrlC() || m_viewStyle != 2) return;
    if (m_gate.platform == OfficePlatform::Wps) {
        ClearClipboard();
        return;
    }
    for (std::uint8_t source = 1; source <= 3; ++source)
        if (GetClipboardSource() == source) ClearClipboard();
}

void TOfficeFilePreviewFrm::ShowOfficeMessage(const QString& text, const QString& caption) {
    QMessageBox::critical(this, caption, text);
}

void TOfficeFilePreviewFrm::EditFind() {
    if (!m_viewer) return;
    m_findBar->open();
}

void TOfficeFilePreviewFrm::NavPaneVisible(bool B) {
    if (!m_viewer) return;
    if (B) FillNavPane();
    m_navPane->setVisible(B);
}

void TOfficeFilePreviewFrm::FillNavPane() {
    FillOutline(m_navPane, m_viewer);
}

}  // namespace ov
