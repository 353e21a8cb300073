// The hand-over to a real OvClient process: the control starts it when it does not run and
// hands online edits and batch tasks to its window (clipboard command and window message).

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/windowbus.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace {

QString runHost(const QStringList& args, int* exitCode) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_LOGGING_RULES"_s, u"ov.control.handover.info=true"_s);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(180000)) process.kill();
    process.waitForFinished();
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

class HandOver : public ::testing::Test {
protected:
    void SetUp() override {
        int code = -1;
        const QString out = runHost({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}, &code);
        ASSERT_EQ(code, 0) << out.toStdString();
    }
    void TearDown() override {
        // OvClient ends on its close message.
        if (auto window = ov::platform::findWindow(u"TQUEXClientFrm"_s)) {
            ov::platform::postMessage(window, 0x470, 0, 0);
            for (int i = 0; i < 100 && ov::platform::isProgramRunningInSession(u"OvClient"_s); ++i)
                QThread::msleep(100);
        }
    }
    void installClientAt(const QString& program) {
        ASSERT_TRUE(Registry::writeString(Hive::ClassesRoot, u"OvClient\\DefaultIcon"_s, {},
                                          program + u",1"_s));
    }
    ov::test::TempHome home;
};

TEST_F(HandOver, StartsOvClientAndReachesItsWindow) {
    ASSERT_FALSE(ov::platform::isProgramRunningInSession(u"OvClient"_s))
        << "another OvClient runs in this session";
    installClientAt(QStringLiteral(OV_CLIENT_EXE));
    int code = -1;
    const QString out = runHost({QStringLiteral(OV_SCRIPTS_DIR "/handover.js")}, &code);
    ASSERT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(ov::platform::isProgramRunningInSession(u"OvClient"_s));
    // EditOnline waits for the window's handler; the others are posted.
    EXPECT_EQ(out.count(u"0x4dc: delivered"_s), 2) << out.toStdString();
    EXPECT_EQ(out.count(u"0x4da: delivered"_s), 1) << out.toStdString();
    EXPECT_EQ(out.count(u"0x4de: delivered"_s), 1) << out.toStdString();
}

TEST_F(HandOver, MissingClientIsReportedAndNothingIsHandedOver) {
    installClientAt(home.file(u"nowhere/OvClient"_s));
    int code = -1;
    const QString out = runHost({QStringLiteral(OV_SCRIPTS_DIR "/noclient.js")}, &code);
    ASSERT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(out.contains(u"0x4dc: no window of OvClient"_s)) << out.toStdString();
}

}  // namespace
