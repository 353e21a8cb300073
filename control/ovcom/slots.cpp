#include "control/ovcom/slots.h"

#include "control/ovcom/errorinfo.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

void checkOut(const void* out) {
    if (!out) throw OleError(E_POINTER, u"Invalid pointer"_s);
}

}  // namespace ov::ovcom
