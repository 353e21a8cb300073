#pragma once
// Character sets of mails: the sniff of the first "charset=" of a mail file, and decoding of
// bytes by a character-set name.

#include <QByteArray>
#include <QString>
#include <optional>

namespace ov::platform {

// How much of the file the sniff looks at.
inline constexpr qsizetype kCharsetSniffBytes = 4096;

// The character set named first in the file's first 4096 bytes: the value after "charset="
// (or "Charset=" when there is no "charset"), without double quotes, up to the end of its line,
// a double quote, a ";" or a blank, upper-cased. Empty when there is none or it does not end
// within those bytes.
QString sniffMailCharset(const QByteArray& head);

// Bytes in the named character set as text; nullopt when the name is unknown. "GB2312" and
// "GBK" are read as GB18030, which holds them both (mails so labelled often use GBK's extra
// characters).
std::optional<QString> decodeCharset(const QByteArray& bytes, const QString& charset);

}  // namespace ov::platform
