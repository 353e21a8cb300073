#include "core/uri.h"

#include <QByteArray>

#include "core/hexdigit.h"

namespace ov {

namespace {

bool isUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~';
}

// The value of `digits` hexadecimal digits at `pos`, or -1 when they are not all there.
int hexAt(const QString& text, qsizetype pos, int digits) {
    if (pos + digits > text.size()) return -1;
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigitValue(text.at(pos + i).unicode());
        if (d < 0) return -1;
        value = value * 16 + d;
    }
    return value;
}

// Reads a "%uXXXX" unit at `pos` (the "%"); a high surrogate takes a following low one along.
// Returns the characters' UTF-8 bytes and moves `pos` past what it read; empty when no unit.
QByteArray readUnicodeEscape(const QString& text, qsizetype& pos) {
    if (pos + 1 >= text.size() || text.at(pos + 1).toLower() != u'u') return {};
    const int unit = hexAt(text, pos + 2, 4);
    if (unit < 0) return {};
    QString chars{QChar(char16_t(unit))};
    pos += 6;
    if (QChar::isHighSurrogate(char32_t(unit)) && pos + 1 < text.size() && text.at(pos) == u'%' &&
        text.at(pos + 1).toLower() == u'u') {
        const int low = hexAt(text, pos + 2, 4);
        if (low >= 0 && QChar::isLowSurrogate(char32_t(low))) {
            chars.append(QChar(char16_t(low)));
            pos += 6;
        }
    }
    return chars.toUtf8();
}

}  // namespace

QString UriParamsEncode(const QString& text) {
    static const char digits[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (isUnreserved(c)) {
            out.append(c);
        } else {
            const auto b = static_cast<unsigned char>(c);
            out.append('%').append(digits[b >> 4]).append(digits[b & 15]);
        }
    }
    return QString::fromLatin1(out);
}

QString UriDecode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        if (c == u'%') {
            const QByteArray unit = readUnicodeEscape(text, pos);
            if (!unit.isEmpty()) {
                bytes.append(unit);
                continue;
            }
            const int value = hexAt(text, pos + 1, 2);
            if (value >= 0) {
                bytes.append(char(value));
                pos += 3;
                continue;
            }
        }
        if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
            ++pos;
        } else {
            // Keep characters that are not escaped whole, surrogate pairs included.
            const qsizetype n = (c.isHighSurrogate() && pos + 1 < text.size()) ? 2 : 1;
            bytes.append(text.mid(pos, n).toUtf8());
            pos += n;
        }
    }
    return QString::fromUtf8(bytes);
}

}  // namespace ov
