// The batch worker against the test server: whole passes both ways, pause and resume, cancel,
// a failure answered, a newer local file kept, and periodic passes.

#include "serverfixture.h"

#include "core/resultcode.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class BatchWorkerTest : public BatchServerTest {
protected:
    // The server's copy of each file of the demo user's folder, by name.
    std::map<QString, QByteArray> ServerFiles() {
        std::map<QString, QByteArray> out;
        std::vector<std::pair<QString, std::int64_t>> keys;
        {
            std::lock_guard lock(model.mutex);
            for (const DocFile* f : model.folderFiles(demo::MyDocsFolder))
                keys.emplace_back(f->name, f->key);
        }
        for (const auto& [name, key] : keys)
            out[name] = files.content(key);
        return out;
    }
};

TEST_F(BatchWorkerTest, UploadPassSendsEveryFileOnceByteForByte) {
    const QString root = Local(u"up/"_s);
    for (int i = 0; i < 5; ++i)
        Write(root + u"f%1.txt"_s.arg(i), Bytes(1000 + i * 7000, i));
    Write(root + u"Thumbs.db"_s, "x");
    auto w = Worker(UploadTask(root));
    RunPass(*w);
    EXPECT_EQ(w->TaskInfo().St, ST_Completed);
    EXPECT_EQ(w->FinishedCount(), 5);
    const auto server = ServerFiles();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(server.at(u"f%1.txt"_s.arg(i)), Bytes(1000 + i * 7000, i));
    EXPECT_FALSE(server.count(u"Thumbs.db"_s));
    EXPECT_EQ(Uploads(), 5);
    EXPECT_EQ(reports.failed.load(), 0);
    w->StopEx();
    w->wait();
    // A one-off pass leaves no index behind.
    EXPECT_FALSE(QFile::exists(Server().IndexFolder + QString::number(w->TaskId()) + u".fln"_s));
}

TEST_F(BatchWorkerTest, DownloadPassRebuildsTheTree) {
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::DrawingsFolder;
    t.SourceFolderName = u"设计图纸\\"_s;
    t.DestFolderName = Local(u"down/"_s);
    t.IncludeRootPath = true;
    t.KeepClientNewFile = false;
    auto w = Worker(t);
    RunPass(*w);
    EXPECT_EQ(w->ErrorLog(), QString());
    EXPECT_EQ(Read(Local(u"down/设计图纸/机械/齿轮箱.dwg"_s)), files.content(demo::GearboxFile));
    EXPECT_EQ(Read(Local(u"down/设计图纸/机械/装配说明.docx"_s)), files.content(demo::ManualFile));
    EXPECT_TRUE(QFileInfo(Local(u"down/设计图纸/电气"_s)).isDir());
}

TEST_F(BatchWorkerTest, SingleFileDownloadToANamedTarget) {
    TBatchTransport t = Task(TS_Download, FF_File);
    t.SourceOwnerId = demo::DemoUser;
    t.SourceFolderId = demo::ReportFile;
    t.SourceFolderName = u"周报.xlsx"_s;
    t.DestFolderName = Local(u"one/周报.xlsx/"_s);  // as the task file gives it back
    t.KeepClientNewFile = false;
    QDir().mkpath(Local(u"one"_s));
    auto w = Worker(t);
    RunPass(*w);
    EXPECT_EQ(Read(Local(u"one/周报.xlsx"_s)), files.content(demo::ReportFile));
}

TEST_F(BatchWorkerTest, PauseHoldsTheTransferBetweenChunksAndResumeFinishesIt) {
    const QString root = Local(u"big/"_s);
    const QByteArray data = Bytes(6 * 1024 * 1024, 3);
    Write(root + u"big.bin"_s, data);
    auto w = Worker(UploadTask(root));
    QObject::connect(w.get(), &TCustomBathFileDeal::startDealFile, w.get(), [&w](const QString&) { w->PauseEx(); },
                     Qt::DirectConnection);
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.started.load() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Uploads(), 0);
    EXPECT_TRUE(w->SuspendedEx());
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.passes.load() == 1; }));
    EXPECT_EQ(ServerFiles().at(u"big.bin"_s), data);
    EXPECT_EQ(reports.started.load(), 1);  // the same transfer went on
}

TEST_F(BatchWorkerTest, StopEndsAHeldTransferAtOnce) {
    const QString root = Local(u"big/"_s);
    Write(root + u"big.bin"_s, Bytes(6 * 1024 * 1024, 4));
    auto w = Worker(UploadTask(root));
    QObject::connect(w.get(), &TCustomBathFileDeal::startDealFile, w.get(), [&w](const QString&) { w->PauseEx(); },
                     Qt::DirectConnection);
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.started.load() == 1; }));
    const auto begun = std::chrono::steady_clock::now();
    w->StopEx();
    ASSERT_TRUE(w->wait(5000));
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(2));
    EXPECT_EQ(Uploads(), 0);
    // The file is still to do for the next worker of the task.
    TFileIndex index;
    index.TaskId = w->TaskId();
    index.Init(Server().IndexFolder);
    ASSERT_TRUE(index.Load());
    EXPECT_EQ(index.GetUndealFileCount(0), 1);
}

TEST_F(BatchWorkerTest, AFailureWaitsForTheWindowsAnswer) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "alpha");
    auto w = Worker(UploadTask(root));
    server.setFault(Fault::Refuse);
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.failed.load() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(reports.failed.load(), 1);  // it waits, it does not spin
    EXPECT_EQ(w->CrashErrorNum(), 1);
    EXPECT_TRUE(w->LastST() == 2 || w->LastST() == 101);
    server.setFault(Fault::None);
    w->StartEx();  // the window's answer: go on
    ASSERT_TRUE(WaitUntil([&] { return reports.passes.load() == 1; }));
    EXPECT_EQ(ServerFiles().at(u"a.txt"_s), QByteArray("alpha"));
}

TEST_F(BatchWorkerTest, KeepClientNewFileKeepsANewerLocalFile) {
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::MechanicsFolder;
    t.SourceFolderName = u"机械\\"_s;
    t.DestFolderName = Local(u"keep/"_s);
    t.IsIncludeSubFolder = false;
    t.KeepClientNewFile = true;
    Write(Local(u"keep/装配说明.docx"_s), "my newer edit");
    auto w = Worker(t);
    RunPass(*w);
    EXPECT_EQ(Read(Local(u"keep/装配说明.docx"_s)), QByteArray("my newer edit"));
    EXPECT_EQ(Read(Local(u"keep/齿轮箱.dwg"_s)), files.content(demo::GearboxFile));
}

TEST_F(BatchWorkerTest, ASecondPeriodicPassSendsOnlyTheChangedFile) {
    const QString root = Local(u"sync/"_s);
    Write(root + u"a.txt"_s, "one");
    Write(root + u"b.txt"_s, "two");
    // The worker's clock is moved by hand, from midnight after today on; a file's time is the
    // later of its creation and its last write, so only a file written "later" counts as new.
    const double base = std::trunc(Now()) + 1;
    TBatchTransport t = UploadTask(root);
    t.TaskCyc = 1;
    t.TaskStartTime = 0;  // midnight
    std::atomic<double> now{base};
    t.RunEndTime = now - 36500;
    auto w = Worker(t);
    w->Clock = [&now] { return now.load(); };
    w->ScheduleSleepMs = 5;
    now = base + 1.0 / 1440;  // inside the start window
    RunPass(*w);
    EXPECT_EQ(Uploads(), 2) << w->LogText().toStdString();
    w->StartEx();  // the window's answer to a periodic pass
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(w->TaskInfo().St, ST_Waiting);
    Write(root + u"b.txt"_s, "two, changed");
    SetFileModifyTime(root + u"b.txt"_s, base + 50.0 / 1440);
    now = base + 1.0 / 24 + 1.0 / 1440;  // 01:01: a period later, inside the window
    // The test server keeps one file of a name per folder and refuses the second upload of
    // b.txt: the attempt shows what the pass chose to send.
    ASSERT_TRUE(WaitUntil([&] { return reports.started.load() == 3; }))
        << w->LogText().toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(reports.started.load(), 3);
    QStringList sent;
    for (const FileTransferRecord& r : files.transfers())
        sent.append(r.params.contains(u"b.txt"_s) ? u"b"_s : u"a"_s);
    sent.sort();
    EXPECT_EQ(sent, (QStringList{u"a"_s, u"b"_s, u"b"_s}));
}

TEST_F(BatchWorkerTest, ASingleFileTaskReadBackWithASeparatorStillUploads) {
    const QString file = Local(u"one/report.txt"_s);
    Write(file, "report");
    TBatchTransport t = Task(TS_Upload, FF_File);
    t.SourceFolderName = file + u"\\"_s;  // as older task files give it back
    t.DestOwnerId = demo::DemoUser;
    t.DestFolderId = demo::MyDocsFolder;
    auto w = Worker(t);
    RunPass(*w);
    EXPECT_EQ(ServerFiles().at(u"report.txt"_s), QByteArray("report"));
}

TEST_F(BatchWorkerTest, TheUploadNoticeIsSentOncePerPass) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "alpha");
    TBatchTransport t = UploadTask(root);
    t.TaskCyc = 1;
    t.TaskStartTime = 0;
    const double base = std::trunc(Now()) + 1;
    std::atomic<double> now{base + 1.0 / 1440};
    t.RunEndTime = base - 36500;
    auto w = Worker(t);
    w->Clock = [&now] { return now.load(); };
    w->ScheduleSleepMs = 5;
    RunPass(*w);
    EXPECT_TRUE(w->ReturnKeys().isEmpty());
    w->StartEx();
    now = base + 1.0 / 24 + 1.0 / 1440;  // the next pass has nothing new to send
    ASSERT_TRUE(WaitUntil([&] { return reports.passes.load() == 2; }));
    int notices = 0;
    for (const ControlRequest& r : server.requests())
        notices += r.head.TranType == wire::TT_SendFileMsg;
    EXPECT_EQ(notices, 1);
}

TEST_F(BatchWorkerTest, AListRequestThatFailsIsAFailedAttemptNotACrash) {
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::MechanicsFolder;
    t.SourceFolderName = u"机械\\"_s;
    t.DestFolderName = Local(u"mech/"_s);
    server.setFault(Fault::CloseAfterBytes, 3);
    auto w = Worker(t);
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.failed.load() == 1; }));
    EXPECT_EQ(w->LastST(), 2);
    EXPECT_EQ(w->CrashErrorNum(), 1);
    server.setFault(Fault::None);
    w->StartEx();
    ASSERT_TRUE(WaitUntil([&] { return reports.passes.load() == 1; }));
    EXPECT_TRUE(QFile::exists(Local(u"mech/齿轮箱.dwg"_s)));
}

TEST_F(BatchWorkerTest, ATreeGoesUpAndComesBackByteForByte) {
    const QString tree = Local(u"src/tree/"_s);
    const QStringList names{u"a.txt"_s, u"x/b.bin"_s, u"x/y/c.doc"_s, u"z/d.txt"_s};
    for (int i = 0; i < names.size(); ++i)
        Write(tree + names[i], Bytes(3000 + i * 50000, i));
    std::int64_t folder = 0;
    {
        std::lock_guard lock(model.mutex);
        folder = model.addFolder(model.nextFolderId(), demo::DemoUser, 0, u"Batch"_s).id;
    }
    TBatchTransport up = UploadTask(tree);
    up.DestFolderId = folder;
    up.IncludeRootPath = true;
    auto uploader = Worker(up);
    RunPass(*uploader);
    EXPECT_EQ(uploader->ErrorLog(), QString());
    uploader.reset();
    TBatchTransport down = Task(TS_Download, FF_Folder);
    down.SourceOwnerId = demo::DemoUser;
    down.SourceFolderId = folder;
    down.SourceFolderName = u"Batch\\"_s;
    down.DestFolderName = Local(u"copy/"_s);
    down.KeepClientNewFile = false;
    auto downloader = Worker(down);
    RunPass(*downloader, 2);
    EXPECT_EQ(downloader->ErrorLog(), QString());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(Read(Local(u"copy/tree/"_s + names[i])), Bytes(3000 + i * 50000, i))
            << names[i].toStdString();
}

TEST_F(BatchWorkerTest, AFileDeletedOnTheServerIsSetAsideLocally) {
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::MechanicsFolder;
    t.SourceFolderName = u"机械\\"_s;
    t.DestFolderName = Local(u"mech/"_s);
    t.IsIncludeSubFolder = false;
    t.KeepClientNewFile = false;
    auto first = Worker(t);
    RunPass(*first);
    first.reset();
    ASSERT_TRUE(QFile::exists(Local(u"mech/齿轮箱.dwg"_s)));
    {
        std::lock_guard lock(model.mutex);
        model.file(demo::GearboxFile)->deleted = true;
    }
    auto second = Worker(t);
    RunPass(*second, 2);
    EXPECT_FALSE(QFile::exists(Local(u"mech/齿轮箱.dwg"_s)));
    EXPECT_EQ(Read(Local(u"mech/齿轮箱.dwg_kx0.dwg"_s)), files.content(demo::GearboxFile));
    EXPECT_TRUE(second->LogText().contains(u"This file has been deleted of server"_s));
    EXPECT_TRUE(QFile::exists(Local(u"mech/装配说明.docx"_s)));
}

TEST_F(BatchWorkerTest, ARefusedBulkDownloadIsReported) {
    {
        std::lock_guard lock(model.mutex);
        model.rules.prohibitBulkDownload = true;
    }
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::MechanicsFolder;
    t.SourceFolderName = u"机械\\"_s;
    t.DestFolderName = Local(u"mech/"_s);
    auto w = Worker(t);
    RunPass(*w);
    EXPECT_EQ(reports.prohibited.load(), 1);
    EXPECT_TRUE(w->ErrorLog().contains(u"System prohibits bulk download"_s));
    EXPECT_FALSE(QFile::exists(Local(u"mech/齿轮箱.dwg"_s)));
}

}  // namespace
}  // namespace ov::test
