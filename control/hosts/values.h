#pragma once
// Script values and variants: what a script passes becomes a variant and what a member
// returns becomes a script value. Objects travel as ids of the host's object table.

#include <QJSValue>
#include <functional>

#include "control/ovcom/unknown.h"

namespace ov::hosts {

// undefined -> empty, null -> null, Booleans, numbers (integers within 32 bits as such, else
// floats), texts, and objects carrying "__ovcomId" (resolved by `object`).
ovcom::Variant toVariant(const QJSValue& value,
                         const std::function<ovcom::IDispatch*(int id)>& object);

}  // namespace ov::hosts
