// The latest versions of a server folder into the working folder: missing and older local
// copies are fetched, newer ones only when the user agrees, "All" agrees for the rest of the run.

#include "documents/versions/getnewverfrm.h"
#include "documents/versions/records.h"
#include "fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class LatestTest : public VersionsTest {
protected:
    // Runs the dialog for a folder of the design group into `folder` ("" keeps the one shown).
    void Run(std::int64_t folderId, const QString& folder = QString(), bool sub = false,
             std::int32_t owner = demo::DesignGroup) {
        QPointer<TGetNewVerFrm> dialog = new TGetNewVerFrm;
        dialog->Ui = user.Ui();
        dialog->SetHintForm(log.get());
        QSignalSpy ready(dialog.data(), &TGetNewVerFrm::ready);
        dialog->Init(owner, folderId, ini);
        ASSERT_TRUE(ready.wait(20000));
        shown = dialog->Edit1->text();
        if (!folder.isEmpty()) dialog->Edit1->setText(folder);
        dialog->CheckBox1->setChecked(sub);
        dialog->btConfirm->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 20000);
    }

    // The local folder of the mechanics folder below the work root: its levels below the owner.
    QString MechanicsBelowRoot() const { return work + u"设计图纸/机械/"_s; }
    QString shown;
};

}  // namespace

TEST_P(LatestTest, FetchesMissingAndOlderCopiesAndAsksForNewerOnes) {
    files.setContent(demo::GearboxFile, "gearbox v7");
    files.setContent(demo::ManualFile, "manual v3");
    const QString folder = MechanicsBelowRoot();
    const TDateTime second = 1.0 / 86400;
    // Newer here by a second: asked; the user keeps the first ("cancel").
    WriteFile(folder + u"齿轮箱.dwg"_s, "mine");
    SetFileModifyTime(folder + u"齿轮箱.dwg"_s, File(demo::GearboxFile).modified + second);
    // Half a second apart: untouched, nothing logged.
    WriteFile(folder + u"装配说明.docx"_s, "same");
    SetFileModifyTime(folder + u"装配说明.docx"_s, File(demo::ManualFile).modified + second / 2);
    user.newerAnswer = u"cancel"_s;
    Run(demo::MechanicsFolder);
    EXPECT_EQ(shown, work);  // no mapping: the work root, and the server path rebuilt below it
    EXPECT_EQ(user.newer, QStringList{folder + u"齿轮箱.dwg"_s});
    EXPECT_EQ(ReadAll(folder + u"齿轮箱.dwg"_s), QByteArray("mine"));
    EXPECT_EQ(ReadAll(folder + u"装配说明.docx"_s), QByteArray("same"));
    EXPECT_EQ(LogRows(), QStringList{u"Process completed|"_s});

    // Both newer now: "All" on the first question replaces both without a second question.
    SetFileModifyTime(folder + u"装配说明.docx"_s, File(demo::ManualFile).modified + 5 * second);
    user.newer.clear();
    user.newerAnswer = u"all"_s;
    Run(demo::MechanicsFolder);
    EXPECT_EQ(user.newer.size(), 1);
    EXPECT_EQ(ReadAll(folder + u"齿轮箱.dwg"_s), QByteArray("gearbox v7"));
    EXPECT_EQ(ReadAll(folder + u"装配说明.docx"_s), QByteArray("manual v3"));
    EXPECT_TRUE(LogRows().contains(folder + u"装配说明.docx|Successfully obtained"_s));
}

TEST_P(LatestTest, ServerPathsThatClimbOutWriteNothing) {
    model.addFolder(99, demo::DesignGroup, demo::MechanicsFolder, u".."_s);
    model.addFile(4242, 99, u"escape.txt"_s, 5, 46000);
    files.setContent(4242, "owned");
    model.addFile(4243, demo::MechanicsFolder, u"../up.txt"_s, 5, 46000);
    Run(demo::MechanicsFolder, QString(), /*sub=*/true);
    EXPECT_TRUE(QDir(home.path()).entryList({u"*.txt"_s}, QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(work + u"设计图纸/escape.txt"_s));
    EXPECT_FALSE(QFile::exists(work + u"设计图纸/up.txt"_s));
    EXPECT_TRUE(QFile::exists(MechanicsBelowRoot() + u"齿轮箱.dwg"_s));
}

TEST_P(LatestTest, AMappedFolderTakesTheFilesOfItsServerFolderAndBelow) {
    const QString mapped = home.file(u"mapped/"_s);
    ASSERT_TRUE(WriteWorkPath(ini, demo::DrawingsFolder, mapped));
    files.setContent(demo::GearboxFile, "gearbox");
    Run(demo::MechanicsFolder);
    EXPECT_EQ(shown, mapped + u"机械/"_s);
    EXPECT_EQ(ReadAll(mapped + u"机械/齿轮箱.dwg"_s), QByteArray("gearbox"));
    // The parent folder with its sub-folders: the files of 机械 land in the same place.
    QFile::remove(mapped + u"机械/齿轮箱.dwg"_s);
    Run(demo::DrawingsFolder, QString(), /*sub=*/true);
    EXPECT_EQ(shown, mapped);
    EXPECT_EQ(ReadAll(mapped + u"机械/齿轮箱.dwg"_s), QByteArray("gearbox"));
    EXPECT_FALSE(QFile::exists(mapped + u"机械/机械"_s));
}

TEST_P(LatestTest, OwnerZeroFetchesNothing) {
    Run(demo::MechanicsFolder, QString(), false, 0);
    EXPECT_EQ(user.told, QStringList{u"Please select the correct directory on the server!"_s});
    EXPECT_FALSE(QFile::exists(MechanicsBelowRoot()));
}

INSTANTIATE_TEST_SUITE_P(Versions, LatestTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
