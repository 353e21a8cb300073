// Version control as a page drives it through ovctrl-host against the test server: the working
// folder of a server folder, check-out into it, check-in of an edited file as a new version, and
// the cancel of a check-out.

#include <gtest/gtest.h>

#include <QFile>

#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/versions/records.h"
#include "hostserver.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ControlVersions : public ::testing::Test {
protected:
    void SetUp() override {
        auto config = RenewGlobalConfig();
        config->SetSysLanguage(HSL_ENG);
        config->SetWorkRoot(work);
        config->Save();
        server.files.setContent(demo::GearboxFile, QByteArray(90000, 'g'));
        server.files.setContent(demo::ManualFile, "manual");
        ASSERT_EQ(registerControl().exitCode, 0);
    }
    void TearDown() override { FreeGlobalConfig(); }

    void runStep(const QStringList& args) {
        const HostRun run = host(QStringList{QStringLiteral(OV_SCRIPTS_DIR "/versions.js"),
                                             server.address(), server.identity()} +
                                 args);
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(args.first() + u" ok"_s)) << run.output.toStdString();
    }
    DocFile file(std::int64_t key) {
        std::lock_guard lock(server.model.mutex);
        return server.model.files.at(key);
    }

    TempHome home;
    QString work = home.file(u"work/"_s);
    QString ini = GetUserDataPath();
    Server server;
};

TEST_F(ControlVersions, CheckOutIntoTheWorkingFolderEditCheckInAndCancel) {
    const QString gearbox = QString::number(demo::GearboxFile);
    const QString manual = QString::number(demo::ManualFile);
    const int version = file(demo::GearboxFile).version;
    // The names hold "*", so the keys are split at "*" as well.
    runStep({u"checkout"_s, QString::number(demo::MechanicsFolder), gearbox + u'*' + manual,
             file(demo::GearboxFile).name + u'*' + file(demo::ManualFile).name});
    const QString folder = ReadWorkPath(ini, demo::MechanicsFolder);
    ASSERT_TRUE(folder.startsWith(work)) << folder.toStdString();
    const QString local = ReadCheckoutPath(ini, demo::GearboxFile);
    EXPECT_EQ(local, folder + file(demo::GearboxFile).name);
    EXPECT_EQ(readAll(local), QByteArray(90000, 'g'));
    EXPECT_EQ(readAll(ReadCheckoutPath(ini, demo::ManualFile)), "manual");
    EXPECT_EQ(file(demo::GearboxFile).lockedBy, demo::DemoUser);
    EXPECT_EQ(file(demo::ManualFile).lockedBy, demo::DemoUser);

    QFile edit(local);
    ASSERT_TRUE(edit.open(QIODevice::WriteOnly));
    edit.write("edited at the page's computer");
    edit.close();
    runStep({u"checkin"_s, gearbox, file(demo::GearboxFile).name, manual,
             file(demo::ManualFile).name, QString::number(demo::DesignGroup),
             QString::number(demo::MechanicsFolder)});
    EXPECT_EQ(file(demo::GearboxFile).version, version + 1);
    EXPECT_EQ(server.files.content(demo::GearboxFile), "edited at the page's computer");
    EXPECT_EQ(file(demo::GearboxFile).lockedBy, 0);
    EXPECT_EQ(file(demo::ManualFile).lockedBy, 0);
    EXPECT_EQ(server.files.content(demo::ManualFile), "manual");
    EXPECT_TRUE(ReadCheckoutPath(ini, demo::ManualFile).isEmpty());
}

}  // namespace
}  // namespace ov::test
