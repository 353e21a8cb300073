#pragma once
// Saving an attachment of a mail into the private temporary folder under a name that cannot
// leave it: only the last component of the name written in the mail is kept ("/" and "\" both
// separate), control characters are dropped, "." and ".." and empty names are refused, and a
// name already taken gets a number ("a (2).txt"). The file is created new (never through an
// existing file or link) with mode 0600.

#include <QByteArray>
#include <QString>

namespace ov::platform {

// The file name that the mail's name comes to, before numbering; empty when it is refused.
QString attachmentFileName(const QString& nameInMail);

// Writes the data into a new file in `folder` (which ends with "/"); its path, or empty with
// `error` set.
QString saveAttachment(const QString& folder, const QString& nameInMail, const QByteArray& data,
                       QString* error = nullptr);

}  // namespace ov::platform
