// Which origins may create the control.

#include <gtest/gtest.h>

#include "control/hosts/ovbrowser/browserwindow.h"
#include "control/hosts/ovbrowser/trust.h"
#include "core/clientconfig.h"
#include "platform/registry.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::ovbrowser::SiteTrust;
using ov::platform::Hive;
using ov::platform::Registry;

namespace {

const QString kZones =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\"_s;

TEST(Trust, ServerOriginsAndZoneMap) {
    ov::test::TempHome home;
    {
        ov::TClientConfigX settings;
        settings.SetServerHost(u"docs.example.org"_s);
        settings.SetServerPort(8088);
        settings.Save();
    }
    Registry::writeString(Hive::CurrentUser, kZones + u"Ranges\\10_1_2_3"_s, u":Range"_s,
                          u"10.1.2.3"_s);
    Registry::writeDword(Hive::CurrentUser, kZones + u"Ranges\\10_1_2_3"_s, u"http"_s, 2);
    Registry::writeDword(Hive::CurrentUser, kZones + u"Domains\\b.c\\a"_s, u"http"_s, 2);
    Registry::writeDword(Hive::CurrentUser, kZones + u"Domains\\b.c\\z"_s, u"http"_s, 4);
    Registry::writeDword(Hive::CurrentUser, kZones + u"Domains\\any.org"_s, u"*"_s, 2);
    const SiteTrust trust(QUrl(u"https://start.example.org/index"_s));
    const struct {
        const char* origin;
        bool may;
    } cases[] = {
        {"https://start.example.org", true},       // the start page's origin
        {"https://start.example.org:443", true},   // its default port written out
        {"http://start.example.org", false},       // another scheme
        {"https://start.example.org:8443", false}, // another port
        {"http://docs.example.org:8088", true},    // the settings' server
        {"http://docs.example.org:8089", false},
        {"http://10.1.2.3:9000", true},            // a trusted range, any port
        {"https://10.1.2.3", false},               // written for http only
        {"http://a.b.c", true},                    // a trusted domain entry
        {"http://z.b.c", false},                   // listed in another zone
        {"https://any.org", true},                 // a whole domain, any scheme
        {"file:///etc", false},
        {"http://evil.example.com", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trust.mayCreate(QUrl(QLatin1StringView(c.origin))), c.may) << c.origin;
}

TEST(Trust, DownloadNamesStayPlainFileNames) {
    const struct {
        const char16_t* suggested;
        const char16_t* name;
    } cases[] = {
        {u"report.pdf", u"report.pdf"},
        {u"../../.bashrc", u"bashrc"},
        {u"C:\\Windows\\evil.exe", u"evil.exe"},
        {u"/etc/passwd", u"passwd"},
        {u"..", u"download"},
        {u"", u"download"},
        {u"图纸 v2.dwg", u"图纸 v2.dwg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ov::ovbrowser::SafeDownloadName(QString::fromUtf16(c.suggested)),
                  QString::fromUtf16(c.name));
}

}  // namespace
