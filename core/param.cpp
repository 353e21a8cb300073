#include "core/param.h"

#include <QByteArray>

#include "core/errors.h"

namespace ov {
namespace {

int hexDigit(QChar ch) {
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace

QString EncodeParam(const QString& text) {
    const QByteArray hex = text.toUtf8().toHex().toUpper();
    return QStringLiteral("%_") + QString::fromLatin1(hex) + QStringLiteral("_%");
}

QString DecodeParam(const QString& text) {
    // The encoded empty text is exactly the four marks; it decodes to the empty text.
    if (text == u"%__%") return {};
    if (text.size() <= 4 || !text.startsWith(u"%_") || !text.endsWith(u'%')) return text;
    if (text.size() > kMaxParamTextLength)
        throw ConvertError(QStringLiteral("Parameter text too long"));
    const qsizetype count = (text.size() - 4) / 2;
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype pos = 2 + 2 * i;
        const int high = hexDigit(text[pos]);
        const int low = hexDigit(text[pos + 1]);
        if (high < 0 || low < 0)
            throw ConvertError(QStringLiteral("'%1' is not a valid hexadecimal value")
                                   .arg(QStringView(text).mid(pos, 2)));
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    return QString::fromUtf8(bytes);
}

}  // namespace ov
