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

struct PdfPreviewToolBar {
    QWidget* Panel1 = nullptr;  // the strip at the top that holds the tool bar
    QToolBar* ToolBar1 = nullptr;
    QAction* tbPrint = nullptr;
    QAction* ToolButton5 = nullptr;   // the separator after print
    QAction* ToolButton1 = nullptr;   // rotate left
    QAction* ToolButton2 = nullptr;   // rotate right
    QAction* ToolButton11 = nullptr;  // fit width
    QAction* ToolButton12 = nullptr;  // fit height
    QAction* ToolButton7 = nullptr;   // first page
    QAction* ToolButton8 = nullptr;   // next page
    QWidget* Panel3 = nullptr;
    QLabel* lbPage1 = nullptr;
    QLineEdit* Edit1 = nullptr;  // page number
    QLabel* lbPage2 = nullptr;
    QAction* ToolButton4 = nullptr;  // zoom out
    QSlider* TrackBar1 = nullptr;    // 0..100, position 50, steps of 10
    QAction* ToolButton6 = nullptr;  // zoom in
    QLabel* Label1 = nullptr;        // status text, blank at first
};

// Builds the tool bar as a child of `parent`, with its texts in `language`.
PdfPreviewToolBar BuildPdfPreviewToolBar(QWidget* parent, THS_Language language);

}  // namespace ov
