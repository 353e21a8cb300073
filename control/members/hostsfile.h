#pragma once
// The system's hosts file as the page sees it: look up the name of an address or the address of
// a name, and map a name to an address. Lines are parsed into fields (address, names, comment);
// nothing matches inside a longer field or a comment.

#include <QString>

namespace ov::control {

// The hosts file in use ("/etc/hosts" unless a test set another).
QString HostsFilePath();
// Replaces the path for the rest of the process; an empty path restores "/etc/hosts".
void SetHostsFilePath(const QString& path);

// The names of the first entry for `ip`, joined by one blank; "" when none or unreadable.
QString HostsNameOf(const QString& ip);
// The address of the first entry that names `host` (without regard to case); "" when none.
QString HostsAddressOf(const QString& host);
// Removes `host` from every entry (an entry left without names goes) and the marker lines, then
// appends an empty line, the marker and "ip<TAB>host". The old file stays as "<path>.bak"; the
// new one replaces it in one step. False when the file cannot be read or written.
bool HostsMap(const QString& ip, const QString& host);
// Whether a text may stand as one field of an entry: not empty, no blank, line end or "#".
bool HostsFieldIsValid(const QString& field);

}  // namespace ov::control
