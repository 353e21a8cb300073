#pragma once
// The texts of the drawing previewers, in the form's language (Chinese for HSL_CN, English
// otherwise).

#include "core/types.h"

#include <QString>

namespace ov {

struct DrawingTexts {
    QString missing;  // the reader is not installed
    QString loading;  // the hint while the drawing is made ready
    QString caption;  // the form's caption; empty where the form keeps its creator's
};

enum class DrawingKind { Visio, Project, CorelDraw };

DrawingTexts drawingTexts(DrawingKind kind, THS_Language language);

}  // namespace ov
