// Uploads, downloads and deletes of the file manager's dialogs against the test server:
// results 3, 16 and 100, the size and type limits, resume after a cut, dropped lists with
// sub-folders, one failure among three downloads and a refused delete.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "client/filemanager/filedelfrm.h"
#include "client/filemanager/filedownloadfrm.h"
#include "client/filemanager/fileuploadfrm.h"
#include "client/filemanager/showfiles.h"
#include "core/filetype.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

class TransferTest : public ::testing::TestWithParam<bool> {
protected:
    TransferTest() : demo(GetParam()) { list.setColumnCount(FC_Count); }

    QString localFile(const QString& relative, const QByteArray& data) {
        const QString path = demo.home.file(u"local/"_s + relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return path;
    }
    // One single upload into the user's own folder; the message it ends with.
    QString upload(TFileUploadFrm& form, const QString& path) {
        ModalAnswerer answerer(QMessageBox::Ok);
        bool done = false;
        QObject::connect(&form, &TFileUploadFrm::uploadFinished, [&done] { done = true; });
        form.EdtPath->setText(path);
        form.BtUploadClick();
        EXPECT_TRUE(waitUntil([&] { return done; }));
        EXPECT_TRUE(form.BtUpload->isEnabled() && form.BtSelectPath->isEnabled());
        return answerer.texts.value(0);
    }
    std::int64_t keyOf(const QString& name, std::int64_t folder = demo::MyDocsFolder) {
        return demo.inModel([&](DocModel& m) {
            for (const DocFile* f : m.folderFiles(folder))
                if (f->name == name) return f->key;
            return std::int64_t(0);
        });
    }

    FileManagerServer demo;
    QTreeWidget list;
};

TEST_P(TransferTest, SingleUploadResults) {
    TFileUploadFrm form;
    form.Init(demo::DemoUser, &list, demo::MyDocsFolder);
    const QByteArray data(100000, 'x');
    EXPECT_EQ(upload(form, localFile(u"报告 1.txt"_s, data)), u"上传成功！"_s);
    const std::int64_t key = keyOf(u"报告 1.txt"_s);
    ASSERT_GT(key, 0);
    EXPECT_EQ(demo.files.content(key), data);
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(FC_Id), QString::number(key));
    EXPECT_EQ(list.topLevelItem(0)->text(FC_Size), u"98"_s);

    NextTransfer same;
    same.status = 16;
    demo.files.setNext(same);
    EXPECT_EQ(upload(form, localFile(u"b.txt"_s, "b")), u"存在相同文件！"_s);
    NextTransfer refused;
    refused.status = 100;
    refused.errorLine = u"服务器拒绝"_s;
    demo.files.setNext(refused);
    EXPECT_EQ(upload(form, localFile(u"c.txt"_s, "c")), u"服务器拒绝"_s);
    EXPECT_EQ(list.topLevelItemCount(), 1) << "only a success adds an item";
}

TEST_P(TransferTest, LimitsRefuseAndLeaveTheButtonsUsable) {
    demo.inModel([](DocModel& m) {
        m.rules.maxFileSizeMb = 1;
        m.rules.fileTypes = {FileExtToCode(u"pdf"_s)};
        return 0;
    });
    TFileUploadFrm form;
    form.Init(demo::DemoUser, &list, demo::MyDocsFolder);
    EXPECT_EQ(upload(form, localFile(u"big.pdf"_s, QByteArray(1024 * 1024 + 1, 'b'))),
              u"上传失败，文件大小超出服务器设置的允许上传文件的大小(1 M)!"_s);
    EXPECT_EQ(upload(form, localFile(u"a.txt"_s, "a")),
              u"上传失败，文件类型不在服务器端允许范围内！"_s);
    EXPECT_EQ(upload(form, localFile(u"a.pdf"_s, "a")), u"上传成功！"_s);

    // A type list holding 42 allows every type.
    demo.inModel([](DocModel& m) { return m.rules.fileTypes = {7, 42}; });
    TFileUploadFrm second;
    second.Init(demo::DemoUser, &list, demo::MyDocsFolder);
    EXPECT_EQ(upload(second, localFile(u"b.txt"_s, "b")), u"上传成功！"_s);
}

TEST_P(TransferTest, AnUploadCutOffResumesWhereItStopped) {
    TFileUploadFrm form;
    form.Init(demo::DemoUser, &list, demo::MyDocsFolder);
    const QByteArray data = QByteArray("0123456789abcdef").repeated(20000);
    const QString path = localFile(u"resume.bin"_s, data);
    NextTransfer cut;
    cut.fault = {FileFault::Kind::Cut, 100000, 0};
    demo.files.setNext(cut);
    EXPECT_NE(upload(form, path), u"上传成功！"_s);
    demo.files.clearTransfers();
    EXPECT_EQ(upload(form, path), u"上传成功！"_s);
    const auto transfers = demo.files.transfers();
    ASSERT_EQ(transfers.size(), 1u);
    EXPECT_GT(transfers[0].offer, 0) << "the second upload resumes";
    EXPECT_EQ(demo.files.content(keyOf(u"resume.bin"_s)), data);
}

TEST_P(TransferTest, DroppedListPlacesFilesInTheirSubFolders) {
    const QString a = localFile(u"drop/工程/A/x.txt"_s, "x");
    const QString b = localFile(u"drop/工程/A/B/y.txt"_s, "y");
    TFileUploadFrm form;
    form.Init(demo::DemoUser, &list, demo::MyDocsFolder);
    bool done = false;
    QObject::connect(&form, &TFileUploadFrm::listFinished, [&done] { done = true; });
    ModalAnswerer answerer(QMessageBox::Ok);
    form.UploadList(demo.home.file(u"local/drop/"_s), {a, b});
    ASSERT_TRUE(waitUntil([&] { return done; }));
    EXPECT_EQ(answerer.texts, QStringList{u"上传成功！"_s});
    const QStringList paths = demo.inModel([](DocModel& m) {
        QStringList found;
        for (const auto& [key, file] : m.files)
            if (!file.deleted && file.name.endsWith(u".txt"_s))
                found << m.folderPathByNames(file.folderId) + u'/' + file.name;
        return found;
    });
    EXPECT_TRUE(paths.contains(u"演示用户/我的文档/工程/A/x.txt"_s)) << paths.join(u',').toStdString();
    EXPECT_TRUE(paths.contains(u"演示用户/我的文档/工程/A/B/y.txt"_s));

    // "No" after a refused file stops the list; the dialog can be used again.
    NextTransfer refused;
    refused.status = 100;
    refused.errorLine = u"拒绝"_s;
    demo.files.setNext(refused);
    done = false;
    answerer.answer = QMessageBox::No;
    answerer.texts.clear();
    form.UploadList(demo.home.file(u"local/drop/"_s), {a, b});
    ASSERT_TRUE(waitUntil([&] { return done; }));
    EXPECT_EQ(answerer.texts, QStringList{u"拒绝是否继续？"_s});
    EXPECT_TRUE(form.BtUpload->isEnabled());
    EXPECT_TRUE(form.EdtPath->isEnabled());
}

TEST_P(TransferTest, DownloadsListEachOutcomeAndCloseOnlyWhenAllSucceeded) {
    TFileDownloadFrm form;
    const QString target = demo.home.file(u"下载/"_s);
    form.Init({{demo::GearboxFile, u"齿轮箱.dwg"_s, 0, false},
               {424242, u"不存在.doc"_s, 1, false},
               {demo::ManualFile, u"../../装配说明.docx"_s, 2, false}});
    EXPECT_TRUE(form.EdtPath->text().endsWith(u"work/设计部/设计图纸/机械/"_s))
        << form.EdtPath->text().toStdString();
    form.EdtPath->setText(target + u"/sub//"_s);
    form.show();
    ModalAnswerer answerer(QMessageBox::Yes);  // the folder is created
    bool done = false;
    QObject::connect(&form, &TFileDownloadFrm::downloadsFinished, [&done] { done = true; });
    form.BtDownloadClick();
    ASSERT_TRUE(waitUntil([&] { return done; }));
    const QStringList log = form.MmHint->toPlainText().split(u'\n');
    ASSERT_EQ(log.size(), 4) << form.MmHint->toPlainText().toStdString();
    EXPECT_EQ(log[0], target + u"sub/齿轮箱.dwg: 下载成功！"_s);
    EXPECT_TRUE(log[1].startsWith(target + u"sub/不存在.doc: "_s));
    EXPECT_EQ(log[2], target + u"sub/装配说明.docx: 下载成功！"_s) << "the name's last part only";
    EXPECT_EQ(log[3], u"全部任务完成！"_s);
    EXPECT_TRUE(form.isVisible()) << "an error keeps the dialog open";
    EXPECT_EQ(QFile(target + u"sub/齿轮箱.dwg"_s).size(),
              demo.files.content(demo::GearboxFile).size());

    form.Init({{demo::GearboxFile, u"齿轮箱.dwg"_s, 0, false}});
    form.EdtPath->setText(target);
    form.show();
    done = false;
    form.BtDownloadClick();
    ASSERT_TRUE(waitUntil([&] { return done; }));
    EXPECT_FALSE(form.isVisible()) << "all succeeded: the dialog closes";
}

TEST_P(TransferTest, ARefusedDeleteKeepsItsItem) {
    demo.inModel([](DocModel& m) { return m.file(demo::ManualFile)->lockedBy = demo::OtherUser; });
    for (const char16_t* name : {u"齿轮箱.dwg", u"装配说明.docx", u"x"})
        (new QTreeWidgetItem(&list))->setText(FC_Name, QString::fromUtf16(name));
    auto* form = new TFileDelFrm;
    form->Init({{demo::GearboxFile, u"齿轮箱.dwg"_s, 0, false},
                {demo::ManualFile, u"装配说明.docx"_s, 1, false}},
               demo::DesignGroup, &list);
    form->DeleteFiles();
    ASSERT_TRUE(settled(*form));
    const QStringList log = form->MmHint->toPlainText().split(u'\n');
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(u"装配说明.docx: "_s));
    EXPECT_NE(log[0], u"装配说明.docx: 删除成功"_s);
    EXPECT_EQ(log[1], u"齿轮箱.dwg: 删除成功"_s);
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(0)->text(FC_Name), u"装配说明.docx"_s);
    EXPECT_TRUE(demo.inModel([](DocModel& m) { return m.file(demo::GearboxFile) == nullptr; }));
    form->close();
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, TransferTest, ::testing::Values(false, true));

}  // namespace
}  // namespace ov::test
