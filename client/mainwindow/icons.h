#pragma once
// The pictures of the main window's icon buttons, drawn as simple line pictures so that they
// read on the dark blue bar and the grey user bar in any style.

#include <QColor>
#include <QIcon>

namespace ov {

enum class TBarPicture { Home, Transfer, Files, Settings, Exit, Minimise, Maximise, Close };

// A 30 × 30 picture in `normal`, and in `hover` for the button under the mouse.
QIcon BarIcon(TBarPicture picture, const QColor& normal, const QColor& hover);

}  // namespace ov
