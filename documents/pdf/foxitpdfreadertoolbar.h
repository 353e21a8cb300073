#pragma once
// The tool bar that the Foxit and Sursen reader forms share: print, rotate left and right, fit
// width and height, zoom in and out, previous and next page.

#include "core/types.h"

class QAction;
class QToolBar;
class QWidget;

namespace ov {

struct ReaderToolBar {
    QToolBar* ToolBar1 = nullptr;
    QAction* tbPrint = nullptr;
    QAction* ToolButton5 = nullptr;  // the separator after print
    QAction* tbLeft = nullptr;       // rotate left
    QAction* tbRight = nullptr;      // rotate right
    QAction* tbWi = nullptr;         // fit width
    QAction* tbHi = nullptr;         // fit height
    QAction* tbZoomAdd = nullptr;
    QAction* tbZoomSub = nullptr;
    QAction* tbUp = nullptr;    // previous page
    QAction* tbDown = nullptr;  // next page
};

ReaderToolBar BuildReaderToolBar(QWidget* parent, THS_Language language);

}  // namespace ov
