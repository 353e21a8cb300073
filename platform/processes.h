#pragma once
// The current user's processes, from /proc.

#include <QString>

namespace ov::platform {

// Whether one of the user's processes runs a program whose file name (without folder) is
// `programName`, compared without regard to case.
bool isProgramRunning(const QString& programName);

// The same, counting only processes of this desktop session: those whose XDG_RUNTIME_DIR is
// ours (where the windows they show listen, see windowbus.h).
bool isProgramRunningInSession(const QString& programName);

}  // namespace ov::platform
