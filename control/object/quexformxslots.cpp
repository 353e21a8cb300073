#include "control/object/quexformxslots.h"

#include "control/members/members.h"
#include "control/object/quexformx.h"

namespace ov::control {

TQuexFormX& QuexFormXSlots::Self() {
    return static_cast<TQuexFormX&>(*this);
}

#define OV_DEFINE_SLOT(pos, id, kind, name, state, vis, ...) \
    OV_DEFINE_SLOT_##state(kind, name, __VA_ARGS__)
#define OV_DEFINE_SLOT_Done(kind, name, ...)                                              \
    ovcom::HRESULT QuexFormXSlots::OVCOM_SLOT(kind, name)(OVCOM_SIGNATURE(__VA_ARGS__)) { \
        TQuexFormX& self = Self();                                                        \
        return ovcom::Guard(self.guardSite(), [&] {                                       \
            OVCOM_IMPL_CALL(members::OVCOM_SLOT(kind, name), self, __VA_ARGS__);          \
        });                                                                               \
    }

OV_QUEXFORMX_MEMBERS(OV_DEFINE_SLOT)

}  // namespace ov::control
