#pragma once
// Splitting texts into arrays.

#include <QStringList>
#include <QVector>
#include <cstdint>

namespace ov {

// The pieces between delimiters, trimmed, empty pieces dropped. "" gives an empty array.
QStringList SplitToStrArray(const QString& text, QChar delimiter);

// The pieces between delimiters (one delimiter at the very end dropped), each converted as a
// decimal number, 0 for anything that is not one (empty pieces included).
QVector<std::int32_t> SplitToIntArray(const QString& text, QChar delimiter);
QVector<std::int64_t> SplitToInt64Array(const QString& text, QChar delimiter);

// The pieces between non-overlapping occurrences of the separator (case respected), kept as
// they stand; the piece after the last separator only when it is not empty. "" gives an empty
// array; an empty separator gives the whole text as the one piece.
QStringList SplitByString(const QString& text, const QString& separator);

// A trimmed decimal number (optional sign) as an integer; 0 when the text is not one or does not
// fit.
std::int32_t TextToIntDef0(const QString& text);
std::int64_t TextToInt64Def0(const QString& text);

}  // namespace ov
