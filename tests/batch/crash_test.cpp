// Crash safety with real processes: a client killed with SIGKILL in the middle of an upload
// pass resumes after a restart; no file reaches the server twice, none is missing, and the
// task file and the index load whole.

#include "serverfixture.h"

#include "core/batchtranconfig.h"
#include "core/tagtext.h"

#include <QProcess>
#include <signal.h>

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class BatchCrashTest : public BatchServerTest {
protected:
    bool StartProbe(QProcess& probe) {
        probe.setProcessChannelMode(QProcess::ForwardedChannels);
        probe.start(QStringLiteral(OV_BATCH_PROBE),
                    {server.host(), QString::number(server.port()), demo::DemoToken()});
        return probe.waitForStarted(10000);
    }

    // Complete uploads by file name.
    std::map<QString, int> Delivered() const {
        std::map<QString, int> names;
        for (const FileTransferRecord& r : files.transfers())
            if (r.status == 3 && r.end != -1)
                ++names[ReadTagValue(r.params, u"PathAndName"_s).replace(u'\\', u'/').section(u'/', -1)];
        return names;
    }
};

TEST_F(BatchCrashTest, AKilledPassResumesWithoutRepeatsOrGaps) {
    constexpr int kFiles = 300;
    const QString root = Local(u"crash/"_s);
    for (int i = 0; i < kFiles; ++i)
        Write(root + u"f%1.dat"_s.arg(i, 3, 10, QLatin1Char('0')), Bytes(4096, i));
    TBatchTransport task = UploadTask(root);
    task.Id = 4242;
    task.St = ST_Running;
    {
        TBatchTranConfig config;
        config.AddTask(task);
        config.Save();
    }
    QProcess first;
    ASSERT_TRUE(StartProbe(first));
    ASSERT_TRUE(WaitUntil([&] { return Uploads() >= kFiles / 3; }, 60000));
    ::kill(pid_t(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));
    const int before = Uploads();
    EXPECT_LT(before, kFiles);

    // What the killed process left loads whole.
    const TBatchTransportArray saved = TBatchTranConfig().GetAllTask();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved[0].Id, 4242);
    {
        TFileIndex index;
        index.TaskId = 4242;
        index.Init(TBatchTranConfig::IndexFolder());
        ASSERT_TRUE(index.Load()) << index.LastError().toStdString();
        EXPECT_EQ(index.GetAllCount(0), kFiles);
        EXPECT_GE(kFiles - index.GetUndealFileCount(0), before - 1);
    }

    QProcess second;
    ASSERT_TRUE(StartProbe(second));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(TBatchTranConfig().GetTask(4242).St, ST_Completed);
    const auto delivered = Delivered();
    EXPECT_EQ(int(delivered.size()), kFiles);
    for (const auto& [name, count] : delivered)
        EXPECT_EQ(count, 1) << name.toStdString();
    std::lock_guard lock(model.mutex);
    int stored = 0;
    for (const DocFile* f : model.folderFiles(demo::MyDocsFolder))
        stored += f->name.endsWith(u".dat"_s);
    EXPECT_EQ(stored, kFiles);
}

}  // namespace
}  // namespace ov::test
