// Placeholder until the registry store lands.
#include "platform/registry.h"
namespace ov::platform {
std::optional<QString> Registry::readString(Hive, const QString&, const QString&) { return {}; }
}
