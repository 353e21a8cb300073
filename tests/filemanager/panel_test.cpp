// The panel's list rules (ticks that follow the selection, the selection checks, sorting in
// three clicks), its preview route and batch slots, and files and folders dropped on the list
// as real drop events.

#include <gtest/gtest.h>

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QMimeData>
#include <QTreeWidget>

#include "client/filemanager/filemagfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/treenodes.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class PanelTest : public ::testing::Test {
protected:
    PanelTest() : demo(false) {
        demo.inModel([](DocModel& m) {
            m.addFile(5001, demo::ElectricsFolder, u"b10.txt"_s, 9216, 46000);
            m.addFile(5002, demo::ElectricsFolder, u"a9.txt"_s, 9215, 46000);
            m.addFile(5003, demo::ElectricsFolder, u"c.mpp"_s, 1, 46000);
            return 0;
        });
        panel.resize(800, 500);
        panel.Init();
        EXPECT_TRUE(settled(panel));
        QTreeWidgetItem* group = FindNode(panel.OrgTree, nullptr, demo::DesignGroup, true);
        panel.OrgTree->setCurrentItem(group);
        emit panel.OrgTree->itemClicked(group, 0);
        EXPECT_TRUE(settled(panel));
        panel.FolderTree->setCurrentItem(FindNode(panel.FolderTree, nullptr, demo::ElectricsFolder, true));
        EXPECT_TRUE(settled(panel));
    }
    QStringList names() const {
        QStringList list;
        for (int i = 0; i < panel.FsList->topLevelItemCount(); ++i)
            list << panel.FsList->topLevelItem(i)->text(FC_Name);
        return list;
    }
    QTreeWidgetItem* item(const QString& name) const {
        for (int i = 0; i < panel.FsList->topLevelItemCount(); ++i)
            if (panel.FsList->topLevelItem(i)->text(FC_Name) == name) return panel.FsList->topLevelItem(i);
        return nullptr;
    }

    FileManagerServer demo;
    TFileMagFrm panel;
};

TEST_F(PanelTest, SortingBySizeIsNumericAndTheThirdClickRestores) {
    const QStringList loaded = names();
    ASSERT_EQ(loaded, (QStringList{u"控制柜"_s, u"b10.txt"_s, u"a9.txt"_s, u"c.mpp"_s}));
    QTreeWidgetItem* header = panel.FsList->headerItem();
    panel.SortByColumn(FC_Size);
    EXPECT_EQ(names(), (QStringList{u"控制柜"_s, u"c.mpp"_s, u"a9.txt"_s, u"b10.txt"_s}))
        << "an empty size reads as 0, 9 before 10";
    EXPECT_EQ(header->data(FC_Size, kImageRole).toInt(), 62);
    panel.SortByColumn(FC_Size);
    EXPECT_EQ(names().first(), u"b10.txt"_s);
    EXPECT_EQ(header->data(FC_Size, kImageRole).toInt(), 61);
    panel.SortByColumn(FC_Size);
    EXPECT_EQ(names(), loaded);
    panel.SortByColumn(FC_Name);
    EXPECT_EQ(names(), (QStringList{u"a9.txt"_s, u"b10.txt"_s, u"c.mpp"_s, u"控制柜"_s}));
    EXPECT_EQ(header->data(FC_Name, kImageRole).toInt(), -1) << "column 0 shows no arrow";
    EXPECT_EQ(header->data(FC_Size, kImageRole).toInt(), -1);
}

TEST_F(PanelTest, SelectionTicksFilesAndTheChecksCountTicks) {
    ModalAnswerer answerer(QMessageBox::Ok);
    EXPECT_FALSE(panel.GetSelectedInfos(false, false));
    EXPECT_EQ(answerer.texts.value(0), u"请至少选择一个文件"_s);

    panel.FsList->setCurrentItem(item(u"a9.txt"_s));
    EXPECT_EQ(item(u"a9.txt"_s)->checkState(FC_Name), Qt::Checked);
    panel.FsList->setCurrentItem(item(u"c.mpp"_s));
    EXPECT_EQ(item(u"a9.txt"_s)->checkState(FC_Name), Qt::Unchecked) << "deselected: unticked";
    item(u"a9.txt"_s)->setCheckState(FC_Name, Qt::Checked);
    item(u"控制柜"_s)->setCheckState(FC_Name, Qt::Checked);

    answerer.texts.clear();
    EXPECT_FALSE(panel.GetSelectedInfos(true, false));
    EXPECT_EQ(answerer.texts.value(0), u"一次只能选择一个文件"_s);
    const auto files = panel.GetSelectedInfos(false, false);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->size(), 2) << "the folder is left out";
    const auto all = panel.GetSelectedInfos(false, true);
    ASSERT_EQ(all->size(), 3);
    EXPECT_TRUE(all->first().IsFolder);
    EXPECT_EQ(all->at(1).FileKey, 5002);
    EXPECT_EQ(all->at(1).Index, 2);
}

TEST_F(PanelTest, PreviewGoesToTheDispatcherOrToTheServersPage) {
    QList<std::pair<int, QString>> commands;
    QStringList urls;
    panel.Slots().RunWebCmd = [&](quint8 code, const QString& cmd) { commands.append({code, cmd}); };
    panel.Slots().OpenUrl = [&](const QString& url) { urls << url; };
    item(u"c.mpp"_s)->setCheckState(FC_Name, Qt::Checked);
    panel.sbPreviewClick();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0].first, 13);
    EXPECT_TRUE(commands[0].second.startsWith(u"[filekey]5003[/filekey][filever]-1"_s));
    item(u"c.mpp"_s)->setCheckState(FC_Name, Qt::Unchecked);
    item(u"a9.txt"_s)->setCheckState(FC_Name, Qt::Checked);
    panel.sbPreviewClick();
    ASSERT_EQ(urls.size(), 1);
    EXPECT_TRUE(urls[0].contains(u"/previewopen?st=c&extopr=core&filekey=5002&uid="_s));
    EXPECT_TRUE(urls[0].endsWith(u"&c=2"_s));
}

TEST_F(PanelTest, BatchItemsHandTasksToTheSlot) {
    QList<TBatchTransport> tasks;
    panel.Slots().OnBatchFileDeal = [&](const TBatchTransport& task) { tasks << task; };
    panel.BulkUploadClick();
    panel.BulkDownloadClick();
    ASSERT_EQ(tasks.size(), 2);
    EXPECT_EQ(tasks[0].TranStyle, TS_Upload);
    EXPECT_EQ(tasks[0].DestOwnerId, demo::DesignGroup);
    EXPECT_EQ(tasks[0].DestFolderId, demo::ElectricsFolder);
    EXPECT_EQ(tasks[0].DestFolderName, u"电气"_s);
    EXPECT_EQ(tasks[1].TranStyle, TS_Download);
    EXPECT_EQ(tasks[1].SourceFolderId, demo::ElectricsFolder);
}

TEST_F(PanelTest, DroppedFilesAndFoldersAreAskedForAndUploaded) {
    const QString root = demo.home.file(u"drops/"_s);
    QList<QUrl> urls;
    for (int i = 0; i < 11; ++i) {
        const QString path = root + u"f%1.txt"_s.arg(i);
        QDir().mkpath(root);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        urls << QUrl::fromLocalFile(path);
    }
    QDir().mkpath(root + u"资料/深/"_s);
    QFile deep(root + u"资料/深/d.txt"_s);
    ASSERT_TRUE(deep.open(QIODevice::WriteOnly));
    deep.write("deep");
    deep.close();
    QFile::link(root + u"资料"_s, root + u"资料/回环"_s);  // a link back must not be followed
    urls << QUrl::fromLocalFile(root + u"资料"_s);

    QMimeData mime;
    mime.setUrls(urls);
    QWidget* viewport = panel.FsList->viewport();
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    ModalAnswerer answerer(QMessageBox::Yes);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(panel.DropFileList().size(), 12);
    EXPECT_EQ(panel.DropFileList().first(), root + u"资料"_s) << "folders first";
    ASSERT_TRUE(waitUntil([&] { return !answerer.texts.isEmpty(); }));
    const QStringList lines = answerer.texts[0].split(u'\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], u"是否上传以下文件或文件夹:"_s);
    EXPECT_EQ(lines[1], u"  "_s + root + u"资料"_s);
    EXPECT_EQ(lines[11], u"  ......"_s);

    ASSERT_TRUE(waitUntil([&] { return answerer.texts.size() >= 2; }));
    EXPECT_EQ(answerer.texts[1], u"上传成功！"_s);
    const QStringList stored = demo.inModel([](DocModel& m) {
        QStringList found;
        for (const auto& [key, file] : m.files)
            if (key > 5003 && !file.deleted) found << m.folderPathByNames(file.folderId) + u'/' + file.name;
        return found;
    });
    EXPECT_EQ(stored.size(), 12) << stored.join(u',').toStdString();
    EXPECT_TRUE(stored.contains(u"设计部/设计图纸/电气/资料/深/d.txt"_s));
    EXPECT_TRUE(waitUntil([&] {
        return panel.FolderTree->currentItem() &&
               NodeData(panel.FolderTree->currentItem()) == demo::ElectricsFolder;
    })) << "the folder that received the upload is selected again";
    EXPECT_FALSE(panel.UploadForm()->isVisible());
}

}  // namespace
}  // namespace ov::test
