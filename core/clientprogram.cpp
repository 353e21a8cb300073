#include "core/clientprogram.h"

#include "core/paths.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;

namespace ov {

QString ClientProgramName() {
    return u"OvClient"_s;
}

QString ClientProgramFile() {
    return GetClientPath() + ClientProgramName();
}

platform::UrlSchemeResult RegisterClientUrlScheme(const QString& programPath) {
    return platform::registerUrlScheme(u"OvClient"_s, u"OvClientProtocol"_s, programPath);
}

bool RegisterClientProtocol(const QString& programPath) {
    const auto icon =
        platform::Registry::readString(platform::Hive::ClassesRoot, u"\\OvClient\\DefaultIcon"_s);
    if (icon && !icon->isEmpty()) return true;
    return RegisterClientUrlScheme(programPath).registryKeys;
}

}  // namespace ov
