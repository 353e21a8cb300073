#pragma once
// Conversion rules of the settings values, shared by the getters of TClientConfigX.

#include <QString>

#include "core/split.h"

namespace ov::configrules {

inline constexpr int kDefaultServerPort = 8088;

// "1" True, "0" False, anything else the default.
inline bool boolValue(const QString& value, bool def) {
    if (value == u"1") return true;
    if (value == u"0") return false;
    return def;
}

// The server port: 8088 when the value is missing, 0 or not a number.
inline int serverPort(const QString& value) {
    const int port = TextToIntDef0(value);
    return port == 0 ? kDefaultServerPort : port;
}

}  // namespace ov::configrules
