#pragma once
// The current user's processes, from /proc.

#include <QString>

namespace ov::platform {

// Whether one of the user's processes runs a program whose file name (without folder) is
// `programName`, compared without regard to case.
bool isProgramRunning(const QString& programName);

}  // namespace ov::platform
