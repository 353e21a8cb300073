#include "platform/mime/mimecharset.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The value of "charset=" that starts at `from`; the end must lie within the head.
QString sniffedValue(const QByteArray& head, qsizetype from) {
    for (qsizetype end = from + 1; end < head.size(); ++end) {
        const char c = head[end];
        if (c == '\r' || c == '\n' || c == '"' || c == ';' || c == ' ' || c == '\t') {
            QByteArray value = head.mid(from, end - from);
            value.replace('"', QByteArray());
            return QString::fromLatin1(value).toUpper();
        }
    }
    return {};
}

QByteArray iconvName(const QString& charset) {
    const QString upper = charset.trimmed().toUpper();
    if (upper == u"GB2312"_s || upper == u"GBK"_s || upper == u"X-GBK"_s || upper == u"CP936"_s)
        return "GB18030";
    return upper.toLatin1();
}

// Converts all of `bytes`; invalid sequences become U+FFFD, one per skipped byte.
QString convert(iconv_t cd, const QByteArray& bytes) {
    std::vector<char> out(static_cast<size_t>(bytes.size()) * 4 + 16);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    QString text;
    while (inLeft > 0) {
        char* to = out.data();
        size_t outLeft = out.size();
        const size_t done = iconv(cd, &in, &inLeft, &to, &outLeft);
        text += QString::fromUtf8(out.data(), static_cast<qsizetype>(to - out.data()));
        if (done != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        text += QChar::ReplacementCharacter;  // a bad or cut-off sequence: skip one byte
        ++in;
        --inLeft;
    }
    return text;
}

}  // namespace

QString sniffMailCharset(const QByteArray& bytes) {
    const QByteArray head = bytes.left(kCharsetSniffBytes);
    qsizetype at = head.indexOf("charset");
    if (at < 0) at = head.indexOf("Charset");
    if (at < 0) return {};
    return sniffedValue(head, at + 8);
}

std::optional<QString> decodeCharset(const QByteArray& bytes, const QString& charset) {
    const QByteArray name = iconvName(charset);
    if (name.isEmpty()) return std::nullopt;
    const iconv_t cd = iconv_open("UTF-8", name.constData());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    QString text = convert(cd, bytes);
    iconv_close(cd);
    return text;
}

}  // namespace ov::platform
