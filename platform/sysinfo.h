#pragma once
// Facts about the running process and system: the language name, the folder of the running
// module and the version of our own binaries.

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace ov::platform {

// The name of the system's default language in its own wording ("中文" for a Chinese locale,
// "English" ...), at most 50 characters.
QString systemLanguageName();
// The same for any locale ("English" for the C locale, which has no name of its own).
QString languageName(const QLocale& locale);

// The folder of the binary that contains this code: the program, or the shared library when the
// code is linked into one. Ends with "/".
QString modulePath();

// The four-part version of one of our own binaries (built into each as a marker text).
// An empty name means the running module. Any other file, or a missing one, gives nullopt.
std::optional<std::array<int, 4>> fileVersion(const QString& fileName = {});

// True when this is a 32-bit process on a 64-bit system (a 32-bit build running on a 64-bit
// kernel); false for a native process.
bool is32BitProcessOn64BitSystem();

// The account name of the user running this process; "" when the system cannot tell.
QString currentUserName();

}  // namespace ov::platform
