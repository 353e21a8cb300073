#include "documents/pdf/pdfpreview.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/filetype.h"
#include "documents/pdf/pdfpreviewtexts.h"
#include "documents/pdf/vieweraction.h"
#include "documents/preview/previewhint.h"
#include "platform/widgets/documentviewer.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// A zoom within this many percent of the last zoom sent is not sent again.
constexpr double kZoomThreshold = 8.0;

}  // namespace

TPdfPreviewFrm::TPdfPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    buildForm();
    connectToolBar();
}

TPdfPreviewFrm::~TPdfPreviewFrm() {
    if (!m_closed) TPdfPreviewFrm::CloseOleObject();
}

void TPdfPreviewFrm::buildForm() {
    setObjectName(u"PdfPreviewFrm"_s);
    resize(649, 451);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFont(QFont(pdftexts::formFontFamily(FHS_Language), 9));
    m_bar = BuildPdfPreviewToolBar(this, FHS_Language);
    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(u"Panel2"_s);
    auto* panelLayout = new QVBoxLayout(m_clientArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar.strip);
    layout->addWidget(m_clientArea, 1);
    m_fitTimer = new QTimer(this);
    m_fitTimer->setObjectName(u"Timer1"_s);
    m_fitTimer->setInterval(300);
    connect(m_fitTimer, &QTimer::timeout, this, &TPdfPreviewFrm::keepFitted);
}

// As a window of its own the form first shows centred on the window it belongs to (the main
// form), or on the screen, unless its creator has placed it (the remembered preview rectangle).
void TPdfPreviewFrm::showEvent(QShowEvent* event) {
    TPreviewBaseFrm::showEvent(event);
    if (m_placed || !isWindow()) return;
    m_placed = true;
    if (testAttribute(Qt::WA_Moved)) return;
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = owner ? owner->geometry() : screen ? screen->availableGeometry() : QRect();
    if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void TPdfPreviewFrm::connectToolBar() {
    connect(m_bar.print, &QAction::triggered, this, [this] { Print(QString()); });
    connectViewerAction(m_bar.rotateLeft, this, &platform::DocumentViewer::rotateLeft);
    connectViewerAction(m_bar.rotateRight, this, &platform::DocumentViewer::rotateRight);
    connectViewerAction(m_bar.fitWidth, this, &platform::DocumentViewer::fitWidth);
    connectViewerAction(m_bar.fitHeight, this, &platform::DocumentViewer::fitHeight);
    connectViewerAction(m_bar.firstPage, this, &platform::DocumentViewer::firstPage);
    connectViewerAction(m_bar.nextPage, this, &platform::DocumentViewer::nextPage);
    connect(m_bar.pageNumber, &QLineEdit::returnPressed, this, &TPdfPreviewFrm::pageNumberEntered);
    connect(m_bar.zoomOut, &QAction::triggered, this, [this] { stepZoomSlider(-10); });
    connect(m_bar.zoomIn, &QAction::triggered, this, [this] { stepZoomSlider(10); });
    connect(m_bar.zoomSlider, &QSlider::valueChanged, this, &TPdfPreviewFrm::zoomSliderChanged);
}

bool TPdfPreviewFrm::CheckViewer() {
    GetAcrobatVersion(m_readerFileVer, m_readerVer);
    if (!m_readerVer.isEmpty()) return true;
    ShowHintText(pdftexts::readerMissing(FHS_Language), TPreViewHint::PictureError);
    return false;
}

void TPdfPreviewFrm::createViewer() {
    if (m_viewer) return;
    m_viewer = new platform::DocumentViewer(m_clientArea);
    m_viewer->setObjectName(u"Pdf7"_s);
    // The previewer's tool bar offers everything; the viewer's own context menu would print and
    // save past the form's rules.
    m_viewer->setContextMenuPolicy(Qt::PreventContextMenu);
    m_viewer->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    m_clientArea->layout()->addWidget(m_viewer);
    connect(m_viewer, &platform::DocumentViewer::currentPageChanged, this,
            &TPdfPreviewFrm::showPageNumber);
}

// The page box shows the current page and the label after it the number of pages.
void TPdfPreviewFrm::showPageNumber() {
    if (!m_viewer) return;
    m_bar.pageNumber->setText(QString::number(m_viewer->currentPage()));
    m_bar.pageLabelAfter->setText(pdftexts::pageLabelAfter(FHS_Language, m_viewer->pageCount()));
}

void TPdfPreviewFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    setWindowTitle(QFileInfo(FileName).fileName());
    const bool restricted = DocReadonly() || !CanPrint();
    if (restricted)
        m_fitTimer->start();
    else
        m_fitTimer->stop();
    m_bar.print->setVisible(CanPrint());
    m_bar.printSeparator->setVisible(CanPrint());
    m_fileName = FileName;
    createViewer();
    m_viewer->setReadOnly(DocReadonly());
    m_viewer->hide();
    if (PreViewHintFrm) PreViewHintFrm->hide();
    const bool loaded = m_viewer->loadFile(FileName);
    // The viewer keeps the document open; the temporary copy lives only while it loads.
    QFile::remove(FileName);
    if (!loaded) {
        ShowHintText(m_viewer->errorText(), TPreViewHint::PictureError);
        return;
    }
    m_viewer->show();
    showPageNumber();
    if (DocReadonly()) {
        // Keys and right clicks that would copy, save or print are discarded in the viewer.
        AddKeyboardHook(m_viewer);
        AddMouseHook(m_viewer);
    }
    ReSizeEx();
}

void TPdfPreviewFrm::ShowEx2(const QString& FileName) {
    LoadLocalFile(FileExtToCode(u"pdf"_s), FileName);
}

void TPdfPreviewFrm::ReSizeEx() {
    QWidget* parent = parentWidget();
    if (!m_viewer || !parent || isWindow()) return;
    // A layout of the parent (EmbedInto) already keeps the form at the parent's size.
    if (parent->layout() && parent->layout()->indexOf(this) >= 0) return;
    const int w = parent->contentsRect().width() - 1;
    const int h = parent->contentsRect().height() - 1;
    if (std::abs(w - width()) <= 2 && std::abs(h - height()) <= 2) return;
    setGeometry(0, 0, w, h);
}

// Runs while the document is restricted: keeps an embedded form at its parent's size.
void TPdfPreviewFrm::keepFitted() {
    if (m_viewer) ReSizeEx();
}

void TPdfPreviewFrm::stepZoomSlider(int delta) {
    QSlider* bar = m_bar.zoomSlider;
    bar->setValue(std::clamp(bar->value() + delta, 0, bar->maximum()));
}

void TPdfPreviewFrm::zoomSliderChanged() {
    if (!m_viewer) return;
    const double zoom = m_bar.zoomSlider->value() + 80.0;
    if (std::abs(zoom - m_scale) <= kZoomThreshold) return;
    m_scale = zoom;
    m_viewer->setZoom(zoom);
}

void TPdfPreviewFrm::pageNumberEntered() {
    bool ok = false;
    const int page = m_bar.pageNumber->text().trimmed().toInt(&ok);
    if (ok && page > 0 && m_viewer) m_viewer->setCurrentPage(page);
    showPageNumber();  // a page that does not exist leaves the box at the page shown
}

void TPdfPreviewFrm::Print(const QString& /*EffCode*/) {
    if (VirtualPrinterForbidden()) {
        pdftexts::showVirtualPrinterMessage(this, FHS_Language);
        return;
    }
    // Prints when allowed and reports only a print that really went to the printer.
    if (m_viewer) PrintWithViewer(m_viewer);
}

void TPdfPreviewFrm::PrintPreview() {}

void TPdfPreviewFrm::CloseOleObject() {
    if (m_closed) return;
    m_closed = true;
    m_fitTimer->stop();
    delete m_viewer;
    m_viewer = nullptr;
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
}

}  // namespace ov
