#include "documents/editing/textencoding.h"

#include "core/textfile.h"
#include "platform/codepage.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16Bom("\xFF\xFE", 2);

QString fromUtf16Le(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | quint8(bytes[2 * i + 1]) << 8));
    return text;
}

QByteArray toUtf16Le(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

QString decode(const QByteArray& bytes, TextFileFormat& format) {
    if (bytes.startsWith(kUtf8Bom)) {
        format = {TextEncoding::Utf8, true};
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith(kUtf16Bom)) {
        format = {TextEncoding::Utf16Le, true};
        return fromUtf16Le(bytes.mid(2));
    }
    // Only bytes that read back unchanged count as UTF-8 (no cut-off or overlong sequence).
    if (IsUTF8Text(bytes) && QString::fromUtf8(bytes).toUtf8() == bytes) {
        format = {TextEncoding::Utf8, false};
        return QString::fromUtf8(bytes);
    }
    format = {TextEncoding::Ansi, false};
    return platform::fromSystemCodePage(bytes);
}

}  // namespace

LoadedText LoadTextFromBytes(const QByteArray& bytes) {
    LoadedText loaded;
    QString text = decode(bytes, loaded.format);
    loaded.format.crlf = text.contains(u"\r\n"_s);
    if (loaded.format.crlf) text.replace(u"\r\n"_s, u"\n"_s);
    loaded.text = text;
    return loaded;
}

QByteArray SaveTextToBytes(const QString& text, const TextFileFormat& format) {
    const QString lines = format.crlf ? QString(text).replace(u"\n"_s, u"\r\n"_s) : text;
    switch (format.encoding) {
        case TextEncoding::Utf16Le:
            return (format.bom ? kUtf16Bom : QByteArray()) + toUtf16Le(lines);
        case TextEncoding::Utf8:
            return (format.bom ? kUtf8Bom : QByteArray()) + lines.toUtf8();
        case TextEncoding::Ansi:
            return platform::toSystemCodePage(lines);
    }
    return {};
}

}  // namespace ov
