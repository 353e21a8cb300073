#pragma once
// The tool bar of the PDF previewer: print, rotate left and right, fit width and height, first
// and next page, the page number, zoom out, the zoom track bar, zoom in and a status text.

#include <QString>

#include "core/types.h"

class QAction;
class QLabel;
class QLineEdit;
class QSlider;
class QToolBar;
class QWidget;

namespace ov {

// Each part carries the designer's name as its object name ("ToolButton11" is fit width).
struct PdfPreviewToolBar {
    QWidget* strip = nullptr;  // the strip at the top that holds the tool bar
    QToolBar* toolBar = nullptr;
    QAction* print = nullptr;
    QAction* printSeparator = nullptr;  // the separator after print
    QAction* rotateLeft = nullptr;
    QAction* rotateRight = nullptr;
    QAction* fitWidth = nullptr;
    QAction* fitHeight = nullptr;
    QAction* firstPage = nullptr;
    QAction* nextPage = nullptr;
    QWidget* pagePanel = nullptr;
    QLabel* pageLabelBefore = nullptr;
    QLineEdit* pageNumber = nullptr;
    QLabel* pageLabelAfter = nullptr;
    QAction* zoomOut = nullptr;
    QSlider* zoomSlider = nullptr;  // 0..100, position 50, steps of 10
    QAction* zoomIn = nullptr;
    QLabel* status = nullptr;  // status text, blank at first
};

// Builds the tool bar as a child of `parent`, with its texts in `language`.
PdfPreviewToolBar BuildPdfPreviewToolBar(QWidget* parent, THS_Language language);

}  // namespace ov
