#pragma once
// Encoding and decoding of texts that travel inside URLs: query values that callers put into
// request URLs, and the URL-encoded command texts that browsers hand over.

#include <QString>

namespace ov {

// A text as one query value: its UTF-8 bytes, with every byte outside A-Z, a-z, 0-9, "-", "_",
// "." and "~" written as "%" and two upper-case hexadecimal digits (so "&", "=", "+", "#" and
// blanks can never change the meaning of the query).
QString UriParamsEncode(const QString& text);

// A URL-encoded text back to text: "%" with two hexadecimal digits gives that byte, "%u" with
// four hexadecimal digits gives the UTF-8 bytes of that UTF-16 unit (a pair of surrogates gives
// the one character), any other character gives its own UTF-8 bytes; the bytes are then read
// as UTF-8. "+" stays "+", and a "%" that starts neither form stays as it is.
QString UriDecode(const QString& text);

}  // namespace ov
