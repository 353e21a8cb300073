#include "documents/pdf/pdfpreview.h"

#include <QAction>
#include <QFile>
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
    if (!FCloseAll) TPdfPreviewFrm::CloseOleObject();
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
    Panel2 = new QWidget(this);
    Panel2->setObjectName(u"Panel2"_s);
    auto* panelLayout = new QVBoxLayout(Panel2);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar.Panel1);
    layout->addWidget(Panel2, 1);
    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TPdfPreviewFrm::Timer1Timer);
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
    connect(m_bar.tbPrint, &QAction::triggered, this, [this] { Print(QString()); });
    connect(m_bar.ToolButton1, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->rotateLeft();
    });
    connect(m_bar.ToolButton2, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->rotateRight();
    });
    connect(m_bar.ToolButton11, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->fitWidth();
    });
    connect(m_bar.ToolButton12, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->fitHeight();
    });
    connect(m_bar.ToolButton7, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->firstPage();
    });
    connect(m_bar.ToolButton8, &QAction::triggered, this, [this] {
        if (m_viewer) m_viewer->nextPage();
    });
    connect(m_bar.Edit1, &QLineEdit::returnPressed, this, &TPdfPreviewFrm::Edit1Enter);
    connect(m_bar.ToolButton4, &QAction::triggered, this, [this] { stepTrackBar(-10); });
    connect(m_bar.ToolButton6, &QAction::triggered, this, [this] { stepTrackBar(10); });
    connect(m_bar.TrackBar1, &QSlider::valueChanged, this, &TPdfPreviewFrm::TrackBar1Change);
}

bool TPdfPreviewFrm::CheckViewer() {
    GetAcrobatVersion(FReaderFlieVer, FReaderVer);
    if (!FReaderVer.isEmpty()) return true;
    ShowHintText(pdftexts::readerMissing(FHS_Language), TPreViewHint::PictureError);
    return false;
}

void TPdfPreviewFrm::createViewer() {
    if (m_viewer) return;
    m_viewer = new platform::DocumentViewer(Panel2);
    m_viewer->setObjectName(u"Pdf7"_s);
    // The previewer's tool bar offers everything; the viewer's own context menu would print and
    // save past the form's rules.
    m_viewer->setContextMenuPolicy(Qt::PreventContextMenu);
    m_viewer->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    Panel2->layout()->addWidget(m_viewer);
}

void TPdfPreviewFrm::LoadLocalFile(int /*FileType*/, const QString& FileName) {
    setWindowTitle(QFileInfo(FileName).fileName());
    const bool restricted = DocReadonly() || !CanPrint();
    if (restricted)
        Timer1->start();
    else
        Timer1->stop();
    m_bar.tbPrint->setVisible(CanPrint());
    m_bar.ToolButton5->setVisible(CanPrint());
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
void TPdfPreviewFrm::Timer1Timer() {
    if (m_viewer) ReSizeEx();
}

void TPdfPreviewFrm::stepTrackBar(int delta) {
    QSlider* bar = m_bar.TrackBar1;
    bar->setValue(std::clamp(bar->value() + delta, 0, bar->maximum()));
}

void TPdfPreviewFrm::TrackBar1Change() {
    if (!m_viewer) return;
    const double zoom = m_bar.TrackBar1->value() + 80.0;
    if (std::abs(zoom - FScale) <= kZoomThreshold) return;
    FScale = zoom;
    m_viewer->setZoom(zoom);
}

void TPdfPreviewFrm::Edit1Enter() {
    bool ok = false;
    const int page = m_bar.Edit1->text().trimmed().toInt(&ok);
    if (ok && page > 0 && m_viewer) m_viewer->setCurrentPage(page);
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
    if (FCloseAll) return;
    FCloseAll = true;
    Timer1->stop();
    delete m_viewer;
    m_viewer = nullptr;
    if (!m_fileName.isEmpty()) QFile::remove(m_fileName);
}

}  // namespace ov
