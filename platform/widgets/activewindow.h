#pragma once
// The window that has the keyboard on the desktop, and the program that shows it. Under X11
// the window manager names it (_NET_ACTIVE_WINDOW) and the window its process (_NET_WM_PID);
// elsewhere nothing is known.

#include <QString>

namespace ov::platform {

// The program file name (without folder) of the process owning the active window; "" when
// there is no X11 display, no active window, or its process is not ours to read.
QString activeWindowProgram();

}  // namespace ov::platform
