#pragma once
// The functions of the control's members that are built, one per slot of the member table
// whose state is Done: get_X / put_X / putref_X for properties, the member's own name for
// methods. Inputs follow the control; the result is returned. They raise on failure (an
// ovcom::OleError carries its own code; anything else becomes E_UNEXPECTED).

#include "control/object/quexformx_table.h"

namespace ov::control {
class TQuexFormX;
}

namespace ov::control::members {

#define OV_DECLARE_IMPL(pos, id, kind, name, state, vis, ...) \
    OV_DECLARE_IMPL_##state(kind, name, __VA_ARGS__)
#define OV_DECLARE_IMPL_Done(kind, name, ...) \
    OVCOM_IMPL_RESULT(__VA_ARGS__)            \
    OVCOM_SLOT(kind, name)(TQuexFormX & self OVCOM_IMPL_PARAMS(__VA_ARGS__));
OV_QUEXFORMX_MEMBERS(OV_DECLARE_IMPL)
#undef OV_DECLARE_IMPL
#undef OV_DECLARE_IMPL_Done

}  // namespace ov::control::members
