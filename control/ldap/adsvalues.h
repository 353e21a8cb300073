#pragma once
// The text of one attribute value by its directory value type, as the lists and the attribute
// reader show it: names, strings and numbers as they are, a GUID and a SID in their usual
// text forms, times as "YYYY-MM-DD HH:MM:SS" (local time), and the fixed texts of the types
// that are not read.

#include <QByteArray>
#include <QString>

namespace ov::control {

// "{00112233-4455-6677-8899-AABBCCDDEEFF}" from the 16 bytes of a GUID (first three fields
// little-endian); "" for any other length.
QString GuidText(const QByteArray& bytes);

// "S-1-5-21-…" from a binary security identifier; "" when the bytes are not one.
QString SidText(const QByteArray& bytes);

// The text of a value of the given type for the named attribute.
QString AdsValueText(const QString& name, int type, const QByteArray& value);

}  // namespace ov::control
