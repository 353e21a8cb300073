// The online-edit monitor against the test server: a file is fetched under the work root and
// opened; once nothing holds it any more a saved copy goes up as a new version and an unsaved
// one is released; a refused upload, a missing copy and a refused file name each end as the
// user needs them to.

#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "documents/editing/editrecords.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MonitorTest : public ::testing::Test {
protected:
    MonitorTest() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        files.setContent(demo::ReportFile, "first version");
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(HSL_ENG);
        config->SetWorkRoot(home.file(u"work/"_s));
        monitor = std::make_unique<TShowEditInfoFrm>(&hint);
        monitor->SettleMs = 0;
        monitor->OpenWaitMs = 0;
        monitor->HideAfterUploadMs = 0;
        monitor->WatchWindowTitles = false;
        monitor->OpenDocument = [this](const QString& path) {
            opened = path;
            return openSucceeds;
        };
        monitor->CloseMainWindow = [this] { ++mainWindowClosed; };
    }
    ~MonitorTest() override {
        if (holder.state() != QProcess::NotRunning) {
            holder.kill();
            holder.waitForFinished();
        }
    }

    void Edit(std::int64_t key) {
        QSignalSpy finished(monitor.get(), &TShowEditInfoFrm::editFileFinished);
        monitor->EditFile(u"[Key]%1[/Key][FileName]x[/FileName]"_s.arg(key));
        ASSERT_TRUE(finished.count() > 0 || finished.wait(10000));
    }
    // The user saves: new content and a later time.
    void Save(const QByteArray& text) {
        QFile file(opened);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    }
    std::int32_t LockedBy() {
        std::lock_guard lock(model.mutex);
        return model.files.at(demo::ReportFile).lockedBy;
    }
    QString Record() { return CheckoutRecordOf(GetUserDataPath(), demo::ReportFile); }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    THintFrm2 hint;
    std::unique_ptr<TShowEditInfoFrm> monitor;
    QString opened;
    bool openSucceeds = true;
    int mainWindowClosed = 0;
    QProcess holder;
};

TEST_F(MonitorTest, ASavedFileGoesUpOnceNothingHoldsItAndTheHiddenMainWindowCloses) {
    monitor->SetMainfrmVisible(false);
    Edit(demo::ReportFile);
    EXPECT_EQ(opened, home.file(u"work/演示用户/我的文档/周报.xlsx"_s));
    EXPECT_EQ(ReadAll(opened), "first version");
    EXPECT_EQ(Record(), opened);
    EXPECT_EQ(LockedBy(), demo::DemoUser);
    EXPECT_EQ(monitor->CurrentFileText(), u"Current file : 周报.xlsx"_s);
    Save("my changes");

    // While a program holds it open, it is left alone.
    holder.start(u"/usr/bin/python3"_s,
                 {u"-c"_s, u"import sys,time\nf=open(sys.argv[1])\nprint('ready',flush=True)\n"
                           u"time.sleep(60)\n"_s, opened});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    monitor->Timer1Timer();
    EXPECT_EQ(monitor->FileList().size(), 1);
    holder.kill();
    holder.waitForFinished();

    monitor->Timer1Timer();
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_EQ(files.content(demo::ReportFile), "my changes");
    EXPECT_FALSE(QFileInfo::exists(opened));
    EXPECT_TRUE(Record().isEmpty());
    EXPECT_EQ(LockedBy(), 0);
    EXPECT_FALSE(hint.ShowsError());
    EXPECT_EQ(hint.Text(), u" Successfully modified the file "_s);
    QTest::qWait(50);
    EXPECT_EQ(mainWindowClosed, 1);
}

TEST_F(MonitorTest, AnUnsavedFileIsReleasedNotUploaded) {
    Edit(demo::ReportFile);
    monitor->Timer1Timer();
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_EQ(files.content(demo::ReportFile), "first version");
    EXPECT_EQ(model.files.at(demo::ReportFile).version, 1);
    EXPECT_FALSE(QFileInfo::exists(opened));
    EXPECT_TRUE(Record().isEmpty());
    EXPECT_EQ(LockedBy(), 0);
    EXPECT_TRUE(hint.ShowsError());
    EXPECT_TRUE(monitor->Log().contains(u"The file is closed and unchanged"_s));
    QTest::qWait(50);
    EXPECT_EQ(mainWindowClosed, 0);
}

TEST_F(MonitorTest, ARefusedUploadKeepsTheCopyTheRecordAndABackup) {
    Edit(demo::ReportFile);
    Save("precious");
    files.setNext(NextTransfer{{}, RC_NoPower});
    monitor->Timer1Timer();
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_EQ(ReadAll(opened), "precious");
    EXPECT_EQ(Record(), opened);
    const QString backup = GetPersonalPath() + QFileInfo(opened).fileName();
    EXPECT_EQ(ReadAll(backup), "precious");
    EXPECT_TRUE(hint.ShowsError());
    EXPECT_TRUE(hint.Text().contains(u"No privilege"_s));
    EXPECT_TRUE(hint.Text().contains(backup));
}

TEST_F(MonitorTest, AMissingCopyIsLoggedAndNoLongerWatchedAndItsRecordStays) {
    Edit(demo::ReportFile);
    QFile::remove(opened);
    monitor->Timer1Timer();
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_TRUE(monitor->Log().contains(u"no longer watched"_s));
    EXPECT_EQ(Record(), opened);
    EXPECT_EQ(LockedBy(), demo::DemoUser);
}

TEST_F(MonitorTest, ARefusedFileNameShowsTheServersMessage) {
    Edit(demo::PriceFile);
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_TRUE(monitor->Log().contains(u"The file doesn't exist."_s)) << monitor->Log().toStdString();
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MonitorTest, AFileThatCannotBeOpenedIsNotWatched) {
    openSucceeds = false;
    Edit(demo::ReportFile);
    EXPECT_TRUE(monitor->FileList().isEmpty());
    EXPECT_TRUE(monitor->Log().contains(u"Open failed"_s));
    EXPECT_TRUE(QFileInfo::exists(opened));
}

}  // namespace
