#pragma once
// The request codes of the document server's control channel (declared with the frame header)
// and the states a reply carries in its header's TranType byte.

#include "core/headinfo.h"

#include <cstdint>

namespace ov {

// Reply states. A reply whose state is not the one its command expects carries a message for
// the user as its text.
enum TReplyState : std::uint8_t {
    RS_Ok = 'P',
    RS_Ok2 = '<',
    RS_LoginOk = 'V',
    RS_Refused = 'R',
    RS_Refused2 = 'X'
};

}  // namespace ov
