#include "core/batchtranconfig.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "core/batchtransport.h"
#include "core/errors.h"
#include "core/hash.h"
#include "core/paths.h"
#include "core/textfile.h"
#include "support/temphome.h"
#include "taskfixtures.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

using test::describe;
using test::numberedTask;
using test::readFile;
using test::writeFile;

QString fromUtf16File(const QByteArray& bytes) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

QStringList describeAll(const TBatchTransportArray& tasks) {
    QStringList out;
    for (const TBatchTransport& task : tasks)
        out << describe(task);
    return out;
}

class TaskFileTest : public ::testing::Test {
protected:
    test::TempHome home;
    const QString fileName = GetLocalTempPath() + u"btr.sys"_s;
};

TEST_F(TaskFileTest, SavesUtf16WithMarkAndReadsTasksBack) {
    {
        TBatchTranConfig config;
        EXPECT_EQ(config.ConfigFileName(), fileName);
        EXPECT_TRUE(config.GetAllTask().isEmpty());
        config.AddTask(numberedTask(5));
        config.AddTask(numberedTask(6));
        TBatchTransport changed = numberedTask(5);
        changed.St = ST_Paused;
        config.SetTask(changed);  // in place, not a third block
        config.Save();
    }
    const QByteArray bytes = readFile(fileName);
    ASSERT_TRUE(bytes.startsWith("\xFF\xFE"));
    const QString text = fromUtf16File(bytes);
    EXPECT_TRUE(text.startsWith(u"[Cond_5][Id]5[/Id]\r\n[St]3[/St]\r\n"_s));
    EXPECT_EQ(text.count(u"[Cond_"_s), 2);
    // The count stands where it was first written, after the first block.
    EXPECT_TRUE(text.contains(u"[/Cond_5]\r\n[TaskCount]2[/TaskCount]\r\n[Cond_6][Id]6[/Id]"_s));

    TBatchTranConfig reread;
    EXPECT_EQ(reread.AllInfo(), text);
    EXPECT_EQ(reread.TaskCount(), 2);
    EXPECT_EQ(reread.GetTask(5).St, ST_Paused);
    EXPECT_EQ(describeAll(reread.GetAllTask()),
              describeAll({reread.GetTask(5), reread.GetTask(6)}));

    reread.Optimize(reread.GetAllTask());
    const QString optimised = fromUtf16File(readFile(fileName));
    EXPECT_TRUE(optimised.startsWith(u"[Cond_5]\r\n[Id]5[/Id]\r\n"_s));
    EXPECT_TRUE(
        optimised.endsWith(u"[ExtInfo][Remark]v2[/Remark][/ExtInfo]\r\n[/Cond_6]\r\n\r\n"_s));
    EXPECT_FALSE(optimised.contains(u"TaskCount"_s));
}

// Every task read back is written again exactly as it was: the file optimised after a read
// is, byte for byte, the file of the complete tasks alone.
TEST_F(TaskFileTest, ThousandsOfTasksSurviveOptimize) {
    constexpr int kTasks = 2500;
    TBatchTransportArray complete;
    for (int id = 1; id <= kTasks; ++id) {
        complete.append(numberedTask(id));
        complete.last().DestFolderName += u'\\';  // as the reader gives it back
        complete.last().IsGetSummary = false;     // not stored
    }
    TBatchTranConfig().Optimize(complete);
    const QByteArray expected = readFile(fileName);
    TBatchTransportArray stored = complete;
    TBatchTransport incomplete = numberedTask(kTasks + 1);
    incomplete.DestOwnerId = 0;  // an upload without its target owner cannot run
    stored.insert(kTasks / 2, incomplete);
    TBatchTranConfig().Optimize(stored);

    TBatchTranConfig config;
    const TBatchTransportArray tasks = config.GetAllTask();
    ASSERT_EQ(tasks.size(), kTasks);
    EXPECT_EQ(describe(tasks.last()), describe(complete.last()));
    config.Optimize(tasks);
    EXPECT_EQ(readFile(fileName), expected);
}

// The index files sit in the settings folder's "index/", named by the task id.
TEST_F(TaskFileTest, DeletingATaskRemovesItsIndexFilesOnlyWithItsFileList) {
    const QString index = GetUserDataPath() + u"index/"_s;
    for (const char* name : {"5.fln", "5.std", "5.ivd", "5.log", "6.std", "6.log", "50.fln"})
        writeFile(index + QString::fromLatin1(name));
    TBatchTranConfig config;
    for (int id : {5, 6, 7})
        config.AddTask(numberedTask(id));

    config.DelTask(5);
    config.DelTask(6);
    EXPECT_EQ(QDir(index).entryList(QDir::Files),
              (QStringList{u"50.fln"_s, u"6.log"_s, u"6.std"_s}));
    EXPECT_FALSE(config.AllInfo().contains(u"Cond_5]"_s, Qt::CaseInsensitive));
    EXPECT_FALSE(config.AllInfo().contains(u"Cond_6]"_s, Qt::CaseInsensitive));
    EXPECT_EQ(config.TaskCount(), 1);
    ASSERT_EQ(config.GetAllTask().size(), 1);
    EXPECT_EQ(config.GetAllTask().first().Id, 7);

    // Tags are found whatever their letter case; a block without its closing tag stays whole,
    // so nothing after it is cut away.
    config.WriteString(u"cond_8"_s, u"[Id]8[/Id]"_s);
    config.DelTask(8);
    EXPECT_FALSE(config.AllInfo().contains(u"cond_8]"_s, Qt::CaseInsensitive));
    config.WriteString(u"Note"_s, u"[Cond_9][Id]9[/Id]"_s);
    config.DelTask(9);
    EXPECT_EQ(config.ReadString(u"Note"_s), u"[Cond_9][Id]9[/Id]"_s);
}

TEST_F(TaskFileTest, OptimizingNothingLeavesTheFileAsItWas) {
    {
        TBatchTranConfig config;
        config.AddTask(numberedTask(1));
        config.Save();
    }
    const QByteArray before = readFile(fileName);
    TBatchTranConfig config;
    config.Optimize({});
    EXPECT_EQ(readFile(fileName), before);
    EXPECT_TRUE(config.AllInfo().isEmpty());
}

// New ids also keep clear of the tasks already in the file, whatever the clock says.
TEST_F(TaskFileTest, NewIdsAvoidStoredTasks) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString stamp = QDateTime::currentDateTime().toString(u"yyMMddHHmmss"_s);
        const std::int32_t hash = HashText32(stamp);
        const QString text = u"[Cond_%1][/Cond_%1]\r\n[Cond_%2]\r\n"_s.arg(hash).arg(hash + 1);
        writeFile(fileName,
                  QByteArray("\xFF\xFE") +
                      QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
        const TBatchTranConfig config;
        const std::int32_t id = NewBatchTaskId();
        if (QDateTime::currentDateTime().toString(u"yyMMddHHmmss"_s) != stamp) continue;
        EXPECT_NE(id, hash);
        EXPECT_NE(id, hash + 1);
        return;
    }
    FAIL() << "the clock kept moving on";
}

// The file-size limit makes the write of the new file fail half-way, as a full disk or a
// crash would.
TEST_F(TaskFileTest, InterruptedSaveLeavesThePreviousFileWhole) {
    {
        TBatchTranConfig config;
        config.AddTask(numberedTask(1));
        config.Save();
    }
    const QByteArray before = readFile(fileName);
    TBatchTranConfig config;
    for (int id = 2; id <= 40; ++id)
        config.AddTask(numberedTask(id));

    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(before.size() + 4096);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(config.Save(), FileError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readFile(fileName), before);
    EXPECT_EQ(QDir(GetLocalTempPath()).entryList(QDir::Files), QStringList{u"btr.sys"_s});
    config.Save();
    EXPECT_EQ(TBatchTranConfig().GetAllTask().size(), 40);
}

// A file beyond what is read into memory is never overwritten by the part that was read.
TEST_F(TaskFileTest, FileTooLargeToReadWholeIsRefusedAndNotOverwritten) {
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xFE");
        // A whole task at the start: the part that could be read holds one.
        const QString block = u"[Cond_7]"_s + BatchTransportToStr(numberedTask(7)) + u"[/Cond_7]"_s;
        file.write(reinterpret_cast<const char*>(block.utf16()), block.size() * 2);
        ASSERT_TRUE(file.resize(kMaxTextFileSize + 1024));
    }
    TBatchTranConfig config;
    // No part is handed back as the whole: no tasks, and a reason to show.
    EXPECT_TRUE(config.GetAllTask().isEmpty());
    EXPECT_TRUE(config.LoadError().contains(u"64 MiB"_s)) << config.LoadError().toStdString();
    EXPECT_THROW(config.Optimize({numberedTask(1)}), FileError);
    EXPECT_EQ(QFileInfo(fileName).size(), kMaxTextFileSize + 1024);
}

}  // namespace
}  // namespace ov
