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
    t.Panel3 = new QWidget(t.ToolBar1);
    t.Panel3->setObjectName(u"Panel3"_s);
    t.Panel3->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(t.Panel3);
    // The Chinese label stands further in than the English one.
    layout->setContentsMargins(language == HSL_CN ? 12 : 4, 0, 4, 0);
    layout->setSpacing(4);
    t.lbPage1 = new QLabel(pdftexts::pageLabelBefore(language), t.Panel3);
    t.lbPage1->setObjectName(u"lbPage1"_s);
    t.Edit1 = new QLineEdit(t.Panel3);
    t.Edit1->setObjectName(u"Edit1"_s);
    t.Edit1->setFixedWidth(40);
    t.Edit1->setMaxLength(6);
    t.lbPage2 = new QLabel(pdftexts::pageLabelAfter(language), t.Panel3);
    t.lbPage2->setObjectName(u"lbPage2"_s);
    layout->addWidget(t.lbPage1);
    layout->addWidget(t.Edit1);
    layout->addWidget(t.lbPage2);
    t.ToolBar1->addWidget(t.Panel3);
}

void buildZoom(PdfPreviewToolBar& t, THS_Language language) {
    using pdficons::Kind;
    t.ToolButton4 = addButton(t.ToolBar1, Kind::ZoomOut, u"ToolButton4"_s,
                              hintText(language, u"缩小"_s, u"Zoom out"_s));
    t.TrackBar1 = new QSlider(Qt::Horizontal, t.ToolBar1);
    t.TrackBar1->setObjectName(u"TrackBar1"_s);
    t.TrackBar1->setRange(0, 100);
    t.TrackBar1->setValue(50);
    t.TrackBar1->setSingleStep(10);
    t.TrackBar1->setPageStep(10);
    t.TrackBar1->setFixedWidth(120);
    t.ToolBar1->addWidget(t.TrackBar1);
    t.ToolButton6 = addButton(t.ToolBar1, Kind::ZoomIn, u"ToolButton6"_s,
                              hintText(language, u"放大"_s, u"Zoom in"_s));
    t.Label1 = new QLabel(t.ToolBar1);
    t.Label1->setObjectName(u"Label1"_s);
    t.ToolBar1->addWidget(t.Label1);
}

}  // namespace

PdfPreviewToolBar BuildPdfPreviewToolBar(QWidget* parent, THS_Language language) {
    using pdficons::Kind;
    PdfPreviewToolBar t;
    t.Panel1 = new QWidget(parent);
    t.Panel1->setObjectName(u"Panel1"_s);
    auto* layout = new QHBoxLayout(t.Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    t.ToolBar1 = new QToolBar(t.Panel1);
    t.ToolBar1->setObjectName(u"ToolBar1"_s);
    t.ToolBar1->setIconSize(QSize(16, 16));
    t.ToolBar1->setMovable(false);
    layout->addWidget(t.ToolBar1);
    const auto hint = [&](const char16_t* cn, const char16_t* en) {
        return hintText(language, QString::fromUtf16(cn), QString::fromUtf16(en));
    };
    t.tbPrint = addButton(t.ToolBar1, Kind::Print, u"tbPrint"_s, hint(u"打印", u"Print"));
    t.ToolButton5 = t.ToolBar1->addSeparator();
    t.ToolButton1 = addButton(t.ToolBar1, Kind::RotateLeft, u"ToolButton1"_s,
                              hint(u"向左旋转", u"Rotate left"));
    t.ToolButton2 = addButton(t.ToolBar1, Kind::RotateRight, u"ToolButton2"_s,
                              hint(u"向右旋转", u"Rotate right"));
    t.ToolBar1->addSeparator();
    t.ToolButton11 =
        addButton(t.ToolBar1, Kind::FitWidth, u"ToolButton11"_s, hint(u"适合宽度", u"Fit width"));
    t.ToolButton12 =
        addButton(t.ToolBar1, Kind::FitHeight, u"ToolButton12"_s, hint(u"适合高度", u"Fit height"));
    t.ToolBar1->addSeparator();
    t.ToolButton7 =
        addButton(t.ToolBar1, Kind::FirstPage, u"ToolButton7"_s, hint(u"第一页", u"First page"));
    t.ToolButton8 =
        addButton(t.ToolBar1, Kind::NextPage, u"ToolButton8"_s, hint(u"下一页", u"Next page"));
    buildPagePanel(t, language);
    t.ToolBar1->addSeparator();
    buildZoom(t, language);
    return t;
}

}  // namespace ov
