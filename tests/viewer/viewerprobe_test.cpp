#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/viewerprobe.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;
using ov::platform::ScriptedViewerProbe;
using ov::platform::SystemViewerProbe;

namespace {

const QString kAdobeControl = u"CLSID\\{CA8A9780-280D-11CF-A24D-444553540000}\\Control"_s;
const QString kSursenControl = u"CLSID\\{34E23F0A-1F7A-423B-826A-BB780154357D}\\Control"_s;
const QString kFoxitClass = u"CLSID\\{9A9F603B-51A8-4630-AE99-4BBF01675575}"_s;
const QString kTypeLib7 = u"TypeLib\\{05BFD3F1-6319-4F30-B752-C7A22889BCC4}"_s;
const QString kTypeLib5 = u"TypeLib\\{CA8A9783-280D-11CF-A24D-444553540000}"_s;

QString wow(const QString& key) {
    return u"Wow6432Node\\"_s + key;
}

struct TypeCase {
    QStringList keys;
    int type;
};

TEST(PdfViewerType, PreferenceOrderAndTwins) {
    const std::vector<TypeCase> cases = {
        {{}, 0},
        {{kAdobeControl, kFoxitClass, kSursenControl}, 1},
        {{wow(kAdobeControl)}, 1},
        {{kSursenControl, kFoxitClass}, 3},
        {{wow(kSursenControl)}, 3},
        {{kFoxitClass}, 2},
        {{wow(kFoxitClass)}, 2},
        {{u"CLSID\\{CA8A9780-280D-11CF-A24D-444553540000}"_s}, 0},  // class without its control
        {{u"clsid\\{ca8a9780-280d-11cf-a24d-444553540000}\\control"_s}, 1},  // any letter case
    };
    for (const TypeCase& c : cases) {
        ScriptedViewerProbe probe;
        for (const QString& key : c.keys)
            probe.setKey(key);
        EXPECT_EQ(ov::platform::pdfViewerType(probe), c.type) << c.keys.join(u", ").toStdString();
    }
}

TEST(PdfViewerType, ReaderVersionFromTypeLibrary) {
    ScriptedViewerProbe probe;
    EXPECT_EQ(ov::platform::pdfReaderVersion(probe).typeLibVersion, QString());
    probe.setKey(kTypeLib5);
    EXPECT_EQ(ov::platform::pdfReaderVersion(probe).typeLibVersion, u"V5"_s);
    probe.setKey(kTypeLib7);
    probe.setReaderVersion(u"{CA8A9780-280D-11CF-A24D-444553540000}"_s, u"11.0.23.22"_s);
    const auto version = ov::platform::pdfReaderVersion(probe);
    EXPECT_EQ(version.typeLibVersion, u"V7"_s);
    EXPECT_EQ(version.version, u"11.0.23.22"_s);
}

TEST(SystemViewerProbe, BuiltInViewerAnswersForThePreferredReader) {
    ov::test::TempHome home;  // empty registry store
    const SystemViewerProbe probe;
    EXPECT_EQ(ov::platform::pdfViewerType(probe), 1);
    const auto version = ov::platform::pdfReaderVersion(probe);
    EXPECT_EQ(version.typeLibVersion, u"V7"_s);
    EXPECT_FALSE(version.version.isEmpty());
}

TEST(SystemViewerProbe, ReadersWithoutCounterpartAreNotInstalledOthersComeFromTheStore) {
    ov::test::TempHome home;
    for (const QString& key :
         {kSursenControl, kFoxitClass, kTypeLib5, u"CEBVIEWER.CEBViewerCtrl.1"_s,
          u"CLSID\\{F6FE8878-54D2-4333-B9F0-FC543B1BE1ED}\\Control"_s})
        ASSERT_TRUE(Registry::createKey(Hive::ClassesRoot, key));
    const SystemViewerProbe probe;
    EXPECT_FALSE(ov::platform::sursenReaderInstalled(probe));
    EXPECT_FALSE(probe.classKeyExists(kFoxitClass));
    EXPECT_FALSE(probe.classKeyExists(u"\\"_s + kTypeLib5));
    EXPECT_FALSE(probe.classKeyExists(u"CEBVIEWER.CEBViewerCtrl.1"_s));
    EXPECT_TRUE(
        probe.classKeyExists(u"\\CLSID\\{F6FE8878-54D2-4333-B9F0-FC543B1BE1ED}\\Control"_s));
    EXPECT_FALSE(probe.classKeyExists(u"CLSID\\{00000000-0000-0000-0000-000000000000}"_s));
    EXPECT_EQ(ov::platform::pdfViewerType(probe), 1);
}

TEST(SystemViewerProbe, TestsCanPutAnotherProbeInPlace) {
    ov::test::TempHome home;
    EXPECT_EQ(ov::platform::pdfViewerType(ov::platform::viewerProbe()), 1);
    auto scripted = std::make_unique<ScriptedViewerProbe>();
    scripted->setKey(kSursenControl);
    const ScriptedViewerProbe* seen = scripted.get();
    ov::platform::setViewerProbe(std::move(scripted));
    EXPECT_EQ(ov::platform::pdfViewerType(ov::platform::viewerProbe()), 3);
    EXPECT_TRUE(seen->askedKeys().contains(kAdobeControl));
    ov::platform::setViewerProbe(nullptr);
    EXPECT_EQ(ov::platform::pdfViewerType(ov::platform::viewerProbe()), 1);
}

}  // namespace
