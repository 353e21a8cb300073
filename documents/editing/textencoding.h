#pragma once
// The encodings of a plain-text file as the text editor keeps them: a byte-order mark
// (UTF-8 "EF BB BF", UTF-16LE "FF FE"), else UTF-8 when the bytes are valid UTF-8 (ASCII, two-
// and three-byte sequences), else the system code page. Short files are read the same way.
// Saving writes the mark the file had (and none when it had none), and the line ends it used.

#include <QByteArray>
#include <QString>

namespace ov {

enum class TextEncoding { Ansi, Utf8, Utf16Le };

struct TextFileFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool bom = false;
    bool crlf = false;  // lines end with CR LF
};

struct LoadedText {
    QString text;  // lines end with LF
    TextFileFormat format;
};

// An odd last byte of UTF-16LE text is dropped.
LoadedText LoadTextFromBytes(const QByteArray& bytes);
// The text (lines ending with LF) in the format, mark first.
QByteArray SaveTextToBytes(const QString& text, const TextFileFormat& format);

}  // namespace ov
