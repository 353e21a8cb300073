#pragma once
// Invoke by DISPID: picks the member of the type information that the flags ask for and calls
// its slot through the thunk at the same index. A member that fails reaches the caller as
// DISP_E_EXCEPTION with the member's code and the thread's error information.

#include <vector>

#include "control/ovcom/slots.h"
#include "control/ovcom/typeinfo.h"
#include "control/ovcom/unknown.h"

namespace ov::ovcom {

using Thunk = CallResult (*)(void* object, std::span<Variant> args, Variant* result,
                             std::uint32_t* argErr);

class Dispatcher {
public:
    // thunks[i] calls the slot of info.funcs[i].
    Dispatcher(const TypeInfo& info, std::vector<Thunk> thunks);

    const TypeInfo& typeInfo() const { return m_info; }
    HRESULT getIDsOfNames(const QString* names, std::uint32_t count, DISPID* ids) const;
    HRESULT invoke(void* object, DISPID id, std::uint16_t flags, DispParams& params,
                   Variant* result, ExcepInfo* excep, std::uint32_t* argErr) const;
    // The member that a call with these flags reaches; null when none.
    const FuncDesc* pick(DISPID id, std::uint16_t flags) const;

private:
    const TypeInfo& m_info;
    std::vector<Thunk> m_thunks;
};

}  // namespace ov::ovcom
