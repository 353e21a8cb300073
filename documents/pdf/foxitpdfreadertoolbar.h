#pragma once
// The tool bar that the Foxit and Sursen reader forms share: print, rotate left and right, fit
// width and height, zoom in and out, previous and next page.

#include "core/types.h"

class QAction;
class QToolBar;
class QWidget;

namespace ov {

// Each part carries the designer's name as its object name ("tbWi" is fit width).
struct ReaderToolBar {
    QToolBar* toolBar = nullptr;
    QAction* print = nullptr;
    QAction* printSeparator = nullptr;  // the separator after print
    QAction* rotateLeft = nullptr;      // rotate left
    QAction* rotateRight = nullptr;     // rotate right
    QAction* fitWidth = nullptr;        // fit width
    QAction* fitHeight = nullptr;       // fit height
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* previousPage = nullptr;  // previous page
    QAction* nextPage = nullptr;      // next page
};

ReaderToolBar BuildReaderToolBar(QWidget* parent, THS_Language language);

}  // namespace ov
