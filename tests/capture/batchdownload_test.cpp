// The batch download against the test server: names reduced to bare file names, keys without
// a usable name logged as failures, mixed results with the keys of the files that arrived, the
// single file or the folder opened, and cancel in the middle of a file that leaves the old local
// copy as it was and requests nothing more.
#include "documents/batchdownload/batchdownloadfrm.h"
#include "versions/fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov::test {

TEST(BatchEntries, NamesBecomeBareFileNamesAndMissingNamesAreRefused) {
    const auto entries =
        BatchEntries({u"12"_s, u"x"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s},
                     {u"docs/2024/report.pdf"_s, u"a.txt"_s, u"..\\..\\boot.ini"_s, u".."_s,
                      u"dir/"_s});
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].Key, 12);
    EXPECT_EQ(entries[0].Name, u"report.pdf"_s);
    EXPECT_EQ(entries[1].Key, 0) << "a key that is no number is key 0";
    EXPECT_EQ(entries[1].Name, u"a.txt"_s);
    EXPECT_EQ(entries[2].Name, u"boot.ini"_s);
    EXPECT_EQ(entries[3].Name, QString());
    EXPECT_EQ(entries[4].Name, QString());
    EXPECT_EQ(entries[5].Name, QString()) << "more keys than names";
    EXPECT_EQ(entries[5].Shown, QString());
}

class BatchDownloadTest : public VersionsTest {
protected:
    BatchDownloadTest() {
        files.setContent(demo::ReportFile, "report bytes");
        files.setContent(demo::ManualFile, "manual bytes");
        QDir().mkpath(target);
    }

    // A dialog on the keys and names, downloading into `target`.
    TBatchDownloadFrm* Dialog(const QStringList& keys, const QStringList& names) {
        auto* dialog = new TBatchDownloadFrm;
        dialog->Ui = user.Ui();
        dialog->SetHintForm(log.get());
        dialog->Init(keys, names);
        dialog->Edit1->setText(target + u"\\"_s);
        return dialog;
    }

    // Starts the download and waits until the run is over and the dialog gone.
    bool Run(TBatchDownloadFrm* dialog) {
        QPointer<TBatchDownloadFrm> alive(dialog);
        QSignalSpy done(dialog, &TBatchDownloadFrm::finished);
        QString keys;
        QObject::connect(dialog, &TBatchDownloadFrm::finished, [&] { keys = dialog->FileKey(); });
        dialog->btConfirm->click();
        if (done.isEmpty() && !done.wait(30000)) return false;
        fileKeys = keys;
        return QTest::qWaitFor([&] { return alive.isNull(); }, 5000);
    }

    QString target = home.file(u"downloads"_s);
    QString fileKeys;
};

TEST_P(BatchDownloadTest, MixedResultsCollectTheKeysThatArrived) {
    auto* dialog = Dialog({u"2001"_s, u"1002"_s, u"987654"_s, u"1001"_s, u"1901"_s},
                          {u"docs/2024/report.txt"_s, u"..\\..\\manual.txt"_s, u"missing.txt"_s,
                           u".."_s});
    ASSERT_TRUE(Run(dialog));
    EXPECT_EQ(fileKeys, u"2001,1002,"_s);
    EXPECT_EQ(ReadAll(target + u"/report.txt"_s), "report bytes");
    EXPECT_EQ(ReadAll(target + u"/manual.txt"_s), "manual bytes");
    EXPECT_FALSE(QFile::exists(home.file(u"manual.txt"_s)));
    const QStringList rows = LogRows();
    ASSERT_EQ(rows.size(), 5) << rows.join(u'\n').toStdString();
    EXPECT_EQ(rows[0], target + u"/report.txt|Successfully downloaded"_s);
    EXPECT_TRUE(rows[2].startsWith(target + u"/missing.txt|"_s));
    EXPECT_NE(rows[2], target + u"/missing.txt|"_s) << "the server's error text is logged";
    EXPECT_EQ(rows[3], u"..|Invalid file name, not downloaded"_s);
    EXPECT_EQ(rows[4], u"1901|Invalid file name, not downloaded"_s);
    EXPECT_EQ(user.opened, QStringList{target + u"/"_s}) << "several files open the folder";
    EXPECT_GE(log->shown, 1) << "failures bring the log window forward";
}

TEST_P(BatchDownloadTest, OneFileOpensItselfUnlessItIsAProgramOrLauncher) {
    const struct {
        QString name;
        bool opensFile;
    } cases[] = {{u"a.txt"_s, true}, {u"setup.exe"_s, false}, {u"start.desktop"_s, false},
                 {u"run.sh"_s, false}};
    for (const auto& c : cases) {
        user.opened.clear();
        ASSERT_TRUE(Run(Dialog({u"2001"_s}, {c.name})));
        const QString file = target + u"/"_s + c.name;
        EXPECT_EQ(user.opened, QStringList{c.opensFile ? file : target + u"/"_s})
            << c.name.toStdString();
    }
}

TEST_P(BatchDownloadTest, CancelInTheMiddleOfAFileKeepsTheOldCopyAndStopsTheList) {
    files.setContent(demo::ManualFile, QByteArray(4 << 20, 'n'));
    WriteFile(target + u"/manual.txt"_s, "old local copy");
    auto* dialog = Dialog({u"2001"_s, u"1002"_s, u"1001"_s},
                          {u"report.txt"_s, u"manual.txt"_s, u"gearbox.txt"_s});
    dialog->Access.ReadTimeoutMs = 1500;
    // The second file stalls after two chunks; the user cancels once it is under way.
    QObject::connect(log->ListView1->model(), &QAbstractItemModel::rowsInserted, [this] {
        NextTransfer next;
        next.fault = {FileFault::Kind::Stall, 0x10000};
        files.setNext(next);
    });
    QObject::connect(dialog->ProgressBar2, &QProgressBar::valueChanged, dialog, [dialog] {
        if (dialog->Label8->text().contains(u"manual.txt"_s)) dialog->btCancel->click();
    });
    ASSERT_TRUE(Run(dialog));
    EXPECT_EQ(fileKeys, u"2001,"_s);
    EXPECT_EQ(ReadAll(target + u"/manual.txt"_s), "old local copy");
    EXPECT_FALSE(QFile::exists(target + u"/gearbox.txt"_s));
    EXPECT_EQ(LogRows().size(), 1) << "the cancelled file is not reported";
    for (const auto& t : files.transfers())
        EXPECT_FALSE(t.params.contains(u"[FileKey]1001[/FileKey]"_s)) << "nothing after cancel";
}

TEST_P(BatchDownloadTest, NoFilesOrNoFolderKeepTheDialogOpen) {
    auto* dialog = Dialog({}, {});
    EXPECT_EQ(dialog->Label7->text(),
              u"There are 0 files needed to download.  of them have been downloaded."_s);
    dialog->btConfirm->click();
    EXPECT_FALSE(dialog->IsRunning());
    dialog->Edit1->clear();
    dialog->btConfirm->click();
    EXPECT_EQ(user.told, QStringList{u"Please select the download path!"_s});
    delete dialog;
}

INSTANTIATE_TEST_SUITE_P(Server, BatchDownloadTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
