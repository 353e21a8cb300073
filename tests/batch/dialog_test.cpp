// The task dialog: the choice of individual files builds the index on a worker and removes
// the unticked files; cancel removes only what the dialog created; and the refusals of OK.

#include "serverfixture.h"

#include "client/batch/setfiletypefrm.h"
#include "client/batch/taskaddfrm.h"
#include "core/filetype.h"
#include "core/globalconfig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class TaskDialogTest : public BatchServerTest {
protected:
    TaskDialogTest() {
        const auto config = RenewGlobalConfig();  // the settings of this test's home
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(demo::DemoToken());
    }

    std::unique_ptr<TTaskAddFrm> Dialog(const TBatchTransport& task, TBatchPickers pickers = {}) {
        auto d = std::make_unique<TTaskAddFrm>(HSL_ENG, std::move(pickers));
        d->IndexFolder = Server().IndexFolder;
        d->Message = [this](const QString& text) { messages.append(text); };
        d->Ask = [](const QString&) { return true; };
        d->SetTaskInfo(task);
        return d;
    }

    QString IndexFile(std::int32_t id, const char* ext) const {
        return Server().IndexFolder + QString::number(id) + QString::fromLatin1(ext);
    }

    QStringList messages;
};

TEST_F(TaskDialogTest, ChosenFilesAreKeptAndCancelRemovesWhatTheChoiceCreated) {
    const QString root = Local(u"up/"_s);
    for (const char16_t* name : {u"a.txt", u"b.txt", u"c.txt"})
        Write(root + QString::fromUtf16(name), "x");
    TBatchTransport task = UploadTask(root);
    TBatchPickers pickers;
    int reviewed = 0;
    pickers.ReviewFiles = [&](const TFileIndex& index, const QString& count)
        -> std::optional<QVector<std::int64_t>> {
        ++reviewed;
        EXPECT_EQ(count, u"Total files 3"_s);
        QVector<std::int64_t> drop;
        index.ListFiles([&](const TTidyFile& f) {
            if (f.Path.endsWith(u"b.txt"_s)) drop.append(f.PathHash);
        });
        return drop;
    };
    auto dialog = Dialog(task, pickers);
    dialog->SelectItemsClick();
    EXPECT_EQ(reviewed, 1);
    EXPECT_TRUE(QFile::exists(IndexFile(task.Id, ".fln")));
    EXPECT_TRUE(QFile::exists(IndexFile(task.Id, ".ivd")));
    // The task's worker later loads this index and leaves the unticked file out.
    {
        TFileIndex index;
        index.TaskId = task.Id;
        index.Init(Server().IndexFolder);
        ASSERT_TRUE(index.Load());
        index.RemoveInvalidKey();
        EXPECT_EQ(index.GetAllCount(0), 2);
    }
    dialog->CancelClick();
    EXPECT_FALSE(QFile::exists(IndexFile(task.Id, ".fln")));
    EXPECT_FALSE(QFile::exists(IndexFile(task.Id, ".ivd")));
}

TEST_F(TaskDialogTest, CancelKeepsAnExistingTasksProgressAndAHeldIndexIsNotTouched) {
    const QString root = Local(u"up/"_s);
    Write(root + u"a.txt"_s, "x");
    TBatchTransport task = UploadTask(root);
    TFileIndex running;  // the task's worker holds its index
    running.TaskId = task.Id;
    running.Init(Server().IndexFolder);
    ASSERT_TRUE(running.Load());
    auto dialog = Dialog(task);
    dialog->SelectItemsClick();
    EXPECT_EQ(messages.size(), 1);  // refused: the index is in use
    dialog->CancelClick();
    EXPECT_TRUE(QFile::exists(IndexFile(task.Id, ".fln")));
    EXPECT_TRUE(QFile::exists(IndexFile(task.Id, ".std")));
}

TEST_F(TaskDialogTest, OkRefusesAnUploadWithoutTargetFolderUnlessTheRootOptionIsSet) {
    const QString root = Local(u"up/"_s);
    QDir().mkpath(root);
    TBatchTransport task = UploadTask(root);
    task.DestFolderId = 0;
    task.IncludeRootPath = false;
    auto dialog = Dialog(task);
    dialog->IncludeRootCheck()->setChecked(false);
    dialog->OkClick();
    EXPECT_FALSE(dialog->IsCompleted());
    EXPECT_EQ(messages, QStringList{u"select dest folder!"_s});
    EXPECT_EQ(dialog->NewTaskInfo().Id, -1);
    dialog->IncludeRootCheck()->setChecked(true);
    dialog->SizeCheck()->setChecked(true);
    dialog->MinSizeEdit()->setText(u"50"_s);
    dialog->MaxSizeEdit()->setText(u"100"_s);
    dialog->OkClick();
    ASSERT_TRUE(dialog->IsCompleted());
    EXPECT_EQ(dialog->NewTaskInfo().MinSize, 51200);
    EXPECT_EQ(dialog->NewTaskInfo().Id, task.Id);
}

TEST_F(TaskDialogTest, FileTypePickerExcludesAllFilesFromTheOthers) {
    TSetFileTypeFrm picker(HSL_ENG);
    picker.SetFileTypes({FileExtToCode(u"doc"_s), FileExtToCode(u"pdf"_s)});
    EXPECT_EQ(picker.GetFileTypes(),
              (TFileTypeArray{FileExtToCode(u"doc"_s), FileExtToCode(u"pdf"_s)}));
    picker.List()->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(picker.GetFileTypes().isEmpty());
    picker.List()->item(3)->setCheckState(Qt::Checked);
    EXPECT_EQ(picker.List()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(picker.List()->count(), 30);
}

}  // namespace
}  // namespace ov::test
