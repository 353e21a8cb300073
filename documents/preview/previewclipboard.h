#pragma once
// Which program put the clipboard's content there, told from its formats.

#include <QList>
#include <QString>
#include <cstdint>

class QMimeData;

namespace ov {

// One clipboard format: the system's format number and its name.
struct ClipboardFormat {
    quint32 id = 0;
    QString name;
};

// Format numbers the rule looks at.
inline constexpr quint32 CF_TEXT_ID = 1;
inline constexpr quint32 CF_OEMTEXT_ID = 7;
inline constexpr quint32 CF_UNICODETEXT_ID = 13;
inline constexpr quint32 CF_LOCALE_ID = 16;
inline constexpr quint32 CF_DATAOBJECT_ID = 0xC009;

// The source of formats in the clipboard's order: 0 unknown, 1 Word, 2 Excel, 3 PowerPoint,
// 4 WPS writer, 5 WPS spreadsheet, 6 WPS presentation, 7 a program that adds "asel" to text.
// Names are compared lower-cased.
std::uint8_t ClipboardSourceOf(const QList<ClipboardFormat>& formats);

// The formats of clipboard data as the rule sees them: the name a program gave a format
// (`windows_formatname="..."`, `value="..."` in the type) or else the type itself; plain text
// is format 1 (13 with a character set), the locale 16, a data object 0xC009, every other
// format a number from 0xC000 on.
QList<ClipboardFormat> ClipboardFormatsOf(const QMimeData& data);

}  // namespace ov
