// The server folder and file pickers: folder levels loaded once, the forced folder choice, the
// file list's items, sorting, search and confirmation.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "client/filemanager/selectfileview.h"
#include "client/filemanager/selectserverfolder.h"
#include "client/filemanager/serverfolderfileview.h"
#include "client/filemanager/treenodes.h"
#include "core/filetype.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class PickerTest : public ::testing::Test {
protected:
    PickerTest() : demo(false) {}
    FileManagerServer demo;
};

QStringList column(const QTreeWidget* list, int c) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) texts << list->topLevelItem(i)->text(c);
    return texts;
}

TEST_F(PickerTest, FolderLevelsLoadOnceAndTheForcedChoiceNeedsAFolder) {
    TSelectFolderFrm picker;
    picker.GetFrame(demo::DesignGroup);
    ASSERT_EQ(picker.tvOrg->topLevelItemCount(), 1) << "the owner's whole tree";
    EXPECT_EQ(NodeImage(picker.tvOrg->topLevelItem(0)), 4);

    QTreeWidgetItem* lazy = AddNode(picker.tvOrg, nullptr, u"设计图纸"_s, demo::DrawingsFolder, 6);
    picker.tvOrg->setCurrentItem(lazy);
    EXPECT_EQ(lazy->childCount(), 2);
    EXPECT_EQ(NodeImage(lazy), 1);
    EXPECT_EQ(NodeImage(lazy->child(0)), 6) << "机械 has sub-folders";
    picker.tvOrg->setCurrentItem(lazy->child(0));
    EXPECT_EQ(picker.FFolderName, u"设计图纸\\机械\\"_s);
    EXPECT_EQ(picker.edtFolderName->text(), u"设计图纸\\机械\\"_s);
    picker.tvOrg->setCurrentItem(lazy);
    EXPECT_EQ(lazy->childCount(), 2) << "not loaded again";
    EXPECT_EQ(picker.FFolderId, demo::DrawingsFolder);

    QTreeWidgetItem* top = AddNode(picker.tvOrg, nullptr, u"设计部"_s, 0, 4);
    picker.tvOrg->setCurrentItem(top);
    picker.FIsForceFolder = true;
    ModalAnswerer answerer(QMessageBox::Ok);
    picker.show();
    picker.BitBtn3Click();
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(answerer.texts.value(0),
              u"必须选择\"设计部\\\"的一个文件夹，如果此组/个人没有文件夹，请到页面新建一个文件夹!"_s);
    picker.BitBtn4->click();
    EXPECT_EQ(picker.FFolderId, -1);
}

TEST_F(PickerTest, ServerFilePickerListsSortsAndConfirms) {
    TServerFolderFileView view;
    view.LoadFile(demo::DesignGroup, demo::MechanicsFolder);
    EXPECT_EQ(column(view.lvFiles, FV_Name), (QStringList{u"齿轮箱.dwg"_s, u"装配说明.docx"_s}));
    EXPECT_EQ(view.lvFiles->topLevelItem(0)->text(FV_Path), u"设计部/设计图纸/机械/"_s);
    EXPECT_EQ(view.lbFileNum->text(), u"文件总数：2"_s);
    view.lvFilesColumnClick(FV_Size);
    EXPECT_EQ(column(view.lvFiles, FV_Size), (QStringList{u"2"_s, u"201"_s}));
    view.lvFilesColumnClick(FV_Size);
    EXPECT_EQ(column(view.lvFiles, FV_Size), (QStringList{u"201"_s, u"2"_s}));
    EXPECT_EQ(view.lvFiles->headerItem()->data(FV_Size, kImageRole).toInt(), 0);

    ModalAnswerer answerer(QMessageBox::Ok);
    view.show();
    view.bbtSave->click();
    EXPECT_EQ(answerer.texts.value(0), u"选择文件!"_s);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.FileId(), -1);
    view.lvFiles->setCurrentItem(view.lvFiles->topLevelItem(0));  // the larger one
    view.bbtSave->click();
    EXPECT_EQ(view.FileId(), demo::GearboxFile);
    EXPECT_EQ(view.FileName(), u"设计部/设计图纸/机械/齿轮箱.dwg"_s);
}

TEST_F(PickerTest, TaskFileListSearchAndUnticked) {
    TSelectFileView view;
    const char16_t* paths[] = {u"docs/spec.pdf", u"a/report.doc", u"Annual_REPORT.xls",
                               u"rep.doc", u"x/gone.txt"};
    std::int64_t hash = 100;
    for (const char16_t* path : paths) {
        TTidyFile file;
        file.Path = QString::fromUtf16(path);
        file.PathHash = ++hash;
        file.Kind = FileExtToCode(file.Path.section(u'.', -1));
        file.Dealed = hash == 105 ? DL_Removed : hash == 104 ? DL_Done : DL_New;
        view.AddFiles(file);
    }
    const QTreeWidgetItem* spec = view.lvFiles->topLevelItem(0);
    EXPECT_EQ(spec->text(FV_Name), u"spec.pdf"_s);
    EXPECT_EQ(spec->text(FV_Path), u"docs/"_s);
    EXPECT_EQ(spec->data(FV_Name, kImageRole).toInt(), 8);
    EXPECT_EQ(view.lvFiles->topLevelItem(3)->text(FV_State), u"已完成"_s);
    EXPECT_EQ(view.lvFiles->topLevelItem(4)->checkState(FV_Name), Qt::Unchecked);

    view.edtSearchStr->setText(u" RePort "_s);
    view.btFnSearchClick();
    auto ticked = [&view] {
        QStringList names;
        for (int i = 0; i < view.lvFiles->topLevelItemCount(); ++i)
            if (view.lvFiles->topLevelItem(i)->checkState(FV_Name) == Qt::Checked)
                names << view.lvFiles->topLevelItem(i)->text(FV_Name);
        return names;
    };
    EXPECT_EQ(ticked(), (QStringList{u"report.doc"_s, u"Annual_REPORT.xls"_s}));
    view.edtSearchStr->setText(u"spec"_s);
    view.btFnSearchClick();
    EXPECT_EQ(ticked().size(), 3) << "searches add to the selection";
    EXPECT_EQ(view.GetUnSelectedKeys(), (QVector<std::int64_t>{104, 105}));
    view.bbtSave->click();
    EXPECT_TRUE(view.SelectKey());
}

}  // namespace
}  // namespace ov::test
