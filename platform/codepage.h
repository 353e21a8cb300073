#pragma once
// The "system code page": the one 8-bit character set in which the system stores texts that
// have no byte-order mark, enciphers secrets and computes name hashes. It is read like Windows
// keeps it, from the registry value HKLM\SYSTEM\CurrentControlSet\Control\Nls\CodePage "ACP",
// and is 936 (GBK) when that value is missing.

#include <QByteArray>
#include <QString>

namespace ov::platform {

// The code page number in force (936 when the registry does not say otherwise).
int systemCodePage();

// Text to bytes in the system code page. Characters the code page cannot hold become its
// replacement character "?".
QByteArray toSystemCodePage(const QString& text);

// Bytes in the system code page to text. Byte sequences that are not valid in the code page
// become U+FFFD.
QString fromSystemCodePage(const QByteArray& bytes);
QString fromSystemCodePage(const char* data, qsizetype size);

// Tests and the settings module may change the code page for the rest of the process
// (0 goes back to reading it from the registry).
void setSystemCodePageOverride(int codePage);

}  // namespace ov::platform
