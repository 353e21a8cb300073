#include "control/hosts/values.h"

#include <cmath>
#include <limits>

namespace ov::hosts {

ovcom::Variant toVariant(const QJSValue& value,
                         const std::function<ovcom::IDispatch*(int id)>& object) {
    if (value.isUndefined()) return {};
    if (value.isNull()) return ovcom::Variant::null();
    if (value.isBool()) return ovcom::Variant(value.toBool());
    if (value.isString()) return ovcom::Variant(value.toString());
    if (value.isNumber()) {
        const double number = value.toNumber();
        if (std::trunc(number) == number && std::fabs(number) <= 2147483647.0)
            return ovcom::Variant(static_cast<std::int32_t>(number));
        return ovcom::Variant(number);
    }
    if (value.isObject() && value.hasProperty(QStringLiteral("__ovcomId")))
        return ovcom::Variant(object(value.property(QStringLiteral("__ovcomId")).toInt()));
    return ovcom::Variant(value.toString());
}

}  // namespace ov::hosts
