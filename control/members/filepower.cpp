// Whether the control may write files here, with the document server made a trusted site first.

#include <QFile>

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/checks.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/textfile.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov::control::members {

namespace {

const QString kZoneMap =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap"_s;

struct ZoneHost {
    bool isRange = false;
    QString group;  // key below HKEY_CURRENT_USER
    QString entry;  // key below the group
};

ZoneHost SplitZoneHost(const QString& host) {
    if (IPToInt(host) != 0)
        return {true, kZoneMap + u"\\Ranges"_s, QString(host).replace(u'.', u'_')};
    const qsizetype dot = host.indexOf(u'.');
    if (dot < 0) return {};
    return {false, kZoneMap + u"\\Domains\\"_s + host.mid(dot + 1, 256), host.left(dot)};
}

bool EnsureRegSubKey(const QString& parent, const QString& sub) {
    if (!Registry::keyExists(Hive::CurrentUser, parent)) return false;
    return Registry::createKey(Hive::CurrentUser, parent + u'\\' + sub);
}

bool IsTrustedSite(const ZoneHost& zone) {
    return Registry::keyExists(Hive::CurrentUser, zone.group + u'\\' + zone.entry);
}

bool AddTrustedSite(const QString& host, const ZoneHost& zone) {
    const QString key = zone.group + u'\\' + zone.entry;
    if (zone.isRange) {
        if (!EnsureRegSubKey(kZoneMap, u"Ranges"_s) || !EnsureRegSubKey(zone.group, zone.entry))
            return false;
        return Registry::writeString(Hive::CurrentUser, key, u":Range"_s, host) &&
               Registry::writeDword(Hive::CurrentUser, key, u"http"_s, 2);
    }
    const QString domain = zone.group.mid(kZoneMap.size() + 9);
    if (!EnsureRegSubKey(kZoneMap, u"Domains"_s) ||
        !EnsureRegSubKey(kZoneMap + u"\\Domains"_s, domain) ||
        !EnsureRegSubKey(zone.group, zone.entry))
        return false;
    return Registry::writeDword(Hive::CurrentUser, key, u"http"_s, 2);
}

// 9999 when a file can be written and read back, 1 when it cannot be written, 0 otherwise.
std::int32_t WriteTest() {
    try {
        SaveUnicodeText(GlobalConfig()->ConfigPath() + u"PowerTest.txt"_s,
                        u"OpenWrite power test"_s);
    } catch (...) {
        return 0;
    }
    const QString test = GetLocalTempPath() + u"kkk/test.txt"_s;
    QFile file(test);
    if (!ForceFolder(test) || !file.open(QIODevice::ReadWrite | QIODevice::Truncate)) return 1;
    const std::int32_t number = 60139;
    if (file.write(reinterpret_cast<const char*>(&number), 4) != 4) return 1;
    std::int32_t back = 0;
    if (!file.seek(0) || file.read(reinterpret_cast<char*>(&back), 4) != 4) return 0;
    return 9999;
}

}  // namespace

std::int32_t get_FileAccessPower(TQuexFormX& self) {
    const ZoneHost zone = SplitZoneHost(self.FServerHost);
    if (!zone.entry.isEmpty() && !IsTrustedSite(zone)) AddTrustedSite(self.FServerHost, zone);
    return WriteTest();
}

}  // namespace ov::control::members
