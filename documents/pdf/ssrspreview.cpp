#include "documents/pdf/ssrspreview.h"

#include <QAction>
#include <QFile>
#include <QFont>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "documents/pdf/pdfpreviewtexts.h"
#include "documents/pdf/vieweraction.h"
#include "documents/preview/previewhint.h"
#include "platform/viewerprobe.h"
#include "platform/widgets/documentviewer.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The panel's room that a fitted page leaves free, in pixels, across and down.
constexpr int kSpareWidth = 80;
constexpr int kSpareHeight = 40;

// The page's width or height in pixels at 100 %. The viewer tells it through its fit: the zoom
// that fits the page into the view.
int pageExtentAt100(platform::DocumentViewer& viewer, bool across) {
    if (!viewer.isLoaded()) return 0;
    const double zoom = viewer.zoom();
    const auto fit = viewer.fitMode();
    across ? viewer.fitWidth() : viewer.fitHeight();
    const double fitted = viewer.zoom();
    const int room = across ? viewer.viewport()->width() : viewer.viewport()->height();
    if (fit == platform::DocumentViewer::FitMode::Width)
        viewer.fitWidth();
    else if (fit == platform::DocumentViewer::FitMode::Height)
        viewer.fitHeight();
    else
        viewer.setZoom(zoom);
    if (fitted <= 0 || room <= 0) return 0;
    return qRound(room * 100.0 / fitted);
}

}  // namespace

TSSrsPreviewFrm::TSSrsPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    buildForm();
    connectToolBar();
}

TSSrsPreviewFrm::~TSSrsPreviewFrm() {
    TSSrsPreviewFrm::CloseOleObject();
}

void TSSrsPreviewFrm::buildForm() {
    setObjectName(u"SSrsPreviewFrm"_s);
    resize(795, 544);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFont(QFont(pdftexts::formFontFamily(FHS_Language), 9));
    m_bar = BuildReaderToolBar(this, FHS_Language);
    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(u"PanelX"_s);
    auto* panelLayout = new QVBoxLayout(m_clientArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar.toolBar);
    layout->addWidget(m_clientArea, 1);
}

void TSSrsPreviewFrm::connectToolBar() {
    connect(m_bar.print, &QAction::triggered, this, [this] { Print(QString()); });
    connectViewerAction(m_bar.rotateLeft, this, &platform::DocumentViewer::rotateLeft);
    connectViewerAction(m_bar.rotateRight, this, &platform::DocumentViewer::rotateRight);
    connect(m_bar.fitWidth, &QAction::triggered, this, &TSSrsPreviewFrm::fitWidth);
    connect(m_bar.fitHeight, &QAction::triggered, this, &TSSrsPreviewFrm::fitHeight);
    connect(m_bar.zoomIn, &QAction::triggered, this, [this] { zoomBy(1.1); });
    connect(m_bar.zoomOut, &QAction::triggered, this, [this] { zoomBy(0.9); });
    connect(m_bar.previousPage, &QAction::triggered, this, &TSSrsPreviewFrm::pageUp);
    connect(m_bar.nextPage, &QAction::triggered, this, &TSSrsPreviewFrm::pageDown);
}

bool TSSrsPreviewFrm::CheckViewer() {
    if (platform::sursenReaderInstalled(platform::viewerProbe())) {
        m_version = u"1.0"_s;
        return true;
    }
    QMessageBox box(QMessageBox::NoIcon, pdftexts::sursenCaption(), pdftexts::sursenMissing(),
                    QMessageBox::Ok, this);
    box.exec();
    m_bar.toolBar->hide();
    return false;
}

void TSSrsPreviewFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    // The copy of an earlier preview on this form is no longer shown.
    if (!m_fileName.isEmpty() && m_fileName != FileName) QFile::remove(m_fileName);
    m_fileName = FileName;
    if (!m_viewer) {
        m_viewer = new platform::DocumentViewer(m_clientArea);
        m_viewer->setObjectName(u"PSursenX"_s);
        m_viewer->setContextMenuPolicy(Qt::PreventContextMenu);
        m_viewer->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
        m_clientArea->layout()->addWidget(m_viewer);
    }
    m_viewer->setReadOnly(DocReadonly());
    m_viewer->show();
    ShowHintText(pdftexts::sursenLoading(), TPreViewHint::PictureWait);
    const bool loaded = m_viewer->loadFile(FileName);
    if (!loaded)
        ShowHintText(m_viewer->errorText(), TPreViewHint::PictureError);
    else if (PreViewHintFrm)
        PreViewHintFrm->hide();
    m_pageWidth = pageExtentAt100(*m_viewer, true);
    m_pageHeight = pageExtentAt100(*m_viewer, false);
}

std::optional<double> TSSrsPreviewFrm::fitRatio(int panelExtent, int spare, int pageExtent) {
    if (pageExtent <= 0) return std::nullopt;
    return (double(panelExtent) * 100 - double(spare) * 100) / pageExtent;
}

void TSSrsPreviewFrm::fitWidth() {
    const auto ratio = fitRatio(m_clientArea->width(), kSpareWidth, m_pageWidth);
    if (m_viewer && ratio) m_viewer->setZoom(*ratio);
}

void TSSrsPreviewFrm::fitHeight() {
    const auto ratio = fitRatio(m_clientArea->height(), kSpareHeight, m_pageHeight);
    if (m_viewer && ratio) m_viewer->setZoom(*ratio);
}

void TSSrsPreviewFrm::zoomBy(double factor) {
    if (m_viewer) m_viewer->setZoom(m_viewer->zoom() * factor);
}

// The page buttons turn themselves off at the first and the last page.
void TSSrsPreviewFrm::pageUp() {
    m_bar.nextPage->setEnabled(true);
    if (!m_viewer) return;
    if (m_viewer->currentPage() - 1 < 1)
        m_bar.previousPage->setEnabled(false);
    else
        m_viewer->previousPage();
}

void TSSrsPreviewFrm::pageDown() {
    m_bar.previousPage->setEnabled(true);
    if (!m_viewer) return;
    if (m_viewer->currentPage() - 1 < m_viewer->pageCount() - 1)
        m_viewer->nextPage();
    else
        m_bar.nextPage->setEnabled(false);
}

void TSSrsPreviewFrm::Print(const QString& /*EffCode*/) {
    // This reader's prints are not reported to the server.
    if (CanPrint() && m_viewer) m_viewer->print(SelectPrinter());
}

void TSSrsPreviewFrm::CloseOleObject() {
    delete m_viewer;
    m_viewer = nullptr;
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
    m_fileName.clear();
}

}  // namespace ov
