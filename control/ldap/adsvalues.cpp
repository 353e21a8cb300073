#include "control/ldap/adsvalues.h"

#include <QDateTime>
#include <QtEndian>
#include <algorithm>

#include "core/datetime.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray Reversed(QByteArray bytes) {
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

// Generalized time ("20240131120000Z", fractions allowed) or UTC time ("240131120000Z").
QString TimeText(const QByteArray& value) {
    const QString text = QString::fromLatin1(value).section(u'.', 0, 0).remove(u'Z');
    const QString format = text.size() == 12 ? u"yyMMddHHmmss"_s : u"yyyyMMddHHmmss"_s;
    QDateTime time = QDateTime::fromString(text.left(format.size()), format);
    if (!time.isValid()) return {};
    time = QDateTime(time.date(), time.time(), Qt::UTC);
    if (format.size() == 12 && time.date().year() < 1950) time = time.addYears(100);
    return DateTimeToText(QDateTimeToDateTime(time));
}

QString OctetText(const QString& name, const QByteArray& value) {
    if (name.compare(u"objectGUID"_s, Qt::CaseInsensitive) == 0) return GuidText(value);
    if (name.compare(u"objectSid"_s, Qt::CaseInsensitive) == 0) return SidText(value);
    return {};
}

QString BooleanText(const QByteArray& value) {
    return value.trimmed().toUpper() == "TRUE" ? u"1"_s : u"0"_s;
}

}  // namespace

QString GuidText(const QByteArray& bytes) {
    if (bytes.size() != 16) return {};
    return u'{' + Hex(Reversed(bytes.left(4))) + u'-' + Hex(Reversed(bytes.mid(4, 2))) + u'-' +
           Hex(Reversed(bytes.mid(6, 2))) + u'-' + Hex(bytes.mid(8, 2)) + u'-' +
           Hex(bytes.mid(10, 6)) + u'}';
}

QString SidText(const QByteArray& bytes) {
    if (bytes.size() < 8) return {};
    const auto count = static_cast<unsigned char>(bytes[1]);
    if (bytes.size() != 8 + 4 * count) return {};
    quint64 authority = 0;
    for (int i = 2; i < 8; ++i) authority = (authority << 8) | static_cast<unsigned char>(bytes[i]);
    QString text = u"S-"_s + QString::number(static_cast<unsigned char>(bytes[0])) + u'-' +
                   QString::number(authority);
    for (int i = 0; i < count; ++i)
        text += u'-' + QString::number(qFromLittleEndian<quint32>(bytes.constData() + 8 + 4 * i));
    return text;
}

QString AdsValueText(const QString& name, int type, const QByteArray& value) {
    switch (type) {
        case 1:
        case 3:
        case 7: return QString::fromUtf8(value);
        case 6: return BooleanText(value);
        case 8: return OctetText(name, value);
        case 9: return TimeText(value);
        case 10: return {};
        case 11: return u"Value of type Provider Specific"_s;
        case 25: return u"Value of type NT Security Descriptor"_s;
        default: return u"Unhandled ADSTYPE for property value: %1 "_s.arg(type);
    }
}

}  // namespace ov::control
