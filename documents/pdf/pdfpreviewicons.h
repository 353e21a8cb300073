#pragma once
// The pictures of the PDF previewers' tool buttons, drawn in code (the tool bars need no image
// files).

#include <QIcon>

namespace ov::pdficons {

enum class Kind {
    Print,
    RotateLeft,
    RotateRight,
    FitWidth,
    FitHeight,
    FirstPage,
    PreviousPage,
    NextPage,
    ZoomOut,
    ZoomIn
};

QIcon icon(Kind kind);

}  // namespace ov::pdficons
