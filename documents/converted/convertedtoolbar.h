#pragma once
// The tool bar of the converted previewers: print (only where the previewer prints), first,
// previous, next and last page, the page number, zoom out, zoom in and fit to the width.

#include "core/types.h"

class QAction;
class QLabel;
class QToolBar;
class QWidget;

namespace ov::platform {
class DocumentViewer;
}

namespace ov {

struct ConvertedToolBar {
    QToolBar* bar = nullptr;
    QAction* print = nullptr;
    QAction* firstPage = nullptr;
    QAction* previousPage = nullptr;
    QAction* nextPage = nullptr;
    QAction* lastPage = nullptr;
    QLabel* pageLabel = nullptr;  // "3 / 7"
    QAction* zoomOut = nullptr;
    QAction* zoomIn = nullptr;
    QAction* fitWidth = nullptr;
};

// Builds the tool bar as a child of `parent`, with its texts in `language`.
ConvertedToolBar BuildConvertedToolBar(QWidget* parent, THS_Language language);
// Connects the page and zoom actions to the viewer and keeps the page number and the page
// buttons up to date.
void ConnectConvertedToolBar(const ConvertedToolBar& toolBar, platform::DocumentViewer* viewer);
// Shows the page number and enables the page buttons for the viewer's current page.
void UpdateConvertedToolBar(const ConvertedToolBar& toolBar, const platform::DocumentViewer* viewer);

}  // namespace ov
