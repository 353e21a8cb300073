#pragma once
// The adapter lists that the login sends and from which the key of the saved user token is
// made: one entry per IPv4 address entry of each adapter, in the system's order.

#include <QString>

namespace ov {

// Each byte as two upper-case hexadecimal digits, joined by "-" ("" for length 0).
QString MacToText(const unsigned char* address, int length);

// "<physical address>;" per address entry that does not begin with "0.". "" when the system's
// list cannot be read.
QString GetMacList();

// "<address>  <physical address>;" per address entry that does not begin with "0.".
QString GetIPAndMacList();

}  // namespace ov
