#include "documents/readers/cebpreview.h"

#include <QAction>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const ReaderSpec kCeb{u"CEBVIEWER.CEBViewerCtrl.1", u"Apabi Reader V4",
                      u"需要本地安装方正的Apabi Reader", u"需要本地安装方正的Apabi Reader"};

QAction* textButton(QToolBar* bar, const QString& name, const QString& text) {
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    return action;
}

}  // namespace

TCebPreviewFrm::TCebPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TReaderPreviewFrm(kCeb, parent, flags) {
    SetCopyLife(CopyLife::AfterLoad);
    resize(835, 572);
    BuildToolBar();
}

TCebPreviewFrm::~TCebPreviewFrm() = default;

void TCebPreviewFrm::BuildToolBar() {
    const bool cn = Language() == HSL_CN, en = Language() == HSL_ENG;
    setWindowTitle(cn ? u"Ceb文件预览"_s : en ? u"Ceb File Preview"_s : QString());
    if (cn || en) setFont(QFont(cn ? u"宋体"_s : u"Tahoma"_s, 9));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(u"ToolBar1"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbtFrist = textButton(bar, u"tbtFrist"_s, cn ? u"第一页"_s : en ? u"First Page"_s : QString());
    tbtLast = textButton(bar, u"tbtLast"_s, cn ? u"最后一页"_s : en ? u"Last Page"_s : QString());
    bar->addSeparator();
    tbtFront = textButton(bar, u"tbtFront"_s, u"<"_s);
    tbtNext = textButton(bar, u"tbtNext"_s, u">"_s);
    bar->addSeparator();
    edtIndex = new QLineEdit(bar);
    edtIndex->setObjectName(u"edtIndex"_s);
    edtIndex->setFixedWidth(33);
    bar->addWidget(edtIndex);
    lbPageIndex = new QLabel(bar);
    lbPageIndex->setObjectName(u"lbPageIndex"_s);
    bar->addWidget(lbPageIndex);
    Panel2 = new QWidget(this);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setStyleSheet(u"background: white;"_s);
    layout->addWidget(bar);
    layout->addWidget(Panel2, 1);
    connect(tbtFrist, &QAction::triggered, this, [this] { Turn(nullptr); });
    connect(tbtLast, &QAction::triggered, this, [this] { Turn(&CebViewerControl::LastPage); });
    connect(tbtFront, &QAction::triggered, this, [this] { Turn(&CebViewerControl::PrevPage); });
    connect(tbtNext, &QAction::triggered, this, [this] { Turn(&CebViewerControl::NextPage); });
    connect(edtIndex, &QLineEdit::returnPressed, this, &TCebPreviewFrm::GoToTypedPage);
}

void TCebPreviewFrm::LoadLocalFile(int FileType, const QString& FileName) {
    if (!PEcbViewer && m_factory) PEcbViewer = m_factory(Panel2);
    if (!PEcbViewer) {
        TReaderPreviewFrm::LoadLocalFile(FileType, FileName);
        return;
    }
    FFileName = FileName;
    PEcbViewer->CEBViewerInit();
    PEcbViewer->OpenCEBFile(FileName, true);
    PEcbViewer->FirstPage(false);
    if (PreViewHintFrm) PreViewHintFrm->hide();
    ShowPageState();
    TReaderPreviewFrm::CloseOleObject();  // the copy goes right after the load
}

void TCebPreviewFrm::CloseOleObject() {
    if (PEcbViewer) {
        PEcbViewer->CloseCEBFile();
        PEcbViewer->CEBViewerUnInit();
    }
    TReaderPreviewFrm::CloseOleObject();
}

// Turns the page (nullptr: to the first page) and shows where the reader is.
void TCebPreviewFrm::Turn(void (CebViewerControl::*turn)()) {
    if (!PEcbViewer) return;
    if (turn)
        (PEcbViewer.get()->*turn)();
    else
        PEcbViewer->FirstPage(true);
    ShowPageState();
}

void TCebPreviewFrm::ShowPageState() {
    tbtFront->setEnabled(true);
    tbtNext->setEnabled(true);
    const int total = PEcbViewer->GetTotalPageNum();
    const int current = PEcbViewer->GetCurPageNum();
    lbPageIndex->setText(u" /"_s + QString::number(total));
    edtIndex->setText(u" "_s + QString::number(current));
    if (current == total) tbtNext->setEnabled(false);
    if (current == 1) tbtFront->setEnabled(false);
}

// A whole number from 1 to the page count goes to that page; anything else does nothing.
void TCebPreviewFrm::GoToTypedPage() {
    if (!PEcbViewer) return;
    bool ok = false;
    const int page = edtIndex->text().trimmed().toInt(&ok);
    if (ok && page > 0 && page <= PEcbViewer->GetTotalPageNum()) PEcbViewer->GotoPage(page);
}

}  // namespace ov
