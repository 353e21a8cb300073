// The comparison window against the test server: the rows of both sides with their states and
// colours, the views, navigation, and the menu's check-out and cancel with the log in the window.

#include "documents/versions/records.h"
#include "documents/versions/showdifffrm.h"
#include "documents/versions/versioncontrolfrm.h"
#include "fixture.h"
#include "platform/widgets/fonts.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class ShowDiffTest : public VersionsTest {
protected:
    ShowDiffTest() {
        local = home.file(u"compare/"_s);
        const TDateTime second = 1.0 / 86400;
        // Same (1.5 seconds apart), local newer, local only, local folder; the manual only on
        // the server.
        WriteFile(local + u"齿轮箱.dwg"_s, "g");
        SetFileModifyTime(local + u"齿轮箱.dwg"_s, File(demo::GearboxFile).modified + 1.5 * second);
        WriteFile(local + u"notes.txt"_s, "n");
        QDir().mkpath(local + u"drafts"_s);
        model.addFile(1003, demo::MechanicsFolder, u"Spec.PDF"_s, 10, 46000.5);
        WriteFile(local + u"spec.pdf"_s, "s");
        SetFileModifyTime(local + u"spec.pdf"_s, 46000.5 + 30 * second);
        model.addFile(1004, demo::MechanicsFolder, u"old.txt"_s, 10, 46003.5);
        WriteFile(local + u"old.txt"_s, "o");
        SetFileModifyTime(local + u"old.txt"_s, 46001.5);
    }

    std::unique_ptr<TShowDiffFrm> Open(std::int64_t folder = demo::MechanicsFolder,
                                       const QString& localFolder = QString()) {
        auto form = std::make_unique<TShowDiffFrm>();
        form->setAttribute(Qt::WA_DeleteOnClose, false);
        form->Ui = user.Ui();
        QSignalSpy ready(form.get(), &TShowDiffFrm::ready);
        form->Init(demo::DesignGroup, folder, ini);
        EXPECT_TRUE(ready.wait(20000));
        form->EdtLocalPath->setText(localFolder.isEmpty() ? local : localFolder);
        QSignalSpy refreshed(form.get(), &TShowDiffFrm::refreshed);
        form->BtShowDiff->click();
        EXPECT_TRUE(refreshed.wait(20000));
        return form;
    }

    // Each row as "server|local|state".
    static QStringList Rows(const TShowDiffFrm& form) {
        QStringList rows;
        for (int i = 0; i < form.LVServerFiles->topLevelItemCount(); ++i)
            rows.append(form.LVServerFiles->topLevelItem(i)->text(0) + u'|' +
                        form.LVLocalFiles->topLevelItem(i)->text(0) + u'|' +
                        QString::number(int(form.Rows()[i].State)));
        return rows;
    }

    QString local;
};

}  // namespace

TEST_P(ShowDiffTest, RowsStatesAndColoursAgreeWithTheLegend) {
    const auto form = Open();
    EXPECT_EQ(Rows(*form), (QStringList{u"|drafts|2"_s, u"|notes.txt|2"_s, u"old.txt|old.txt|3"_s,
                                        u"Spec.PDF|spec.pdf|4"_s, u"装配说明.docx||1"_s,
                                        u"齿轮箱.dwg|齿轮箱.dwg|0"_s}));
    const auto colour = [&](int row) {
        return form->LVServerFiles->topLevelItem(row)->foreground(0).color();
    };
    EXPECT_EQ(colour(2), QColor(0, 0, 255));
    EXPECT_EQ(form->LVLocalFiles->topLevelItem(1)->foreground(0).color(), QColor(0, 128, 0));
    EXPECT_EQ(colour(4), QColor(255, 0, 0));
    EXPECT_EQ(colour(5), QColor(0, 0, 0));
    EXPECT_FALSE(form->LVServerFiles->topLevelItem(5)->font(0).bold());
    // The legend's colours are the rows' colours.
    EXPECT_EQ(colour(3), form->Label6->palette().color(QPalette::WindowText));
    EXPECT_EQ(colour(2), form->Label8->palette().color(QPalette::WindowText));

    // A look by eye: OV_SHOT_DIR=<folder> saves the window in English and in Chinese.
    if (const QByteArray dir = qgetenv("OV_SHOT_DIR"); !dir.isEmpty() && !GetParam()) {
        platform::installFontSubstitutions();
        const auto shoot = [&](TShowDiffFrm& shown, const QString& name) {
            shown.LVServerFiles->topLevelItem(5)->setSelected(true);
            shown.MemoHint->appendPlainText(local + u"notes.txt: Upload successful"_s);
            shown.show();
            QTest::qWait(200);
            shown.grab().save(QString::fromLocal8Bit(dir) + u'/' + name);
        };
        shoot(*form, u"showdiff-en.png"_s);
        auto config = GlobalConfig();
        config->SetSysLanguage(HSL_CN);
        config->Save();
        RenewGlobalConfig();
        shoot(*Open(), u"showdiff-cn.png"_s);
    }

    // Only the differences: the same row goes, one-sided rows keep their blank partners.
    form->N7->trigger();
    EXPECT_EQ(Rows(*form).size(), 5);
    EXPECT_FALSE(form->N7->isEnabled());
    form->N8->trigger();
    EXPECT_EQ(Rows(*form).size(), 6);
}

TEST_P(ShowDiffTest, MenuChecksOutAndCancelsWithTheLogInTheWindow) {
    const auto form = Open();
    form->LVServerFiles->topLevelItem(5)->setSelected(true);         // 齿轮箱.dwg
    EXPECT_TRUE(form->LVLocalFiles->topLevelItem(5)->isSelected());  // selection follows
    form->N5->trigger();  // nobody has it checked out: nothing to cancel
    EXPECT_EQ(user.told, QStringList{u"You did not select any file"_s});

    files.setContent(demo::GearboxFile, "server copy");
    QSignalSpy refreshed(form.get(), &TShowDiffFrm::refreshed);
    form->N3->trigger();
    auto* dialog = form->findChild<TVersionControlFrm*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Edit1->text(), local);
    QTRY_VERIFY(dialog->btOk->isEnabled());
    dialog->CheckBox1->setChecked(false);
    dialog->btOk->click();
    ASSERT_TRUE(refreshed.wait(20000));
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, demo::DemoUser);
    EXPECT_TRUE(
        form->MemoHint->toPlainText().contains(local + u"齿轮箱.dwg: Successfully checked out"_s));
    EXPECT_EQ(form->LVServerFiles->topLevelItem(5)->text(1), u"演示用户"_s);

    form->LVServerFiles->topLevelItem(5)->setSelected(true);
    form->N5->trigger();
    ASSERT_TRUE(refreshed.wait(20000));
    EXPECT_EQ(File(demo::GearboxFile).lockedBy, 0);
    EXPECT_TRUE(form->MemoHint->toPlainText().contains(u"齿轮箱.dwg: Checkout cancelled"_s));
    EXPECT_EQ(log->RowCount(), 0);  // nothing went to the log window
}

TEST_P(ShowDiffTest, FoldersOpenAndDotDotLeadsBack) {
    const QString empty = home.file(u"empty/"_s);
    QDir().mkpath(empty);
    const auto form = Open(demo::DrawingsFolder, empty);
    ASSERT_GE(Rows(*form).size(), 2);
    EXPECT_EQ(Rows(*form).first(), u"机械||1"_s);
    QSignalSpy refreshed(form.get(), &TShowDiffFrm::refreshed);
    emit form->LVServerFiles->itemDoubleClicked(form->LVServerFiles->topLevelItem(0), 0);
    ASSERT_TRUE(refreshed.wait(20000));
    EXPECT_EQ(form->Label2->text(), u"设计部\\设计图纸\\机械"_s);
    EXPECT_EQ(Rows(*form).first(), u"..|..|0"_s);
    emit form->LVServerFiles->itemDoubleClicked(form->LVServerFiles->topLevelItem(0), 0);
    ASSERT_TRUE(refreshed.wait(20000));
    EXPECT_EQ(form->Label2->text(), u"设计部\\设计图纸"_s);
    EXPECT_NE(Rows(*form).first(), u"..|..|0"_s);
}

INSTANTIATE_TEST_SUITE_P(Versions, ShowDiffTest, ::testing::Bool(), TlsName);

}  // namespace ov::test
