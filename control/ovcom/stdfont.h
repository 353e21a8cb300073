#pragma once
// The standard font object of automation (Name, Size, Bold, Italic, Underline, Strikethrough,
// Weight, Charset), connected to a font of ours: each change is handed to `changed`.

#include <QFont>
#include <functional>

#include "control/ovcom/unknown.h"

namespace ov::ovcom {

// A new font object with one reference.
IDispatch* createStdFont(const QFont& font, std::function<void(const QFont&)> changed);

// The font that a font object describes, read through its properties; `base` where a
// property is missing.
QFont fontFromDispatch(IDispatch* font, const QFont& base);

}  // namespace ov::ovcom
