#include "core/param.h"

#include <QByteArray>
#include <QStringDecoder>

#include "core/errors.h"
#include "core/hexdigit.h"

namespace ov {

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
        const int high = HexDigitValue(text[pos].unicode());
        const int low = HexDigitValue(text[pos + 1].unicode());
        if (high < 0 || low < 0)
            throw ConvertError(QStringLiteral("'%1' is not a valid hexadecimal value")
                                   .arg(QStringView(text).mid(pos, 2)));
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    // A text that begins with U+FEFF keeps it (it is not a byte-order mark here).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

}  // namespace ov
