#pragma once
// The control's dual interface as C++ sees it: IDispatch's seven methods, then one slot per
// member of the table, in the table's order. Inputs come first, the result (when any) is the
// last parameter; every slot returns an HRESULT.

#include "control/object/quexformx_table.h"
#include "control/ovcom/unknown.h"

namespace ov::control {

inline constexpr ovcom::Guid LIBID_OvCtrl = ovcom::makeGuid("9C60329A-87E5-4E95-B80D-0BCA7C1B4069");
inline constexpr ovcom::Guid IID_IQuexFormX =
    ovcom::makeGuid("2195CBC3-3AC9-48C3-8A5A-89E57B8D61D3");
inline constexpr ovcom::Guid DIID_IQuexFormXEvents =
    ovcom::makeGuid("A1CD59BF-28EF-4015-B814-3A154474E126");
inline constexpr ovcom::Guid CLSID_QuexFormX =
    ovcom::makeGuid("0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5");

#define OV_DECLARE_SLOT(pos, id, kind, name, state, vis, ...) \
    virtual ovcom::HRESULT OVCOM_SLOT(kind, name)(OVCOM_SIGNATURE(__VA_ARGS__)) = 0;

struct IQuexFormX : ovcom::IDispatch {
    OV_QUEXFORMX_MEMBERS(OV_DECLARE_SLOT)

protected:
    ~IQuexFormX() = default;
};

#undef OV_DECLARE_SLOT

}  // namespace ov::control
