#pragma once
// The full path of the running program, as the desktop entries and the auto-start value name it.

#include <QString>

namespace ov {

// The canonical path of this process's executable ("" when it cannot be read).
QString ProgramPath();

}  // namespace ov
