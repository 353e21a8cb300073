#include "client/desktop/autorun.h"

#include <QFileInfo>

#include "platform/desktopentry.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov {

namespace {

platform::DesktopEntry autostartEntry(const QString& programPath) {
    platform::DesktopEntry entry;
    entry.name = u"Orvane Client"_s;
    entry.program = programPath;
    entry.workingFolder = QFileInfo(programPath).absolutePath();
    return entry;
}

}  // namespace

bool IsAutoRunSet(const QString& programPath) {
    if (!Registry::keyExists(Hive::CurrentUser, kRunKey)) return false;
    const auto value = Registry::readString(Hive::CurrentUser, kRunKey, kRunValueName);
    return value && value->compare(programPath, Qt::CaseInsensitive) == 0;
}

void SetAutoRun(bool enabled, const QString& programPath) {
    if (!Registry::createKey(Hive::CurrentUser, kRunKey)) return;
    if (!enabled) {
        Registry::deleteValue(Hive::CurrentUser, kRunKey, kRunValueName);
        platform::setAutostartEntry(kAutostartId, {}, false);
        return;
    }
    if (Registry::readString(Hive::CurrentUser, kRunKey, kRunValueName) != programPath)
        Registry::writeString(Hive::CurrentUser, kRunKey, kRunValueName, programPath);
    // The entry is what the desktop reads: it is written even when the value was already
    // there, so that an entry the user deleted comes back with the ticked box.
    platform::setAutostartEntry(kAutostartId, autostartEntry(programPath), true);
}

}  // namespace ov
