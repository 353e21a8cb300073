#include "documents/converted/convertedtoolbar.h"

#include "platform/widgets/documentviewer.h"

#include <QAction>
#include <QLabel>
#include <QObject>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QAction* addAction(QToolBar* bar, const QString& name, const QString& text) {
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    return action;
}

}  // namespace

ConvertedToolBar BuildConvertedToolBar(QWidget* parent, THS_Language language) {
    const bool cn = language == HSL_CN;
    ConvertedToolBar t;
    t.bar = new QToolBar(parent);
    t.bar->setObjectName(u"ConvertedToolBar"_s);
    t.print = addAction(t.bar, u"tbPrint"_s, cn ? u"打印"_s : u"Print"_s);
    t.print->setVisible(false);
    t.firstPage = addAction(t.bar, u"tbFirstPage"_s, cn ? u"第一页"_s : u"First Page"_s);
    t.previousPage = addAction(t.bar, u"tbPreviousPage"_s, cn ? u"上一页"_s : u"Previous"_s);
    t.nextPage = addAction(t.bar, u"tbNextPage"_s, cn ? u"下一页"_s : u"Next"_s);
    t.lastPage = addAction(t.bar, u"tbLastPage"_s, cn ? u"最后一页"_s : u"Last Page"_s);
    t.pageLabel = new QLabel(t.bar);
    t.pageLabel->setObjectName(u"lbPage"_s);
    t.bar->addWidget(t.pageLabel);
    t.bar->addSeparator();
    t.zoomOut = addAction(t.bar, u"tbZoomOut"_s, cn ? u"缩小"_s : u"Zoom Out"_s);
    t.zoomIn = addAction(t.bar, u"tbZoomIn"_s, cn ? u"放大"_s : u"Zoom In"_s);
    t.fitWidth = addAction(t.bar, u"tbFitWidth"_s, cn ? u"适合宽度"_s : u"Fit Width"_s);
    return t;
}

void ConnectConvertedToolBar(const ConvertedToolBar& t, platform::DocumentViewer* viewer) {
    using platform::DocumentViewer;
    QObject::connect(t.firstPage, &QAction::triggered, viewer, &DocumentViewer::firstPage);
    QObject::connect(t.previousPage, &QAction::triggered, viewer, &DocumentViewer::previousPage);
    QObject::connect(t.nextPage, &QAction::triggered, viewer, &DocumentViewer::nextPage);
    QObject::connect(t.lastPage, &QAction::triggered, viewer, &DocumentViewer::lastPage);
    QObject::connect(t.zoomOut, &QAction::triggered, viewer,
                     [viewer] { viewer->setZoom(viewer->zoom() / 1.25); });
    QObject::connect(t.zoomIn, &QAction::triggered, viewer,
                     [viewer] { viewer->setZoom(viewer->zoom() * 1.25); });
    QObject::connect(t.fitWidth, &QAction::triggered, viewer, &DocumentViewer::fitWidth);
    QObject::connect(viewer, &DocumentViewer::currentPageChanged, t.bar,
                     [t, viewer] { UpdateConvertedToolBar(t, viewer); });
}

void UpdateConvertedToolBar(const ConvertedToolBar& t, const platform::DocumentViewer* viewer) {
    const int pages = viewer && viewer->isLoaded() ? viewer->pageCount() : 0;
    const int page = pages > 0 ? viewer->currentPage() : 0;
    t.pageLabel->setText(pages > 0 ? u" %1 / %2 "_s.arg(page).arg(pages) : QString());
    t.firstPage->setEnabled(page > 1);
    t.previousPage->setEnabled(page > 1);
    t.nextPage->setEnabled(page > 0 && page < pages);
    t.lastPage->setEnabled(page > 0 && page < pages);
    for (QAction* zoom : {t.zoomOut, t.zoomIn, t.fitWidth})
        zoom->setEnabled(pages > 0);
}

}  // namespace ov
