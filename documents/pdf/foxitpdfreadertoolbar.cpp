#include "documents/pdf/foxitpdfreadertoolbar.h"

#include <QAction>
#include <QToolBar>

#include "documents/pdf/pdfpreviewicons.h"

using namespace Qt::StringLiterals;

namespace ov {

ReaderToolBar BuildReaderToolBar(QWidget* parent, THS_Language language) {
    using pdficons::Kind;
    ReaderToolBar t;
    t.toolBar = new QToolBar(parent);
    t.toolBar->setObjectName(u"ToolBar1"_s);
    t.toolBar->setIconSize(QSize(16, 16));
    t.toolBar->setMovable(false);
    const auto add = [&](Kind kind, const QString& name, const char16_t* cn, const char16_t* en) {
        const QString hint = QString::fromUtf16(language == HSL_CN ? cn : en);
        QAction* action = t.toolBar->addAction(pdficons::icon(kind), hint);
        action->setObjectName(name);
        return action;
    };
    t.print = add(Kind::Print, u"tbPrint"_s, u"打印", u"Print");
    t.printSeparator = t.toolBar->addSeparator();
    t.rotateLeft = add(Kind::RotateLeft, u"tbLeft"_s, u"向左旋转", u"Rotate left");
    t.rotateRight = add(Kind::RotateRight, u"tbRight"_s, u"向右旋转", u"Rotate right");
    t.toolBar->addSeparator();
    t.fitWidth = add(Kind::FitWidth, u"tbWi"_s, u"适合宽度", u"Fit width");
    t.fitHeight = add(Kind::FitHeight, u"tbHi"_s, u"适合高度", u"Fit height");
    t.zoomIn = add(Kind::ZoomIn, u"tbZoomAdd"_s, u"放大", u"Zoom in");
    t.zoomOut = add(Kind::ZoomOut, u"tbZoomSub"_s, u"缩小", u"Zoom out");
    t.toolBar->addSeparator();
    t.previousPage = add(Kind::PreviousPage, u"tbUp"_s, u"上一页", u"Previous page");
    t.nextPage = add(Kind::NextPage, u"tbDown"_s, u"下一页", u"Next page");
    return t;
}

}  // namespace ov
