#pragma once
// Small checks of user and server input: dotted IPv4 addresses and mail addresses.

#include <QString>
#include <cstdint>

namespace ov {

// The 32-bit value of a dotted IPv4 address ("192.168.1.10" gives 0xC0A8010A as a signed
// value); 0 when the text is not four parts from 0 to 255.
std::int32_t IPToInt(const QString& text);

// Whether the text is a plausible mail address (restricted character set, local part of at
// most 64 and domain of at most 256 characters, dotted domain).
bool IsValidEmail(const QString& address);

}  // namespace ov
