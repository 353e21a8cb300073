#pragma once
// The control's type library: "OvCtrl" 2.7 with the interface, the event interface, the
// component class and the four enumerations, in that order.

#include "control/ovcom/dispatcher.h"
#include "control/ovcom/typeinfo.h"

namespace ov::control {

const ovcom::TypeLibInfo& OvCtrlTypeLib();
const ovcom::TypeInfo& QuexFormXInterfaceInfo();
const ovcom::TypeInfo& QuexFormXEventsInfo();
const ovcom::TypeInfo& QuexFormXClassInfo();
// The dispatch table of IQuexFormX (the object passed to invoke is an IQuexFormX*).
const ovcom::Dispatcher& QuexFormXDispatcher();

inline constexpr int kQuexFormXMemberCount = 148;

}  // namespace ov::control
