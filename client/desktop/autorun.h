#pragma once
// Starting OvClient when the user logs in to the desktop: the value "ZRW" under the current
// user's Run key names the program, and an XDG autostart entry makes the desktop start it.

#include <QString>

namespace ov {

inline const QString kRunKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValueName = QStringLiteral("ZRW");
// The autostart entry's file name (without ".desktop") in the user's autostart folder.
inline const QString kAutostartId = QStringLiteral("ovclient-autostart");

// Whether the Run value names the program (compared without regard to case). False when the
// key is missing.
bool IsAutoRunSet(const QString& programPath);

// Enabled: the Run value is written when it differs from the program path (exact comparison)
// and the autostart entry is written; disabled: both are removed. Errors are silent.
void SetAutoRun(bool enabled, const QString& programPath);

}  // namespace ov
