// The office and PDF-reader probes: the registry walk as the program has always done it, and
// the suites installed on this system when the registry store knows none.

#include "documents/preview/previewprobes.h"
#include "platform/registry.h"
#include "platform/viewerprobe.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ov;
using namespace ov::platform;
using namespace Qt::StringLiterals;

namespace {

class Probes : public ::testing::Test {
protected:
    Probes() {
        OfficeSearchPaths nowhere;
        nowhere.packageStatus = home.file(u"status"_s);
        SetOfficeSearchPaths(nowhere);
    }
    ~Probes() override {
        SetOfficeSearchPaths(std::nullopt);
        setViewerProbe(nullptr);
    }

    static void Key(const QString& key, const QString& value = {}) {
        ASSERT_TRUE(Registry::writeString(Hive::ClassesRoot, key, QString(), value));
    }
    void Program(const QString& path) {
        QDir().mkpath(path.section(u'/', 0, -2));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // A WPS installation of the given version, or a LibreOffice with its bridge.
    void InstallWps(const QString& version) {
        const QString folder = home.file(u"wps/"_s);
        for (const QString& name : {u"wps"_s, u"et"_s, u"wpp"_s})
            Program(folder + name);
        QFile status(home.file(u"status"_s));
        ASSERT_TRUE(status.open(QIODevice::WriteOnly));
        status.write("Package: wps-office\nVersion: 1:" + version.toUtf8() + "-1\n");
        OfficeSearchPaths where;
        where.wps = {folder};
        where.packageStatus = status.fileName();
        SetOfficeSearchPaths(where);
    }
    void InstallLibreOffice() {
        const QString folder = home.file(u"lo/program/"_s);
        Program(folder + u"soffice"_s);
        Program(folder + u"python"_s);
        Program(home.file(u"lo/share/registry/writer.xcd"_s));
        OfficeSearchPaths where;
        where.libreOffice = {folder};
        SetOfficeSearchPaths(where);
    }

    ov::test::TempHome home;  // an empty registry store
};

TEST_F(Probes, OfficeVersionFromTheRegisteredCurrentVersion) {
    struct Case {
        QString curVer;
        QString result;
    };
    const Case cases[] = {{u"Word.Application.16"_s, u"V16"_s},
                          {u"Word.Application.9"_s, u"V09"_s},
                          {u"Word.Application"_s, QString()},
                          {u"Word.Application.x"_s, QString()}};
    for (const Case& c : cases) {
        Key(u"Word.Application\\CurVer"_s, c.curVer);
        bool exists = false;
        EXPECT_EQ(OfficeVersionOf(1, exists), c.result) << c.curVer.toStdString();
        EXPECT_FALSE(exists);
    }
    ASSERT_TRUE(Registry::createKey(Hive::LocalMachine, u"SOFTWARE\\Microsoft\\Office\\9.0"_s));
    Key(u"Word.Application\\CurVer"_s, u"Word.Application.9"_s);
    bool exists = false;
    EXPECT_EQ(OfficeVersionOf(1, exists), u"V09"_s);
    EXPECT_TRUE(exists);
    EXPECT_EQ(OfficeVersionOf(2, exists), u"VNotExists"_s);
}

TEST_F(Probes, OfficePlatformFromTheRegisteredServer) {
    Key(u"Word.Application\\CLSID"_s, u"{000209FF-0000-0000-C000-000000000046}"_s);
    Key(u"CLSID\\{000209FF-0000-0000-C000-000000000046}\\LocalServer32"_s,
        u"C:\\Office\\winword.exe /Automation"_s);
    EXPECT_EQ(OfficePlatformOf(1), OFT_MS);
    EXPECT_EQ(OfficePlatformOf(2), OFT_NONE);
    Key(u".doc\\WPS.Doc.6"_s);
    EXPECT_EQ(OfficePlatformOf(1), OFT_WPS_6);
    // A WPS program that is not there has no version: too old.
    Key(u"CLSID\\{000209FF-0000-0000-C000-000000000046}\\LocalServer32"_s,
        u"\"C:\\WPS\\wps.exe\" /Automation"_s);
    EXPECT_EQ(OfficePlatformOf(1), OFT_NONE);
}

TEST_F(Probes, InstalledSuitesAnswerWhenTheStoreKnowsNone) {
    bool exists = false;
    EXPECT_EQ(OfficePlatformOf(1), OFT_NONE);
    EXPECT_FALSE(OfficeViewerInstalled());

    InstallWps(u"9.1.0.4047"_s);
    EXPECT_EQ(OfficePlatformOf(1), OFT_WPS);
    EXPECT_EQ(WpsVersionOf(2), u"9.1"_s);
    EXPECT_TRUE(OfficeProgramIsInstalled(3));
    EXPECT_EQ(OfficeVersionOf(1, exists), u"VNotExists"_s);
    InstallWps(u"8.1.0.3000"_s);
    EXPECT_EQ(OfficePlatformOf(1), OFT_NONE);

    InstallLibreOffice();
    EXPECT_EQ(OfficePlatformOf(1), OFT_MS);
    EXPECT_EQ(OfficeVersionOf(1, exists), u"V16"_s);
    EXPECT_TRUE(exists);
    EXPECT_EQ(OfficeVersionOf(2, exists), u"VNotExists"_s) << "no spreadsheet installed";
    EXPECT_TRUE(OfficeViewerInstalled());
    EXPECT_TRUE(OfficeProgramIsInstalled(1));
    EXPECT_FALSE(OfficeProgramIsInstalled(2));
    EXPECT_FALSE(OfficeProgramIsInstalled(0));
}

TEST_F(Probes, PdfReaderVersionFromTheViewerProbe) {
    auto scripted = std::make_unique<ScriptedViewerProbe>();
    scripted->setKey(u"TypeLib\\"_s + QString::fromUtf16(kPdfReaderTypeLib5));
    setViewerProbe(std::move(scripted));
    QString version = u"kept"_s;
    QString typeLib = u"old"_s;
    AcrobatVersion(version, typeLib);
    EXPECT_EQ(typeLib, u"V5"_s);
    EXPECT_EQ(version, u"kept"_s);

    setViewerProbe(nullptr);  // the built-in viewer
    AcrobatVersion(version, typeLib);
    EXPECT_EQ(typeLib, u"V7"_s);
    EXPECT_NE(version, u"kept"_s);
}

TEST(ProbeTexts, CommandLinesAndVersions) {
    EXPECT_EQ(CutAtSwitch(u"\"C:\\a b\\wps.exe\" /prometheus /x"_s), u"\"C:\\a b\\wps.exe\""_s);
    EXPECT_EQ(CutAtSwitch(u"C:\\wps.exe"_s), u"C:\\wps.exe"_s);
    EXPECT_EQ(FirstTwoVersionParts(u"9.1.0.4047"_s), u"9.1"_s);
    EXPECT_EQ(FirstTwoVersionParts(u"10.1"_s), u"10.1"_s);
    EXPECT_EQ(FirstTwoVersionParts(QString()), QString());
    EXPECT_FALSE(RegisterComServer(u"/nonexistent/ofviewer.so"_s, 1));
}

}  // namespace
