// The batch window with real workers against the test server: saved tasks at start-up, the
// end of a pass, failures, deletion, and shut-down with running workers.

#include "serverfixture.h"

#include "client/batch/batchwindow.h"
#include "client/batch/taskaddfrm.h"
#include "core/batchtranconfig.h"
#include "core/globalconfig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class BatchWindowTest : public BatchServerTest {
protected:
    std::unique_ptr<TBatchFileDealMainFrm> Window() {
        TBatchWindowServices s;
        s.Server = [this] { return Server(); };
        s.Message = [this](const QString& text, bool) { messages.append(text); };
        s.TaskDialog = [this](const TBatchTransport& t, bool) -> std::optional<TBatchTransport> {
            ++dialogs;
            return t;
        };
        s.ShutdownBoundMs = 5000;
        return std::make_unique<TBatchFileDealMainFrm>(HSL_ENG, s);
    }

    // Saves tasks as an earlier run left them.
    void Save(const TBatchTransportArray& tasks) {
        TBatchTranConfig config;
        for (const TBatchTransport& t : tasks)
            config.AddTask(t);
        config.Save();
    }

    template <class F>
    bool Pump(F condition, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < ms) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }

    TBatchTransport Saved(std::int32_t id) { return TBatchTranConfig().GetTask(id); }

    TBatchTransport Upload(std::int32_t id, TTaskState st, const QString& folder) {
        TBatchTransport t = UploadTask(folder);
        t.Id = id;
        t.St = st;
        return t;
    }

    QStringList messages;
    int dialogs = 0;
};

TEST_F(BatchWindowTest, SavedTasksStartAfterLoginAndEndCompleted) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "alpha");
    TBatchTransport done = Upload(3, ST_Completed, root);
    done.TaskCyc = 0;
    Save({Upload(1, ST_Running, root), Upload(2, ST_Paused, root), done});
    auto window = Window();
    window->UMRobotStartAll();
    EXPECT_EQ(window->WorkerCount(), 2);  // the completed one-off task gets none
    EXPECT_TRUE(window->FindWorker(2)->SuspendedEx());
    ASSERT_TRUE(Pump([&] { return Saved(1).St == ST_Completed; }));
    EXPECT_TRUE(Pump([&] { return window->FindWorker(1) == nullptr; }));
    EXPECT_EQ(window->UnOverTaskNum(), 0);
    window->SelectNode(1);
    EXPECT_EQ(window->GridRowCount(), 1);  // the upload list shows the paused task
}

TEST_F(BatchWindowTest, AFailureWithAServerCodeStopsTheTask) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "alpha");
    Save({Upload(1, ST_Running, root)});
    NextTransfer next;
    next.status = 5;  // the user is disabled
    files.setNext(next);
    auto window = Window();
    window->UMRobotStartAll();
    ASSERT_TRUE(Pump([&] { return Saved(1).St == ST_Error; }));
    EXPECT_TRUE(window->FindWorker(1)->SuspendedEx());
}

TEST_F(BatchWindowTest, TheServersRefusalOfBulkDownloadsIsShown) {
    {
        std::lock_guard lock(model.mutex);
        model.rules.prohibitBulkDownload = true;
    }
    TBatchTransport t = Task(TS_Download, FF_Folder);
    t.Id = 5;
    t.St = ST_Running;
    t.SourceOwnerId = demo::DesignGroup;
    t.SourceFolderId = demo::MechanicsFolder;
    t.SourceFolderName = u"机械\\"_s;
    t.DestFolderName = Local(u"mech/"_s);
    Save({t});
    auto window = Window();
    window->UMRobotStartAll();
    ASSERT_TRUE(Pump([&] { return !messages.isEmpty(); }));
    EXPECT_EQ(messages.first(), u"System prohibits bulk download!"_s);
}

TEST_F(BatchWindowTest, DeletingTwiceRemovesTheTaskAndRootsDeleteNothing) {
    Save({Upload(1, ST_Paused, Local(u"up/"_s)), Upload(2, ST_Paused, Local(u"up/"_s))});
    auto window = Window();
    window->UMRobotStartAll();
    window->SelectNode(0);
    window->DelAllClick();
    EXPECT_EQ(TBatchTranConfig().GetAllTask().size(), 2);
    window->SelectNode(1);
    window->SelectRow(1);
    window->DelClick();
    EXPECT_EQ(Saved(1).St, ST_Deleted);
    EXPECT_EQ(window->FindWorker(1), nullptr);
    window->SelectNode(3);
    ASSERT_EQ(window->GridRowCount(), 1);
    window->SelectRow(1);
    window->DelClick();
    EXPECT_EQ(TBatchTranConfig().GetAllTask().size(), 1);
    window->SelectRow(0);
    window->StartClick();
    EXPECT_EQ(messages, QStringList{u"First select a task!"_s});
}

TEST_F(BatchWindowTest, ShutDownWithRunningWorkersEndsInTimeAndSavesTheirState) {
    const QString root = Local(u"big/"_s);
    Write(root + u"big.bin"_s, Bytes(4 * 1024 * 1024, 1));
    server.setFault(Fault::Stall);  // every request hangs: the workers sit in socket waits
    Save({Upload(1, ST_Running, root), Upload(2, ST_Running, root)});
    auto window = Window();
    window->UMRobotStartAll();
    ASSERT_TRUE(Pump([&] { return server.requests().size() >= 2; }, 5000));
    QElapsedTimer timer;
    timer.start();
    window->Shutdown();
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(int(Saved(1).St), int(ST_Running));  // it resumes at the next start
    EXPECT_EQ(int(Saved(2).St), int(ST_Running));
    window.reset();
    server.setFault(Fault::None);
}

TEST_F(BatchWindowTest, NewTasksGoThroughTheDialogAndStart) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "alpha");
    auto window = Window();
    TBatchTransport t = Upload(77, ST_Init, root);
    window->AppendTask(t);
    EXPECT_EQ(dialogs, 1);
    ASSERT_TRUE(Pump([&] { return Saved(77).St == ST_Completed; }));
    window->SetBatchTaskCmd(u"[OwnerId]0[/OwnerId]"_s);
    window->AppendTask();
    EXPECT_EQ(messages.last(), u"Incorrect task data!"_s);
    EXPECT_EQ(dialogs, 1);
}

}  // namespace
}  // namespace ov::test
