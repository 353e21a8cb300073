// The control as a page sees it: registered with ovctrl-host, created through the registry
// store by its ProgID, scripted, unregistered.

#include <gtest/gtest.h>

#include <QProcess>

#include "platform/registry.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace {

struct HostRun {
    int exitCode = -1;
    QString output;
};

HostRun host(const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    HostRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

HostRun script(const char* name) {
    return host({QStringLiteral(OV_SCRIPTS_DIR "/") + QLatin1StringView(name)});
}

TEST(Host, RegisterCreateScriptUnregister) {
    ov::test::TempHome home;
    const QString library = QStringLiteral(OV_CTRL_LIB);
    ASSERT_TRUE(Registry::subKeyNames(Hive::ClassesRoot, {}).isEmpty());

    HostRun run = host({u"--register"_s, library});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QString classKey = u"CLSID\\{0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s;
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, classKey + u"\\InprocServer32"_s), library);
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, classKey + u"\\InprocServer32"_s,
                                   u"ThreadingModel"_s),
              u"Apartment"_s);
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, classKey + u"\\MiscStatus\\1"_s),
              u"205201"_s);
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, classKey + u"\\Verb\\0"_s),
              u"Properties,0,2"_s);
    EXPECT_TRUE(Registry::keyExists(Hive::ClassesRoot, classKey + u"\\Control"_s));
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot, u"OvCtrl.QuexFormX\\Clsid"_s),
              u"{0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s);
    EXPECT_EQ(Registry::readString(Hive::ClassesRoot,
                                   u"TypeLib\\{9C60329A-87E5-4E95-B80D-0BCA7C1B4069}\\2.7"_s),
              u"OvCtrl Library"_s);

    for (const char* name : {"members.js", "events.js"}) {
        run = script(name);
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.output.toStdString();
    }
    run = script("handlererror.js");
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"handler failed"_s)) << run.output.toStdString();

    run = host({u"--unregister"_s, library});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(Registry::subKeyNames(Hive::ClassesRoot, {}), QStringList());  // nothing left
    run = script("notregistered.js");
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
}

TEST(Host, RefusesWhatItCannotRun) {
    ov::test::TempHome home;
    EXPECT_EQ(host({}).exitCode, 2);
    EXPECT_EQ(host({u"--register"_s, home.file(u"missing.so"_s)}).exitCode, 1);
    EXPECT_EQ(host({home.file(u"missing.js"_s)}).exitCode, 2);
}

}  // namespace
