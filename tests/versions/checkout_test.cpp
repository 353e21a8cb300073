// Check-out, check-in and cancel against the test server: the round trip of an edited file, the
// server's refusals and their texts, and a local file that survives a broken download.

#include "documents/versions/records.h"
#include "documents/versions/versioncontrolfrm.h"
#include "fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const QString Gearbox = QStringLiteral("齿轮箱.dwg");
const QString GearboxKey = QString::number(demo::GearboxFile);

class CheckoutTest : public VersionsTest {
protected:
    TVersionControlFrm* NewDialog(const QStringList& keys, const QStringList& names) {
        auto* dialog = new TVersionControlFrm;
        dialog->Ui = user.Ui();
        dialog->SetHintForm(log.get());
        QSignalSpy ready(dialog, &TVersionControlFrm::ready);
        dialog->Init(keys, names, ini);
        EXPECT_TRUE(ready.wait(20000));
        return dialog;
    }

    // Runs the check-out of the files into `folder`; the dialog's result.
    int Checkout(const QStringList& keys, const QStringList& names, const QString& folder,
                 bool keepLocal = false) {
        QPointer<TVersionControlFrm> dialog = NewDialog(keys, names);
        dialog->Edit1->setText(folder);
        dialog->CheckBox1->setChecked(false);
        dialog->RadioButton2->setChecked(keepLocal);
        QSignalSpy finished(dialog.data(), &TVersionControlFrm::finished);
        dialog->btOk->click();
        if (finished.isEmpty() && !finished.wait(20000)) return -1;
        QTest::qWait(0);
        for (int i = 0; i < 100 && !dialog.isNull(); ++i)
            QTest::qWait(10);
        EXPECT_TRUE(dialog.isNull());  // it frees itself
        return finished.first().first().toInt();
    }

    template <typename Run>
    int RunOn(const QStringList& keys, const QStringList& names, Run run) {
        TVersionControlFrm* dialog = NewDialog(keys, names);
        QSignalSpy finished(dialog, &TVersionControlFrm::finished);
        run(*dialog);
        if (finished.isEmpty() && !finished.wait(20000)) return -1;
        return finished.first().first().toInt();
    }
    int Checkin(const QString& key = GearboxKey) {
        return RunOn({key}, {Gearbox}, [](TVersionControlFrm& d) { d.BathCheckin(); });
    }
    int Cancel(const QString& key = GearboxKey) {
        return RunOn({key}, {Gearbox}, [](TVersionControlFrm& d) { d.CancelCheckout(); });
    }
};

}  // namespace

TEST_P(CheckoutTest, CheckOutEditCheckInMakesANewVersionOfTheEditedBytes) {
    files.setContent(demo::GearboxFile, QByteArray(100000, 'a'));
    const QString local = work + Gearbox;
    ASSERT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 1);
    EXPECT_EQ(ReadAll(local), QByteArray(100000, 'a'));
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, demo::DemoUser);
    EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), local);
    EXPECT_EQ(LogRows(), QStringList{local + u"|Successfully checked out"_s});
    EXPECT_GT(log->shown, 0);  // the log window came to the front for the run

    const QByteArray edited = "edited on this computer\n" + QByteArray(70000, 'b');
    WriteFile(local, edited);
    ASSERT_EQ(Checkin(), 1);
    EXPECT_EQ(files.content(demo::GearboxFile), edited);
    EXPECT_EQ(File(demo::GearboxFile).version, 2);
    EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), QString());
    EXPECT_EQ(LogRows().last(), local + u"|Successfully checked in"_s);
}

TEST_P(CheckoutTest, ALockOfAnotherUserIsLeftToItsOwner) {
    File(demo::GearboxFile).lockedBy = demo::OtherUser;
    EXPECT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 0);
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, demo::OtherUser);
    EXPECT_EQ(LogRows(), QStringList{Gearbox + u"|The file has been locked."_s});
    EXPECT_FALSE(QFile::exists(work + Gearbox));
}

TEST_P(CheckoutTest, CheckInAnswersGiveTheirTexts) {
    // The server's answers as its model plays them: an unchanged file, a copy older than the
    // server's, an edit audit; each check-in ends the check-out record.
    files.setContent(demo::GearboxFile, "server copy");
    const QString local = work + Gearbox;
    const TDateTime minute = 1.0 / 1440;
    const struct {
        const char* what;
        std::function<void()> play;
        QString text;
        int result;
        int version;
    } cases[] = {
        {"unchanged", [] {}, u"There is no change in content."_s, 0, 1},
        {"older than the server's",
         [&] {
             WriteFile(local, "older edit");
             SetFileModifyTime(local, File(demo::GearboxFile).modified - minute);
         },
         u"This is old vision."_s, 0, 1},
        {"whose edits need audit",
         [&] {
             WriteFile(local, "audited edit");
             File(demo::GearboxFile).editNeedsAudit = true;
         },
         u"An application has been submitted because audit approval is required to edit the "
         u"file."_s,
         1, 1},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 1) << c.what;
        c.play();
        EXPECT_EQ(Checkin(), c.result) << c.what;
        EXPECT_EQ(LogRows().last(), local + u'|' + c.text) << c.what;
        EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), QString()) << c.what;
        EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0) << c.what;
        EXPECT_EQ(File(demo::GearboxFile).version, c.version) << c.what;
        EXPECT_EQ(files.content(demo::GearboxFile), QByteArray("server copy")) << c.what;
    }
    // The edit sent to audit put the file in audit. No record: the audit text against the name.
    EXPECT_TRUE(File(demo::GearboxFile).inWriteAudit);
    EXPECT_EQ(Checkin(), 0);
    EXPECT_EQ(LogRows().last(), Gearbox + u"|The file is in the process of Edit audit."_s);
    File(demo::GearboxFile).inWriteAudit = false;
    EXPECT_EQ(Checkin(), 0);
    EXPECT_EQ(LogRows().last(), Gearbox + u"|Failed to check in due to a missing local file"_s);
}

TEST_P(CheckoutTest, ACheckInNeedsTheCheckOutOfThisUser) {
    const QString local = work + Gearbox;
    WriteFile(local, "mine");
    ASSERT_TRUE(WriteCheckoutPath(ini, demo::GearboxFile, local));
    File(demo::GearboxFile).lockedBy = demo::OtherUser;
    EXPECT_EQ(Checkin(), 0);
    EXPECT_EQ(LogRows().last(), local + u"|The file has been locked."_s);
    EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), local);  // the record stays
    File(demo::GearboxFile).lockedBy = 0;
    EXPECT_EQ(Checkin(), 0);
    EXPECT_EQ(LogRows().last(), local + u"|The file has not been checked out."_s);
    EXPECT_EQ(File(demo::GearboxFile).version, 1);
}

TEST_P(CheckoutTest, CancelReleasesTheLockAndForgetsTheRecord) {
    ASSERT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 1);
    ASSERT_EQ(Cancel(), 1);
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0);
    EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), QString());
    EXPECT_EQ(LogRows().last(), Gearbox + u"|Checkout cancelled"_s);
    EXPECT_EQ(Cancel(), 0);  // nothing checked out any more
    EXPECT_EQ(LogRows().last(), Gearbox + u"|The file has not been checked out."_s);
}

TEST_P(CheckoutTest, ABrokenDownloadLeavesTheLocalFileAsItWas) {
    files.setContent(demo::GearboxFile, QByteArray(300000, 's'));
    const QString local = work + Gearbox;
    WriteFile(local, "my own work");
    SetFileModifyTime(local, File(demo::GearboxFile).modified - 1);
    NextTransfer next;
    next.fault = {FileFault::Kind::Cut, 100000};
    files.setNext(next);
    EXPECT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 0);
    EXPECT_EQ(ReadAll(local), QByteArray("my own work"));
    EXPECT_EQ(QDir(work).entryList(QDir::Files), QStringList{Gearbox});  // no backup left over
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0);
    EXPECT_EQ(ReadCheckoutPath(ini, demo::GearboxFile), QString());
}

TEST_P(CheckoutTest, NewerLocalFileIsKeptUnlessTheUserAgrees) {
    const QString local = work + Gearbox;
    WriteFile(local, "newer here");
    SetFileModifyTime(local, File(demo::GearboxFile).modified + 10.0 / 86400);
    user.answer = false;  // keep it: the check-out goes on without a download
    EXPECT_EQ(Checkout({GearboxKey}, {Gearbox}, work), 1);
    EXPECT_EQ(user.asked.size(), 1);
    EXPECT_EQ(ReadAll(local), QByteArray("newer here"));
    // Keeping local changes asks nothing and downloads nothing.
    user.asked.clear();
    EXPECT_EQ(Checkout({GearboxKey}, {Gearbox}, work, /*keepLocal=*/true), 1);
    EXPECT_TRUE(user.asked.isEmpty());
    EXPECT_EQ(ReadAll(local), QByteArray("newer here"));
}

TEST_P(CheckoutTest, NamesThatClimbOutAndEmptyFoldersWriteNothing) {
    const QString outside = home.file(u"evil.dwg"_s);
    EXPECT_EQ(Checkout({GearboxKey}, {u"../evil.dwg"_s}, work), 0);
    EXPECT_FALSE(QFile::exists(outside));
    EXPECT_EQ(LogRows(), QStringList{u"../evil.dwg|Invalid file name"_s});
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0);
    // Sub-folders of a name are kept.
    EXPECT_EQ(Checkout({GearboxKey}, {u"sub/g.dwg"_s}, work), 1);
    EXPECT_TRUE(QFile::exists(work + u"sub/g.dwg"_s));
    // An empty target is refused and the dialog stays.
    File(demo::GearboxFile).lockedBy = 0;
    QPointer<TVersionControlFrm> dialog = NewDialog({GearboxKey}, {Gearbox});
    dialog->Edit1->setText(u"  "_s);
    dialog->btOk->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(user.told, QStringList{u"Select the checkout directory"_s});
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0);
    delete dialog.data();
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckoutTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
