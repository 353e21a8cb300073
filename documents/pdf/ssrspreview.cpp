#include "documents/pdf/ssrspreview.h"

#include <QAction>
#include <QFile>
#include <QFont>
#include <QMessageBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "documents/pdf/pdfpreviewtexts.h"
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
    PanelX = new QWidget(this);
    PanelX->setObjectName(u"PanelX"_s);
    auto* panelLayout = new QVBoxLayout(PanelX);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar.ToolBar1);
    layout->addWidget(PanelX, 1);
}

void TSSrsPreviewFrm::connectToolBar() {
    connect(m_bar.tbPrint, &QAction::triggered, this, [this] { Print(QString()); });
    connect(m_bar.tbLeft, &QAction::triggered, this, [this] {
        if (PSursenX) PSursenX->rotateLeft();
    });
    connect(m_bar.tbRight, &QAction::triggered, this, [this] {
        if (PSursenX) PSursenX->rotateRight();
    });
    connect(m_bar.tbWi, &QAction::triggered, this, &TSSrsPreviewFrm::fitWidth);
    connect(m_bar.tbHi, &QAction::triggered, this, &TSSrsPreviewFrm::fitHeight);
    connect(m_bar.tbZoomAdd, &QAction::triggered, this, [this] { zoomBy(1.1); });
    connect(m_bar.tbZoomSub, &QAction::triggered, this, [this] { zoomBy(0.9); });
    connect(m_bar.tbUp, &QAction::triggered, this, &TSSrsPreviewFrm::pageUp);
    connect(m_bar.tbDown, &QAction::triggered, this, &TSSrsPreviewFrm::pageDown);
}

bool TSSrsPreviewFrm::CheckViewer() {
    if (platform::sursenReaderInstalled(platform::viewerProbe())) {
        FVer = u"1.0"_s;
        return true;
    }
    QMessageBox box(QMessageBox::NoIcon, pdftexts::sursenCaption(), pdftexts::sursenMissing(),
                    QMessageBox::Ok, this);
    box.exec();
    m_bar.ToolBar1->hide();
    return false;
}

void TSSrsPreviewFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    // The copy of an earlier preview on this form is no longer shown.
    if (!m_fileName.isEmpty() && m_fileName != FileName) QFile::remove(m_fileName);
    m_fileName = FileName;
    if (!PSursenX) {
        PSursenX = new platform::DocumentViewer(PanelX);
        PSursenX->setObjectName(u"PSursenX"_s);
        PSursenX->setContextMenuPolicy(Qt::PreventContextMenu);
        PSursenX->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
        PanelX->layout()->addWidget(PSursenX);
    }
    PSursenX->setReadOnly(DocReadonly());
    PSursenX->show();
    ShowHintText(pdftexts::sursenLoading(), TPreViewHint::PictureWait);
    const bool loaded = PSursenX->loadFile(FileName);
    if (!loaded)
        ShowHintText(PSursenX->errorText(), TPreViewHint::PictureError);
    else if (PreViewHintFrm)
        PreViewHintFrm->hide();
    FPageWidth = pageExtentAt100(*PSursenX, true);
    FPageHeight = pageExtentAt100(*PSursenX, false);
}

std::optional<double> TSSrsPreviewFrm::fitRatio(int panelExtent, int spare, int pageExtent) {
    if (pageExtent <= 0) return std::nullopt;
    return (double(panelExtent) * 100 - double(spare) * 100) / pageExtent;
}

void TSSrsPreviewFrm::fitWidth() {
    const auto ratio = fitRatio(PanelX->width(), kSpareWidth, FPageWidth);
    if (PSursenX && ratio) PSursenX->setZoom(*ratio);
}

void TSSrsPreviewFrm::fitHeight() {
    const auto ratio = fitRatio(PanelX->height(), kSpareHeight, FPageHeight);
    if (PSursenX && ratio) PSursenX->setZoom(*ratio);
}

void TSSrsPreviewFrm::zoomBy(double factor) {
    if (PSursenX) PSursenX->setZoom(PSursenX->zoom() * factor);
}

// The page buttons turn themselves off at the first and the last page.
void TSSrsPreviewFrm::pageUp() {
    m_bar.tbDown->setEnabled(true);
    if (!PSursenX) return;
    if (PSursenX->currentPage() - 1 < 1)
        m_bar.tbUp->setEnabled(false);
    else
        PSursenX->previousPage();
}

void TSSrsPreviewFrm::pageDown() {
    m_bar.tbUp->setEnabled(true);
    if (!PSursenX) return;
    if (PSursenX->currentPage() - 1 < PSursenX->pageCount() - 1)
        PSursenX->nextPage();
    else
        m_bar.tbDown->setEnabled(false);
}

void TSSrsPreviewFrm::Print(const QString& /*EffCode*/) {
    // This reader's prints are not reported to the server.
    if (CanPrint() && PSursenX) PSursenX->print(SelectPrinter());
}

void TSSrsPreviewFrm::CloseOleObject() {
    delete PSursenX;
    PSursenX = nullptr;
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
    m_fileName.clear();
}

}  // namespace ov
