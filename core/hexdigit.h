#pragma once
// The value of one hexadecimal digit (either letter case), or -1 when it is not one.

namespace ov {

constexpr int HexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace ov
