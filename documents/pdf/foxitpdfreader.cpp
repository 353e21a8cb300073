#include "documents/pdf/foxitpdfreader.h"

#include <QAction>
#include <QFile>
#include <QFont>
#include <QToolBar>
#include <QVBoxLayout>

#include "documents/pdf/pdfpreviewtexts.h"
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
    plTools = new QWidget(this);
    plTools->setObjectName(u"plTools"_s);
    auto* toolsLayout = new QVBoxLayout(plTools);
    toolsLayout->setContentsMargins(0, 0, 0, 0);
    m_bar = BuildReaderToolBar(plTools, FHS_Language);
    toolsLayout->addWidget(m_bar.ToolBar1);
    plFrm = new QWidget(this);
    plFrm->setObjectName(u"plFrm"_s);
    auto* frameLayout = new QVBoxLayout(plFrm);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(plTools);
    layout->addWidget(plFrm, 1);
}

void TFoxitPdfReaderFrm::connectToolBar() {
    using platform::DocumentViewer;
    connect(m_bar.tbPrint, &QAction::triggered, this, [this] { Print(QString()); });
    connect(m_bar.tbLeft, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->rotateLeft();
    });
    connect(m_bar.tbRight, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->rotateRight();
    });
    connect(m_bar.tbWi, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->fitWidth();
    });
    connect(m_bar.tbHi, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->fitHeight();
    });
    connect(m_bar.tbUp, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->previousPage();
    });
    connect(m_bar.tbDown, &QAction::triggered, this, [this] {
        if (FFoxit) FFoxit->nextPage();
    });
    connect(m_bar.tbZoomAdd, &QAction::triggered, this, [this] { zoomBy(kZoomStep); });
    connect(m_bar.tbZoomSub, &QAction::triggered, this, [this] { zoomBy(1 / kZoomStep); });
}

void TFoxitPdfReaderFrm::zoomBy(double factor) {
    if (FFoxit) FFoxit->setZoom(FFoxit->zoom() * factor);
}

void TFoxitPdfReaderFrm::createViewer() {
    if (FFoxit) return;
    FFoxit = new platform::DocumentViewer(plFrm);
    FFoxit->setObjectName(u"FFoxit"_s);
    // Printing goes through the form's print button, which checks and reports it.
    FFoxit->setContextMenuPolicy(Qt::PreventContextMenu);
    FFoxit->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    plFrm->layout()->addWidget(FFoxit);
}

void TFoxitPdfReaderFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    // The copy of an earlier preview on this form is no longer shown.
    if (!m_fileName.isEmpty() && m_fileName != FileName) QFile::remove(m_fileName);
    m_fileName = FileName;
    createViewer();
    FFoxit->setReadOnly(DocReadonly());
    const bool loaded = FFoxit->loadFile(FileName);
    FFoxit->show();
    if (!loaded)
        ShowHintText(FFoxit->errorText(), TPreViewHint::PictureError);
    else if (PreViewHintFrm)
        PreViewHintFrm->hide();
    if (loaded && DocReadonly()) {
        AddKeyboardHook(FFoxit);
        AddMouseHook(FFoxit);
    }
    m_bar.tbPrint->setVisible(CanPrint());
    m_bar.ToolButton5->setVisible(CanPrint());
}

void TFoxitPdfReaderFrm::Print(const QString& /*EffCode*/) {
    // Nothing is reported unless the viewer really printed.
    if (!CanPrint() || !FFoxit) return;
    if (DocReadonly() && IsExistVirtualPrinter()) {
        pdftexts::showVirtualPrinterMessage(this, FHS_Language);
        return;
    }
    PrintWithViewer(FFoxit);
}

void TFoxitPdfReaderFrm::CloseOleObject() {
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
    m_fileName.clear();
}

}  // namespace ov
