// Pictures of the file manager with the demo organisation, the upload dialog and the message
// notice, in both languages, for checking by eye (written when OV_SHOTS_DIR is set).

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>

#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/treenodes.h"
#include "client/serverdialogs/messagenoticefrm.h"
#include "fixture.h"
#include "platform/widgets/fonts.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

void save(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("OV_SHOTS_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(dir + u'/' + name + u".png"_s));
}

class ShotsTest : public ::testing::TestWithParam<THS_Language> {};

TEST_P(ShotsTest, FileManagerUploadDialogAndNotice) {
    platform::installFontSubstitutions();
    FileManagerServer demo(false, GetParam());
    const QString lang = GetParam() == HSL_CN ? u"cn"_s : u"en"_s;
    TFileMagFrm panel;
    panel.resize(820, 520);
    panel.Init();
    panel.show();
    ASSERT_TRUE(settled(panel));
    QTreeWidgetItem* group = FindNode(panel.OrgTree, nullptr, demo::DesignGroup, true);
    panel.OrgTree->setCurrentItem(group);
    emit panel.OrgTree->itemClicked(group, 0);
    ASSERT_TRUE(settled(panel));
    panel.FolderTree->setCurrentItem(FindNode(panel.FolderTree, nullptr, demo::MechanicsFolder, true));
    ASSERT_TRUE(settled(panel));
    panel.FsList->topLevelItem(1)->setCheckState(FC_Name, Qt::Checked);
    panel.SortByColumn(FC_Size);
    EXPECT_GT(panel.FsList->topLevelItemCount(), 0);
    save(panel, u"filemanager-"_s + lang);

    panel.FolderTree->hide();
    panel.OrgTree->show();
    save(panel, u"filemanager-org-"_s + lang);

    TFileUploadFrm upload;
    upload.EdtPath->setText(u"/home/demo/文档/齿轮箱总装图.dwg"_s);
    upload.ProgressBar1->setMaximum(101);
    upload.ProgressBar1->setValue(42);
    save(upload, u"upload-"_s + lang);

    QWidget area;
    area.resize(420, 260);
    auto* notice = new TMessageNoticeFrm([](int) {}, &area);
    notice->setGeometry(30, 30, 360, 200);
    save(area, u"notice-"_s + lang);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShotsTest, ::testing::Values(HSL_CN, HSL_ENG));

}  // namespace
}  // namespace ov::test
