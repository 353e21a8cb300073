// The working-folder dialog: a server folder's mapping, or the work root for folder ids of 0 or
// less; a folder that does not exist is made only when the user agrees.

#include "documents/versions/records.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "fixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class SetWorkPathTest : public VersionsTest {
protected:
    std::unique_ptr<TSetCheckOutPathFrm> Open(std::int64_t folderId) {
        auto form = std::make_unique<TSetCheckOutPathFrm>();
        form->Ui = user.Ui();
        QSignalSpy ready(form.get(), &TSetCheckOutPathFrm::ready);
        form->Init(work, ini, folderId);
        if (ready.isEmpty()) {
            EXPECT_TRUE(ready.wait(20000));
        }
        return form;
    }
};

}  // namespace

TEST_P(SetWorkPathTest, AServerFolderGetsItsMapping) {
    auto form = Open(demo::MechanicsFolder);
    EXPECT_EQ(form->Edit1->text(), work + u"设计部/设计图纸/机械/"_s);
    const QString mine = home.file(u"mine/mechanics/"_s);
    form->Edit1->setText(mine);
    user.answer = false;  // not made: nothing written, the dialog stays
    form->btOK->click();
    EXPECT_EQ(user.asked.size(), 1);
    EXPECT_FALSE(QFile::exists(WorkPathRecordFile(ini)));
    EXPECT_EQ(form->result(), 0);
    user.answer = true;
    form->btOK->click();
    EXPECT_TRUE(QFileInfo(mine).isDir());
    EXPECT_EQ(ReadWorkPath(ini, demo::MechanicsFolder), mine);
    // The next dialog shows the mapping.
    EXPECT_EQ(Open(demo::MechanicsFolder)->Edit1->text(), mine);
}

TEST_P(SetWorkPathTest, ZeroOrNegativeIdsSetTheWorkRoot) {
    for (const std::int64_t id : {std::int64_t(0), std::int64_t(-7)}) {
        auto form = Open(id);
        EXPECT_EQ(form->Edit1->text(), work);
        const QString root = home.file(u"root%1/"_s.arg(-id));
        QDir().mkpath(root);
        form->Edit1->setText(root);
        user.told.clear();
        form->btOK->click();
        EXPECT_EQ(user.told.size(), 1);
        EXPECT_TRUE(user.told.value(0).startsWith(u"Successfully saved."_s));
        EXPECT_EQ(RenewGlobalConfig()->WorkRoot(), root);
    }
    EXPECT_FALSE(QFile::exists(WorkPathRecordFile(ini)));
    // An empty folder would be the root of the file system: refused.
    auto form = Open(0);
    form->Edit1->clear();
    user.told.clear();
    form->btOK->click();
    EXPECT_EQ(user.told, QStringList{u"Select the directory"_s});
}

INSTANTIATE_TEST_SUITE_P(Versions, SetWorkPathTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
