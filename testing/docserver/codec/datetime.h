#pragma once
// The server's date-time forms. A TDateTime counts days since 1899-12-30 in local time (the
// fraction is the time of day); on the wire it travels as the text "YYYY-MM-DD HH:MM:SS" or as
// a 64-bit integer of 10^-9 days.

#include "core/types.h"

#include <QString>
#include <cstdint>

namespace ov::test::wire {

// "" for a value outside the years 1 to 9999.
QString dateText(TDateTime value);
std::int64_t dateToInt64(TDateTime value);
TDateTime int64ToDate(std::int64_t value);
// The current local time.
TDateTime nowLocal();

}  // namespace ov::test::wire
