#include "control/hosts/ovbrowser/trust.h"

#include "core/globalconfig.h"
#include "core/clientconfig.h"
#include "platform/registry.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov::ovbrowser {

namespace {

const QString kZoneMap =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap"_s;
constexpr quint32 kTrustedZone = 2;

bool isWebScheme(const QString& scheme) {
    return scheme == u"http"_s || scheme == u"https"_s;
}

bool trustedEntry(const QString& key, const QString& scheme) {
    return Registry::readDword(Hive::CurrentUser, key, scheme) == kTrustedZone ||
           Registry::readDword(Hive::CurrentUser, key, u"*"_s) == kTrustedZone;
}

bool inRanges(const QString& host, const QString& scheme) {
    const QString ranges = kZoneMap + u"\\Ranges"_s;
    for (const QString& entry : Registry::subKeyNames(Hive::CurrentUser, ranges)) {
        const QString key = ranges + u'\\' + entry;
        if (Registry::readString(Hive::CurrentUser, key, u":Range"_s) == host &&
            trustedEntry(key, scheme))
            return true;
    }
    return false;
}

// "a.b.c" is kept as Domains\b.c\a; a whole domain as Domains\b.c.
bool inDomains(const QString& host, const QString& scheme) {
    const QString domains = kZoneMap + u"\\Domains\\"_s;
    const qsizetype dot = host.indexOf(u'.');
    if (dot > 0 && host.size() - dot - 1 <= 256 &&
        trustedEntry(domains + host.mid(dot + 1) + u'\\' + host.left(dot), scheme))
        return true;
    return dot > 0 && trustedEntry(domains + host, scheme);
}

}  // namespace

bool SiteTrust::sameOrigin(const QUrl& a, const QUrl& b) {
    const auto port = [](const QUrl& u) { return u.port(u.scheme() == u"https"_s ? 443 : 80); };
    return a.isValid() && b.isValid() && isWebScheme(a.scheme()) &&
           a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           port(a) == port(b);
}

bool SiteTrust::isTrustedSite(const QUrl& origin) {
    const QString host = origin.host().toLower();
    // Key names never hold a separator of the store: such a host cannot be listed.
    if (!isWebScheme(origin.scheme()) || host.isEmpty() || host.contains(u'\\')) return false;
    return inRanges(host, origin.scheme()) || inDomains(host, origin.scheme());
}

bool SiteTrust::mayCreate(const QUrl& origin) const {
    if (sameOrigin(origin, m_startUrl)) return true;
    const TClientConfigX settings;
    return sameOrigin(origin, QUrl(settings.ServerUrl())) || isTrustedSite(origin);
}

}  // namespace ov::ovbrowser
