#pragma once
// Version texts of our binaries and the system language.

#include <QString>

namespace ov {

// The four version numbers of the file (the running module when fileName is empty) put into
// the format: each "%d" takes the next number, "%%" gives "%", everything else is copied as it
// stands. "" when the file has no version.
QString GetFileVersionText(const QString& fileName, const QString& format);

// The name of the system's default language in its own wording, at most 50 characters.
QString GetSystemLanguageName();

}  // namespace ov
