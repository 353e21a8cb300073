// The batch window's pure rules and the task dialog's, as tables.

#include "client/batch/taskrules.h"
#include "client/batch/windowrules.h"
#include "client/batch/windowtexts.h"
#include "core/filetype.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TEST(WindowRules, ListsWorkersAndStates) {
    TBatchTransport t;
    t.TranStyle = TS_Download;
    for (int st : {1, 2, 3, 5, 6}) {
        t.St = TTaskState(st);
        EXPECT_TRUE(TaskInList(t, 4));
        EXPECT_FALSE(TaskInList(t, 1));
    }
    t.St = ST_Completed;
    EXPECT_TRUE(TaskInList(t, 5));
    t.St = ST_Deleted;
    EXPECT_TRUE(TaskInList(t, 6));
    EXPECT_FALSE(TaskInList(t, 0));
    t.St = ST_Paused;
    EXPECT_TRUE(NeedsWorker(t));
    EXPECT_FALSE(StartsAtOnce(t));
    t.St = ST_Completed;
    t.TaskCyc = 0;
    EXPECT_FALSE(NeedsWorker(t));
    t.TaskCyc = 24;
    EXPECT_TRUE(NeedsWorker(t));
    EXPECT_TRUE(StartsAtOnce(t));
    EXPECT_EQ(ActionForState(ST_Deleted), TWorkerAction::Remove);
    EXPECT_EQ(ActionForState(ST_Error), TWorkerAction::Pause);
    EXPECT_EQ(ActionForState(ST_Waiting), TWorkerAction::Start);
    EXPECT_EQ(BatchWindowTexts(HSL_ENG).TreeNodes[5], u"Downloading list"_s);
}

TEST(WindowRules, ClipboardTasks) {
    struct Case {
        const char16_t* cmd;
        bool includeRoot;
        int refusal;
    } cases[] = {
        {u"[TranStyle]1[/TranStyle][OwnerId]5[/OwnerId][SourceId]7[/SourceId]", false, 0},
        {u"[OwnerId]5[/OwnerId][SourceId]0[/SourceId]", false, 2},
        {u"[OwnerId]5[/OwnerId][SourceId]0[/SourceId]", true, 0},
        {u"[OwnerId]0[/OwnerId][SourceId]7[/SourceId]", false, 1},
        {u"[TranStyle]2[/TranStyle][OwnerId]0[/OwnerId]", false, 1},
        {u"[TranStyle]2[/TranStyle][OwnerId]3[/OwnerId][SourceId]9[/SourceId]", false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TaskFromCommand(QString::fromUtf16(c.cmd), c.includeRoot).Refusal, c.refusal)
            << QString::fromUtf16(c.cmd).toStdString();
    const TBatchTransport up = TaskFromCommand(u"[OwnerId]5[/OwnerId]"_s, true).Task;
    EXPECT_EQ(up.DestFolderName, u"..."_s);
    EXPECT_EQ(up.FF, FF_Folder);
}

TEST(TaskRules, TypeTextsAndPeriods) {
    EXPECT_EQ(ParseTypeText(u"doc, .pdf,txt"_s),
              (TFileTypeArray{FileExtToCode(u"doc"_s), FileExtToCode(u"pdf"_s),
                              FileExtToCode(u"txt"_s)}));
    EXPECT_EQ(ParseTypeText(u"doc,,txt"_s),
              (TFileTypeArray{FileExtToCode(u"doc"_s), 0, FileExtToCode(u"txt"_s)}));
    EXPECT_TRUE(ParseTypeText(u"doc,*"_s).isEmpty());
    EXPECT_EQ(TypeText({}), u"*.*"_s);
    EXPECT_EQ(TypeText({FileExtToCode(u"doc"_s), FileExtToCode(u"pdf"_s)}), u"*.doc,*.pdf"_s);
    EXPECT_DOUBLE_EQ(ParsePeriodText(u"abc"_s), 1);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_DOUBLE_EQ(ParsePeriodText(u"0.5"_s), 0.5);
    EXPECT_DOUBLE_EQ(ParsePeriodText(u"0,5"_s), 0.5);
    QLocale::setDefault(saved);
}

class CollectTest : public ::testing::Test {
protected:
    TRefusal Collect(TTaskInputs in, bool answer = true) {
        asked = 0;
        return CollectTaskInputs(in, task, 45000, [&](const QString&) {
            ++asked;
            return answer;
        });
    }
    TBatchTransport task;
    QTemporaryDir dir;
    int asked = 0;
};

TEST_F(CollectTest, SizesDatesAndSchedule) {
    task.TranStyle = TS_Upload;
    task.FF = FF_Folder;
    task.DestOwnerId = 1;
    TTaskInputs in;
    in.Source = dir.path();
    in.SizeRange = true;
    in.MinSizeKb = u"100"_s;
    in.MaxSizeKb = u"50"_s;
    EXPECT_EQ(Collect(in), TRefusal::ErrSize);
    in.MinSizeKb = u"50"_s;
    in.MaxSizeKb = u"100"_s;
    EXPECT_EQ(Collect(in), TRefusal::None);
    EXPECT_EQ(task.MinSize, 51200);
    EXPECT_EQ(task.MaxSize, 102400);
    in.MaxSizeKb = u"x"_s;
    EXPECT_EQ(Collect(in), TRefusal::ErrSize);
    in.SizeRange = false;
    in.DateRange = true;
    in.MinDate = 45001;
    in.MaxDate = 45000;
    EXPECT_EQ(Collect(in), TRefusal::ErrTime);
    in.DateRange = false;
    in.Scheduled = true;
    in.Period = u"abc"_s;
    EXPECT_EQ(Collect(in), TRefusal::None);
    EXPECT_DOUBLE_EQ(task.TaskCyc, 1);
    EXPECT_TRUE(task.SourceFolderName.endsWith(u'/'));
    in.Source = dir.filePath(u"missing"_s);
    EXPECT_EQ(Collect(in), TRefusal::NoFolder);
}

TEST_F(CollectTest, UploadTargetsNeedAFolderOrTheRootOption) {
    task.TranStyle = TS_Upload;
    task.DestOwnerId = 1;
    task.DestFolderId = 0;
    task.IncludeRootPath = false;
    EXPECT_EQ(CheckTaskTarget(task), TRefusal::SelDFolder);
    task.IncludeRootPath = true;
    EXPECT_EQ(CheckTaskTarget(task), TRefusal::None);
    task.DestOwnerId = 0;
    EXPECT_EQ(CheckTaskTarget(task), TRefusal::SelOwner);
    task.TranStyle = TS_Download;
    task.SourceOwnerId = 0;
    EXPECT_EQ(CheckTaskTarget(task), TRefusal::SelSOwner);
}

TEST_F(CollectTest, DownloadFoldersAreAskedForOnceAndNamesCut) {
    task.TranStyle = TS_Download;
    task.FF = FF_Folder;
    task.SourceFolderName = u"Docs/Sub"_s;
    TTaskInputs in;
    in.Dest = dir.filePath(u"new/place"_s);
    EXPECT_EQ(Collect(in, false), TRefusal::Declined);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QDir(in.Dest).exists());
    EXPECT_EQ(Collect(in, true), TRefusal::None);
    EXPECT_TRUE(QDir(in.Dest).exists());
    EXPECT_EQ(task.SourceFolderName, u"Sub\\"_s);
    EXPECT_TRUE(task.DestFolderName.endsWith(u'/'));
}

}  // namespace
}  // namespace ov
