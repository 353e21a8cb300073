// The clipboard upload: the file list read from either format a file manager offers, the
// clipboard left alone when it held no file list, and each file's status against the test
// server (only "can upload" counts as uploaded; an empty file is refused before any request).
#include "documents/uploads/clipboardfiles.h"
#include "documents/uploads/uploaddragfilesfrm.h"
#include "versions/fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace ov::test {

TEST(ClipboardFiles, LocalFilesFromEitherFormat) {
    QMimeData uris;
    uris.setData(u"text/uri-list"_s,
                 "# comment\r\nfile:///tmp/a%20b.txt\r\nhttp://example.org/x\r\nfile:///tmp/c.pdf\r\n");
    EXPECT_EQ(ClipboardFilesOf(&uris), (QStringList{u"/tmp/a b.txt"_s, u"/tmp/c.pdf"_s}));
    QMimeData gnome;
    gnome.setData(u"x-special/gnome-copied-files"_s, "copy\nfile:///tmp/%E6%96%87.txt");
    EXPECT_EQ(ClipboardFilesOf(&gnome), QStringList{u"/tmp/文.txt"_s});
    QMimeData text;
    text.setText(u"file:///tmp/not-a-list.txt"_s);
    EXPECT_TRUE(ClipboardFilesOf(&text).isEmpty());
    EXPECT_TRUE(ClipboardFilesOf(nullptr).isEmpty());
}

class ClipUploadTest : public VersionsTest {
protected:
    ClipUploadTest() {
        form.Ui = user.Ui();
        form.SetDestOwnerId(demo::DemoUser);
        form.SetDestFolderId(demo::MyDocsFolder);
    }

    void PutFiles(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        data->setUrls(urls);
        QApplication::clipboard()->setMimeData(data);
    }

    QString Local(const QString& name, const QByteArray& bytes) {
        const QString path = home.file(u"copied/"_s + name);
        WriteFile(path, bytes);
        return path;
    }

    bool Run() {
        QSignalSpy done(&form, &TUploadDragFilesFrm::finished);
        form.Uplad();
        return done.wait(30000);
    }

    QStringList Lines() const { return form.Memo1->toPlainText().split(u'\n'); }

    int FilesInFolder() {
        std::lock_guard lock(model.mutex);
        return int(model.folderFiles(demo::MyDocsFolder).size());
    }

    TUploadDragFilesFrm form;
};

TEST_P(ClipUploadTest, FileListIsUploadedOneByOneAndTheClipboardCleared) {
    const int before = FilesInFolder();
    const QString empty = Local(u"empty.txt"_s, {});
    const QString one = Local(u"one.txt"_s, "1");
    const QString two = Local(u"两.txt"_s, QByteArray(5000, 'x'));
    PutFiles({empty, one, two});
    ASSERT_TRUE(Run());
    EXPECT_EQ(Lines(), (QStringList{empty + u"  --  Upload failed error: The size of uploaded "
                                            u"file cannot be 0 !"_s,
                                    one, two}));
    EXPECT_EQ(form.lbT->text(), u"There are 3 files, has completed 3, Upload Failed number: 1"_s);
    EXPECT_EQ(FilesInFolder(), before + 2);
    // The server records a transfer once its connection has ended, after the client's answer.
    (void)QTest::qWaitFor([&] { return files.transfers().size() >= 2; }, 5000);
    EXPECT_EQ(files.transfers().size(), 2u) << "no request for the empty file";
    const QMimeData* left = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(!left || !left->hasUrls());
    EXPECT_TRUE(form.lbCurrent->text().endsWith(two + u"(5 K)"_s));
}

TEST_P(ClipUploadTest, OnlyCanUploadCountsAsUploaded) {
    const struct {
        std::optional<qint32> status;
        bool uploaded;
    } cases[] = {{std::nullopt, true}, {4, false}, {13, false}, {9, false}, {55, false}};
    for (const auto& c : cases) {
        form.Memo1->clear();
        if (c.status) {
            NextTransfer next;
            next.status = c.status;
            files.setNext(next);
        }
        const QString path = Local(u"status.txt"_s, "status");
        PutFiles({path});
        ASSERT_TRUE(Run());
        const QString line = Lines().value(0);
        EXPECT_EQ(line == path, c.uploaded) << line.toStdString();
        EXPECT_EQ(form.lbT->text().contains(u"Upload Failed number: 1"_s), !c.uploaded);
    }
}

TEST_P(ClipUploadTest, TextOrNothingOnTheClipboardIsLeftAlone) {
    QApplication::clipboard()->setText(u"copied words"_s);
    form.Uplad();
    EXPECT_EQ(QApplication::clipboard()->text(), u"copied words"_s);
    QApplication::clipboard()->clear();
    form.Uplad();
    const QString noFile = u"Copy files in the windows explorer, then paste them in this window "
                           u"for being uploaded automatically "_s;
    EXPECT_EQ(user.told, (QStringList{noFile, noFile}));
    EXPECT_FALSE(form.IsRunning());
    EXPECT_TRUE(files.transfers().empty());
}

INSTANTIATE_TEST_SUITE_P(Server, ClipUploadTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
