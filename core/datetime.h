#pragma once
// Dates and times: the fixed text form "YYYY-MM-DD HH:MM:SS", the server's 64-bit date-time
// (units of 10^-9 day) and the conversions between TDateTime and Qt's date-time.
//
// A TDateTime counts days since 1899-12-30 in local time. Its integer part is the day and the
// absolute value of its fraction the time of day, so -1.25 is 1899-12-29 06:00.

#include <QDateTime>
#include <QString>
#include <cstdint>

#include "core/types.h"

namespace ov {

// "YYYY-MM-DD HH:MM:SS" on a 24-hour clock with "-" and ":" whatever the locale. A value that
// is not finite or lies outside the years 1 to 9999 gives "".
QString DateTimeToText(TDateTime value);

// Parses "YYYY-MM-DD[ HH:MM[:SS[.zzz]]]" (surrounding blanks allowed). Throws ConvertError
// "Wrong date format" + text for anything else.
TDateTime TextToDateTime(const QString& text);

// TextToDateTime, or `def` when the text is not a date.
TDateTime TextToDateTimeDef(const QString& text, TDateTime def);

// The server's date-time: value × 10^9, rounded to nearest with ties to even. Values beyond the
// 64-bit range saturate; NaN gives 0.
std::int64_t DateTimeToInt64(TDateTime value);

// The inverse of DateTimeToInt64: value / 10^9.
TDateTime Int64ToDateTime(std::int64_t value);

// Sets the last-modification time of an existing file from a local time. Failures are silent.
void SetFileModifyTime(const QString& fileName, TDateTime localTime);
void SetFileModifyTime(const QString& fileName, const QDateTime& time);

// The current local time.
TDateTime Now();

// Qt's date-time (any time spec) as a local TDateTime, rounded to milliseconds. An invalid
// date-time gives 0.
TDateTime QDateTimeToDateTime(const QDateTime& value);

// A TDateTime as a local QDateTime, rounded to milliseconds. A value that is not finite or lies
// outside the years 1 to 9999 gives an invalid QDateTime.
QDateTime DateTimeToQDateTime(TDateTime value);

}  // namespace ov
