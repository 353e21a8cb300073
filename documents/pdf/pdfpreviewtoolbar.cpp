#include "documents/pdf/pdfpreviewtoolbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolBar>

#include "documents/pdf/pdfpreviewicons.h"
#include "documents/pdf/pdfpreviewtexts.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QAction* addButton(QToolBar* bar, pdficons::Kind kind, const QString& name, const QString& hint) {
    QAction* action = bar->addAction(pdficons::icon(kind), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    return action;
}

QString hintText(THS_Language language, const QString& chinese, const QString& english) {
    return language == HSL_CN ? chinese : english;
}

void buildPagePanel(PdfPreviewToolBar& t, THS_Language language) {
    t.pagePanel = new QWidget(t.toolBar);
    t.pagePanel->setObjectName(u"Panel3"_s);
    t.pagePanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(t.pagePanel);
    // The Chinese label stands further in than the English one.
    layout->setContentsMargins(language == HSL_CN ? 12 : 4, 0, 4, 0);
    layout->setSpacing(4);
    t.pageLabelBefore = new QLabel(pdftexts::pageLabelBefore(language), t.pagePanel);
    t.pageLabelBefore->setObjectName(u"lbPage1"_s);
    t.pageNumber = new QLineEdit(t.pagePanel);
    t.pageNumber->setObjectName(u"Edit1"_s);
    t.pageNumber->setFixedWidth(40);
    t.pageNumber->setMaxLength(6);
    t.pageLabelAfter = new QLabel(pdftexts::pageLabelAfter(language), t.pagePanel);
    t.pageLabelAfter->setObjectName(u"lbPage2"_s);
    layout->addWidget(t.pageLabelBefore);
    layout->addWidget(t.pageNumber);
    layout->addWidget(t.pageLabelAfter);
    t.toolBar->addWidget(t.pagePanel);
}

void buildZoom(PdfPreviewToolBar& t, THS_Language language) {
    using pdficons::Kind;
    t.zoomOut = addButton(t.toolBar, Kind::ZoomOut, u"ToolButton4"_s,
                          hintText(language, u"缩小"_s, u"Zoom out"_s));
    t.zoomSlider = new QSlider(Qt::Horizontal, t.toolBar);
    t.zoomSlider->setObjectName(u"TrackBar1"_s);
    t.zoomSlider->setRange(0, 100);
    t.zoomSlider->setValue(50);
    t.zoomSlider->setSingleStep(10);
    t.zoomSlider->setPageStep(10);
    t.zoomSlider->setFixedWidth(120);
    t.toolBar->addWidget(t.zoomSlider);
    t.zoomIn = addButton(t.toolBar, Kind::ZoomIn, u"ToolButton6"_s,
                         hintText(language, u"放大"_s, u"Zoom in"_s));
    t.status = new QLabel(t.toolBar);
    t.status->setObjectName(u"Label1"_s);
    t.toolBar->addWidget(t.status);
}

}  // namespace

PdfPreviewToolBar BuildPdfPreviewToolBar(QWidget* parent, THS_Language language) {
    using pdficons::Kind;
    PdfPreviewToolBar t;
    t.strip = new QWidget(parent);
    t.strip->setObjectName(u"Panel1"_s);
    auto* layout = new QHBoxLayout(t.strip);
    layout->setContentsMargins(0, 0, 0, 0);
    t.toolBar = new QToolBar(t.strip);
    t.toolBar->setObjectName(u"ToolBar1"_s);
    t.toolBar->setIconSize(QSize(16, 16));
    t.toolBar->setMovable(false);
    layout->addWidget(t.toolBar);
    const auto hint = [&](const char16_t* cn, const char16_t* en) {
        return hintText(language, QString::fromUtf16(cn), QString::fromUtf16(en));
    };
    t.print = addButton(t.toolBar, Kind::Print, u"tbPrint"_s, hint(u"打印", u"Print"));
    t.printSeparator = t.toolBar->addSeparator();
    t.rotateLeft =
        addButton(t.toolBar, Kind::RotateLeft, u"ToolButton1"_s, hint(u"向左旋转", u"Rotate left"));
    t.rotateRight = addButton(t.toolBar, Kind::RotateRight, u"ToolButton2"_s,
                              hint(u"向右旋转", u"Rotate right"));
    t.toolBar->addSeparator();
    t.fitWidth =
        addButton(t.toolBar, Kind::FitWidth, u"ToolButton11"_s, hint(u"适合宽度", u"Fit width"));
    t.fitHeight =
        addButton(t.toolBar, Kind::FitHeight, u"ToolButton12"_s, hint(u"适合高度", u"Fit height"));
    t.toolBar->addSeparator();
    t.firstPage =
        addButton(t.toolBar, Kind::FirstPage, u"ToolButton7"_s, hint(u"第一页", u"First page"));
    t.nextPage =
        addButton(t.toolBar, Kind::NextPage, u"ToolButton8"_s, hint(u"下一页", u"Next page"));
    buildPagePanel(t, language);
    t.toolBar->addSeparator();
    buildZoom(t, language);
    return t;
}

}  // namespace ov
