// Which program put the clipboard's content there.

#include "documents/preview/previewclipboard.h"

#include <QMimeData>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Format names are read with a buffer of 128 characters.
QString NameOf(const ClipboardFormat& format) {
    return format.name.left(127).toLower();
}

// Rule for a name after the first format; 0 when it says nothing.
std::uint8_t SourceOfName(const QString& name) {
    if (name == u"csv"_s) return 2;
    if (name.contains(u"powerpoint"_s)) return 3;
    if (name.contains(u"kingsoft et"_s)) return 5;
    if (name.contains(u"kingsoft wps"_s)) return 4;
    if (name.contains(u"kingsoft wpp"_s)) return 6;
    return 0;
}

std::uint8_t SourceOfDataObject(const QList<ClipboardFormat>& formats) {
    for (qsizetype i = 1; i < formats.size(); ++i)
        if (const std::uint8_t source = SourceOfName(NameOf(formats[i]))) return source;
    const qsizetype n = formats.size();
    return n >= 12 && n <= 18 ? 1 : 0;
}

bool IsSpreadsheetText(const QList<ClipboardFormat>& formats) {
    static const quint32 ids[] = {CF_UNICODETEXT_ID, CF_TEXT_ID, CF_LOCALE_ID, CF_OEMTEXT_ID};
    if (formats.size() != 4) return false;
    for (int i = 0; i < 4; ++i)
        if (formats[i].id != ids[i]) return false;
    return true;
}

}  // namespace

std::uint8_t ClipboardSourceOf(const QList<ClipboardFormat>& formats) {
    if (formats.size() <= 2) return 0;
    if (formats.first().id == CF_DATAOBJECT_ID) return SourceOfDataObject(formats);
    if (IsSpreadsheetText(formats)) return 2;
    if (formats.first().id == CF_TEXT_ID) {
        for (qsizetype i = 1; i < formats.size(); ++i)
            if (NameOf(formats[i]) == u"asel"_s) return 7;
    }
    return 0;
}

QList<ClipboardFormat> ClipboardFormatsOf(const QMimeData& data) {
    static const QRegularExpression named(u"(?:windows_formatname|value)=\"([^\"]*)\""_s);
    QList<ClipboardFormat> result;
    quint32 next = 0xC000;
    for (const QString& type : data.formats()) {
        ClipboardFormat format;
        const auto match = named.match(type);
        format.name = match.hasMatch() ? match.captured(1) : type;
        if (type == u"text/plain"_s)
            format.id = CF_TEXT_ID;
        else if (type.startsWith(u"text/plain;charset"_s))
            format.id = CF_UNICODETEXT_ID;
        else if (format.name.compare(u"Locale"_s, Qt::CaseInsensitive) == 0)
            format.id = CF_LOCALE_ID;
        else if (format.name.compare(u"DataObject"_s, Qt::CaseInsensitive) == 0)
            format.id = CF_DATAOBJECT_ID;
        else
            format.id = next == CF_DATAOBJECT_ID ? ++next : next;
        if (format.id >= 0xC000) ++next;
        result.append(format);
    }
    return result;
}

}  // namespace ov
