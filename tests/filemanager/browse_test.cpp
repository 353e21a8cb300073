// The panel against the test server: the organisation, an owner's folders and a folder's items,
// new folders and renames with names that need encoding, and the summary round trip.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/foldernamefrm.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/summaryfrm.h"
#include "client/filemanager/treenodes.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class BrowseTest : public ::testing::TestWithParam<bool> {
protected:
    BrowseTest() : demo(GetParam()) {}

    // The panel with the design group chosen and the folder selected.
    void openFolder(std::int64_t folderId) {
        panel.Init();
        ASSERT_TRUE(settled(panel));
        QTreeWidgetItem* group = FindNode(panel.OrgTree, nullptr, demo::DesignGroup, true);
        ASSERT_NE(group, nullptr);
        panel.OrgTree->setCurrentItem(group);
        emit panel.OrgTree->itemClicked(group, 0);
        ASSERT_TRUE(settled(panel));
        QTreeWidgetItem* folder = FindNode(panel.FolderTree, nullptr, folderId, true);
        ASSERT_NE(folder, nullptr);
        panel.FolderTree->setCurrentItem(folder);
        ASSERT_TRUE(settled(panel));
    }
    QStringList listNames() const {
        QStringList names;
        for (int i = 0; i < panel.FsList->topLevelItemCount(); ++i)
            names << panel.FsList->topLevelItem(i)->text(FC_Name);
        return names;
    }
    // Answers the folder name dialog with the name.
    void nameFolder(ModalAnswerer& answerer, const QString& name) {
        answerer.onDialog = [name](QDialog* dialog) {
            auto* form = qobject_cast<TSetFoldrNameFrm*>(dialog);
            if (!form) {
                dialog->reject();
                return;
            }
            form->edtFolderName->setText(name);
            form->Button1->click();
        };
    }

    FileManagerServer demo;
    TFileMagFrm panel;
};

TEST_P(BrowseTest, OrganisationFoldersAndItems) {
    panel.Init();
    EXPECT_EQ(panel.OrgTree->topLevelItemCount(), 0) << "the window does not wait for the server";
    ASSERT_TRUE(settled(panel));
    ASSERT_EQ(panel.OrgTree->topLevelItemCount(), 3) << "two groups and the user";
    EXPECT_EQ(panel.OrgTree->topLevelItem(0)->text(0), u"设计部"_s);
    EXPECT_EQ(NodeImage(panel.OrgTree->topLevelItem(0)), 4);
    EXPECT_EQ(panel.OrgTree->topLevelItem(2)->text(0), u"演示用户"_s);
    EXPECT_EQ(NodeImage(panel.OrgTree->topLevelItem(2)), 3);

    openFolder(demo::MechanicsFolder);
    EXPECT_TRUE(panel.OrgTree->isHidden());
    EXPECT_EQ(panel.GroupId(), demo::DesignGroup);
    EXPECT_EQ(NodeImage(panel.FolderTree->topLevelItem(0)), 5);
    EXPECT_EQ(panel.FolderId(), demo::MechanicsFolder);
    EXPECT_EQ(listNames(), (QStringList{u"总装"_s, u"齿轮箱.dwg"_s, u"装配说明.docx"_s}))
        << "folders first";
    const QTreeWidgetItem* gearbox = panel.FsList->topLevelItem(1);
    EXPECT_EQ(gearbox->text(FC_Size), u"201"_s);
    EXPECT_EQ(gearbox->text(FC_IsFolder), u"0"_s);
    EXPECT_EQ(panel.FsList->topLevelItem(0)->text(FC_Id), u"40"_s);

    // Selecting the folder item opens it, which loads its items.
    panel.FsList->setCurrentItem(panel.FsList->topLevelItem(0));
    ASSERT_TRUE(settled(panel));
    EXPECT_EQ(panel.FolderId(), demo::AssemblyFolder);
    EXPECT_EQ(listNames(), (QStringList{u"零件图"_s, u"进度计划.mpp"_s, u"会议纪要 & 说明.txt"_s}));

    // The node that leads back shows the organisation again.
    panel.FolderTree->setCurrentItem(panel.FolderTree->topLevelItem(0));
    EXPECT_FALSE(panel.OrgTree->isHidden());
    EXPECT_EQ(panel.FsList->topLevelItemCount(), 0);
}

TEST_P(BrowseTest, NewFolderAndRenameKeepAmpersandsAndChineseNames) {
    openFolder(demo::MechanicsFolder);
    ModalAnswerer answerer(QMessageBox::Ok);
    nameFolder(answerer, u"图纸 & 说明#1"_s);
    panel.NewFolderClick();
    ASSERT_TRUE(settled(panel));
    const std::int64_t id = demo.inModel([](DocModel& m) {
        for (const DocFolder* f : m.childFolders(demo::DesignGroup, demo::MechanicsFolder))
            if (f->name == u"图纸 & 说明#1"_s) return f->id;
        return std::int64_t(0);
    });
    ASSERT_GT(id, 0) << answerer.texts.join(u'|').toStdString();
    EXPECT_TRUE(answerer.texts.contains(u"成功创建文件夹"_s));
    QTreeWidgetItem* node = FindNode(panel.FolderTree, nullptr, id, true);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), u"图纸 & 说明#1"_s);

    // The same name again: the server's answer is shown and no node is added.
    answerer.texts.clear();
    panel.NewFolderClick();
    ASSERT_TRUE(settled(panel));
    EXPECT_EQ(answerer.texts.value(0), u"A folder with this name already exists."_s);
    EXPECT_EQ(panel.FolderTree->currentItem()->childCount(), 2);

    panel.FolderTree->setCurrentItem(node);
    nameFolder(answerer, u"改名 & 100%"_s);
    panel.RenameFolderClick();
    ASSERT_TRUE(settled(panel));
    EXPECT_EQ(demo.inModel([id](DocModel& m) { return m.folder(id)->name; }), u"改名 & 100%"_s);
    EXPECT_EQ(node->text(0), u"改名 & 100%"_s);
}

TEST_P(BrowseTest, SummaryRoundTripAndARefusedSaveKeepsTheEdit) {
    openFolder(demo::MechanicsFolder);
    ModalAnswerer answerer(QMessageBox::Ok);
    panel.sbSummaryClick();
    EXPECT_EQ(answerer.texts.value(0), u"请至少选择一个文件"_s) << "nothing ticked";

    panel.FsList->topLevelItem(1)->setCheckState(FC_Name, Qt::Checked);  // 齿轮箱.dwg
    QStringList shown;
    answerer.onDialog = [&shown](QDialog* dialog) {
        auto* form = qobject_cast<TFrmSummary*>(dialog);
        shown << form->Text();
        form->SetText(u"新的摘要 <&>"_s);
        form->btnModify->click();
    };
    panel.sbSummaryClick();
    ASSERT_TRUE(settled(panel));
    EXPECT_EQ(shown, QStringList{u"齿轮箱总图"_s});
    EXPECT_EQ(demo.inModel([](DocModel& m) { return m.file(demo::GearboxFile)->desc; }),
              u"新的摘要 <&>"_s);

    // The file goes away while the summary is edited: the refusal is shown and the edit comes
    // back in the dialog.
    shown.clear();
    answerer.texts.clear();
    answerer.onDialog = [&](QDialog* dialog) {
        auto* form = qobject_cast<TFrmSummary*>(dialog);
        shown << form->Text();
        if (shown.size() > 1) {
            form->btnCancel->click();
            return;
        }
        demo.inModel([](DocModel& m) { return m.file(demo::GearboxFile)->deleted = true; });
        form->SetText(u"没保存的"_s);
        form->btnModify->click();
    };
    panel.sbSummaryClick();
    ASSERT_TRUE(settled(panel));
    EXPECT_EQ(shown, (QStringList{u"新的摘要 <&>"_s, u"没保存的"_s}));
    EXPECT_EQ(answerer.texts.size(), 1);
    EXPECT_FALSE(answerer.texts.value(0).isEmpty());
}

TEST_P(BrowseTest, ServerFailuresAreShown) {
    demo.server.setFault(Fault::Refuse);
    ModalAnswerer answerer(QMessageBox::Ok);
    panel.Init();
    ASSERT_TRUE(settled(panel));
    ASSERT_TRUE(waitUntil([&] { return !answerer.texts.isEmpty(); }));
    ASSERT_EQ(answerer.texts.size(), 1);
    EXPECT_TRUE(answerer.texts[0].startsWith(u"Client OrgStructure E2="_s));
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, BrowseTest, ::testing::Values(false, true));

}  // namespace
}  // namespace ov::test
