#include "documents/pdf/foxitpdfreader.h"

#include <QAction>
#include <QFile>
#include <QFont>
#include <QToolBar>
#include <QVBoxLayout>

#include "documents/pdf/pdfpreviewtexts.h"
#include "documents/pdf/vieweraction.h"
#include "documents/preview/previewhint.h"
#include "platform/widgets/documentviewer.h"

using namespace Qt::StringLiterals;

namespace ov {

TFoxitPdfReaderFrm::TFoxitPdfReaderFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    buildForm();
    connectToolBar();
}

TFoxitPdfReaderFrm::~TFoxitPdfReaderFrm() {
    // The temporary copy goes with the form also when nobody closed the viewer.
    TFoxitPdfReaderFrm::CloseOleObject();
}

void TFoxitPdfReaderFrm::buildForm() {
    setObjectName(u"FoxitPdfReaderFrm"_s);
    resize(710, 556);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFont(QFont(pdftexts::formFontFamily(FHS_Language), 9));
    m_toolStrip = new QWidget(this);
    m_toolStrip->setObjectName(u"plTools"_s);
    auto* toolsLayout = new QVBoxLayout(m_toolStrip);
    toolsLayout->setContentsMargins(0, 0, 0, 0);
    m_bar = BuildReaderToolBar(m_toolStrip, FHS_Language);
    toolsLayout->addWidget(m_bar.toolBar);
    plFrm = new QWidget(this);
    plFrm->setObjectName(u"plFrm"_s);
    auto* frameLayout = new QVBoxLayout(plFrm);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolStrip);
    layout->addWidget(plFrm, 1);
}

void TFoxitPdfReaderFrm::connectToolBar() {
    connect(m_bar.print, &QAction::triggered, this, [this] { Print(QString()); });
    connectViewerAction(m_bar.rotateLeft, this, &platform::DocumentViewer::rotateLeft);
    connectViewerAction(m_bar.rotateRight, this, &platform::DocumentViewer::rotateRight);
    connectViewerAction(m_bar.fitWidth, this, &platform::DocumentViewer::fitWidth);
    connectViewerAction(m_bar.fitHeight, this, &platform::DocumentViewer::fitHeight);
    connectViewerAction(m_bar.previousPage, this, &platform::DocumentViewer::previousPage);
    connectViewerAction(m_bar.nextPage, this, &platform::DocumentViewer::nextPage);
    connect(m_bar.zoomIn, &QAction::triggered, this, [this] { zoomBy(kZoomStep); });
    connect(m_bar.zoomOut, &QAction::triggered, this, [this] { zoomBy(1 / kZoomStep); });
}

void TFoxitPdfReaderFrm::zoomBy(double factor) {
    if (m_viewer) m_viewer->setZoom(m_viewer->zoom() * factor);
}

void TFoxitPdfReaderFrm::createViewer() {
    if (m_viewer) return;
    m_viewer = new platform::DocumentViewer(plFrm);
    m_viewer->setObjectName(u"FFoxit"_s);
    // Printing goes through the form's print button, which checks and reports it.
    m_viewer->setContextMenuPolicy(Qt::PreventContextMenu);
    m_viewer->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    plFrm->layout()->addWidget(m_viewer);
}

void TFoxitPdfReaderFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    // The copy of an earlier preview on this form is no longer shown.
    if (!m_fileName.isEmpty() && m_fileName != FileName) QFile::remove(m_fileName);
    m_fileName = FileName;
    createViewer();
    m_viewer->setReadOnly(DocReadonly());
    const bool loaded = m_viewer->loadFile(FileName);
    m_viewer->show();
    if (!loaded)
        ShowHintText(m_viewer->errorText(), TPreViewHint::PictureError);
    else if (PreViewHintFrm)
        PreViewHintFrm->hide();
    if (loaded && DocReadonly()) {
        AddKeyboardHook(m_viewer);
        AddMouseHook(m_viewer);
    }
    m_bar.print->setVisible(CanPrint());
    m_bar.printSeparator->setVisible(CanPrint());
}

void TFoxitPdfReaderFrm::Print(const QString& /*EffCode*/) {
    // Nothing is reported unless the viewer really printed.
    if (!CanPrint() || !m_viewer) return;
    if (DocReadonly() && IsExistVirtualPrinter()) {
        pdftexts::showVirtualPrinterMessage(this, FHS_Language);
        return;
    }
    PrintWithViewer(m_viewer);
}

void TFoxitPdfReaderFrm::CloseOleObject() {
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
    m_fileName.clear();
}

}  // namespace ov
