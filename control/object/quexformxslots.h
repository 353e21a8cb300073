#pragma once
// The slots of IQuexFormX as the control implements them: each runs its member function of
// control/members/ guarded (an exception becomes the failing result).

#include "control/object/iquexformx.h"

namespace ov::control {

class TQuexFormX;

class QuexFormXSlots : public IQuexFormX {
public:
#define OV_OVERRIDE_SLOT(pos, id, kind, name, state, vis, ...) \
    ovcom::HRESULT OVCOM_SLOT(kind, name)(OVCOM_SIGNATURE(__VA_ARGS__)) override;
    OV_QUEXFORMX_MEMBERS(OV_OVERRIDE_SLOT)
#undef OV_OVERRIDE_SLOT

protected:
    ~QuexFormXSlots() = default;

private:
    TQuexFormX& Self();
};

}  // namespace ov::control
