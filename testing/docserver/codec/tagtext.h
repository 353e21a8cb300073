#pragma once
// Tagged texts of requests and replies: "[Tag]value[/Tag]", one after the other, no nesting and
// no escaping. Tag names match whatever the letter case of a to z.

#include <QString>
#include <cstdint>

namespace ov::test::wire {

// The value between the first "[tag]" and the first "[/tag]" after it; "" when either is
// missing. With `trim`, characters up to blank (codes 0 to 32) are cut from both ends.
QString tagValue(const QString& text, const QString& tag, bool trim = true);

// A decimal number (sign allowed, blanks around it), 0 when the text is none or does not fit.
std::int32_t intOr0(const QString& text);
std::int64_t int64Or0(const QString& text);

}  // namespace ov::test::wire
