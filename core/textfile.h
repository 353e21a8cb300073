#pragma once
// Text files with byte-order-mark detection. Files are read whole, capped at kMaxTextFileSize;
// files without a mark are read in the system code page (platform/codepage.h). Writers replace
// the file atomically, so a reader in another process never sees half a file.

#include <QByteArray>
#include <QString>

class QIODevice;

namespace ov {

// The most bytes a text file or stream is read up to (64 MiB); the rest is ignored.
inline constexpr qint64 kMaxTextFileSize = qint64{64} * 1024 * 1024;

// The file's text: "" when the file is missing or empty (or a folder); at most its first
// kMaxTextFileSize bytes, decoded by LoadTextFromStream without UTF-8 sniffing. Only a regular
// file is read, opened without blocking. Throws FileError when something else has the name
// (a pipe, a device) or the file cannot be opened or read.
QString LoadTextFile(const QString& fileName);

// The same as LoadTextFile.
QString ReadTextFile(const QString& fileName);

// Decodes the next `count` bytes of the device from its current position (the rest of the
// device when count is 0; never more than kMaxTextFileSize). Fewer than 5 bytes are decoded in
// the system code page. Otherwise EF BB BF starts UTF-8, FF FE starts UTF-16LE (an odd last
// byte is dropped), and anything else is the system code page, or UTF-8 when sniffUtf8 is set
// and IsUTF8Text accepts the bytes. Invalid UTF-8 after a mark becomes U+FFFD.
QString LoadTextFromStream(QIODevice& stream, bool sniffUtf8 = false, qint64 count = 0);

// Whether the bytes look like UTF-8: leads C0-DF take one continuation byte (80-BF), E0-EF two;
// a stray continuation byte, a lead F0-FF or a missing continuation byte fails. A sequence cut
// off by the end of the data passes, and so does empty data. Overlong forms are not checked.
bool IsUTF8Text(const char* data, qint64 length);
bool IsUTF8Text(const QByteArray& data);

// Replaces the file with FF FE and the text in UTF-16LE. An empty text does nothing (an
// existing file stays as it was). Throws FileError when the file cannot be written.
void SaveUnicodeText(const QString& fileName, const QString& text);

// Replaces the file with the bytes as they are (text already in the system code page). Empty
// bytes do nothing. Throws FileError when the file cannot be written.
void SaveAnsiText(const QString& fileName, const QByteArray& text);

// Appends the text in UTF-16LE without a mark to an existing file. Does nothing when the text
// is empty or the file is missing or cannot be written.
void AppendUnicodeText(const QString& fileName, const QString& text);

// When the file's folder exists: AppendUnicodeText when the file exists, else SaveUnicodeText
// (which may throw FileError). Does nothing when the folder is missing.
void AppendOrSaveUnicodeText(const QString& fileName, const QString& text);

}  // namespace ov
