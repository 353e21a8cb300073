// Older versions of a server file into a local folder: each version under its name, a local
// file of the same name kept under a time-stamped name (and left alone when that fails), and
// cancel between versions.

#include "control/oldversions/getoldverfrm.h"
#include "control/oldversions/oldversionsteps.h"
#include "versions/fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using ov::control::TGetOldVerFrm;

namespace ov::test {

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(9, 30, 5, 42));

class OldVersionsTest : public VersionsTest {
protected:
    OldVersionsTest() {
        std::lock_guard lock(model.mutex);
        File(demo::ManualFile).version = 3;
    }
    // The dialog for the manual with `versions`, its folder as proposed.
    std::unique_ptr<TGetOldVerFrm> Dialog(const QString& versions) {
        auto dialog = std::make_unique<TGetOldVerFrm>();
        dialog->Ui = user.Ui();
        dialog->Clock = [] { return kNow; };
        dialog->SetHintForm(log.get());
        dialog->Init(u"装配说明.docx"_s, versions, ini, demo::ManualFile);
        return dialog;
    }
    void Confirm(TGetOldVerFrm& dialog) {
        QSignalSpy done(&dialog, &TGetOldVerFrm::finished);
        dialog.btConfirm->click();
        ASSERT_TRUE(done.wait(20000));
    }
    QString folder = work + u"设计部/设计图纸/机械/"_s;  // owner and folders by name
};

TEST_P(OldVersionsTest, FetchesEachVersionAndKeepsTheLocalFile) {
    files.setContent(demo::ManualFile, "manual v3");
    WriteFile(folder + u"装配说明.docx"_s, "my edits");
    auto dialog = Dialog(u"2, -1"_s);
    EXPECT_EQ(dialog->VersionIds(), (QVector<std::int32_t>{2, -1}));
    EXPECT_EQ(dialog->Edit1->text(), folder);  // the server path (owner first) below the root
    dialog->Edit1->setText(folder.chopped(1));  // typed without the closing separator
    Confirm(*dialog);

    EXPECT_EQ(dialog->Succeed(), 1);
    EXPECT_EQ(LogRows(), (QStringList{folder + u"装配说明_2.docx|Successfully obtained"_s,
                                      folder + u"装配说明.docx|Successfully obtained"_s}));
    EXPECT_FALSE(ReadAll(folder + u"装配说明_2.docx"_s).isEmpty());
    EXPECT_NE(ReadAll(folder + u"装配说明_2.docx"_s), QByteArray("manual v3"));
    EXPECT_EQ(ReadAll(folder + u"装配说明.docx"_s), QByteArray("manual v3"));
    EXPECT_EQ(ReadAll(folder + u"装配说明_26121109300542.docx"_s), QByteArray("my edits"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
}

TEST_P(OldVersionsTest, LeavesTheLocalFileAloneWhenItCannotBeKept) {
    WriteFile(folder + u"装配说明.docx"_s, "my edits");
    WriteFile(folder + u"装配说明_26121109300542.docx"_s, "an earlier keep");  // the stamp's name
    auto dialog = Dialog(u"-1,2"_s);
    NextTransfer refused;
    refused.status = RC_NoPower;  // the server refuses version 2
    files.setNext(refused);
    Confirm(*dialog);

    EXPECT_EQ(dialog->Succeed(), 0);
    EXPECT_EQ(ReadAll(folder + u"装配说明.docx"_s), QByteArray("my edits"));
    EXPECT_EQ(ReadAll(folder + u"装配说明_26121109300542.docx"_s), QByteArray("an earlier keep"));
    const QStringList rows = LogRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith(folder + u"装配说明.docx|Cannot rename"_s)) << rows[0].toStdString();
    // The server's refusal is logged and kept for the page.
    EXPECT_TRUE(rows[1].startsWith(folder + u"装配说明_2.docx|"_s)) << rows[1].toStdString();
    EXPECT_FALSE(dialog->UkErrorStr().isEmpty());
    EXPECT_TRUE(rows[1].endsWith(dialog->UkErrorStr()));
    EXPECT_FALSE(QFileInfo::exists(folder + u"装配说明_2.docx"_s));
}

TEST_P(OldVersionsTest, CancelStopsTheVersionsStillToCome) {
    auto dialog = Dialog(u"1,2,-1"_s);
    // The first row is written before the next version starts: cancel right then.
    QObject::connect(log->ListView1->model(), &QAbstractItemModel::rowsInserted,
                     dialog.get(), [&dialog] { dialog->btCancel->click(); });
    Confirm(*dialog);
    EXPECT_EQ(LogRows(), (QStringList{folder + u"装配说明_1.docx|Successfully obtained"_s,
                                      folder + u"装配说明_2.docx|Task canceled"_s,
                                      folder + u"装配说明.docx|Task canceled"_s}));
    EXPECT_EQ(dialog->Succeed(), 1);
    EXPECT_FALSE(QFileInfo::exists(folder + u"装配说明_2.docx"_s));
}

TEST(OldVersionNames, TargetsAndStamps) {
    using namespace ov::control;
    EXPECT_EQ(ParseVersionIds(u"3,x,-1,"_s), (QVector<std::int32_t>{3, 0, -1}));
    const struct {
        QString name;
        int id;
        QString path, extra;
    } cases[] = {
        {u"report.docx"_s, 3, u"/w/report_3.docx"_s,
         u"[VersionId]3[/VersionId][IsReplace]True[/IsReplace]"_s},
        {u"report.docx"_s, -1, u"/w/report.docx"_s,
         u"[VersionId]-1[/VersionId][IsReplace]True[/IsReplace]"_s},
        {u"Makefile"_s, 0, u"/w/Makefile_0"_s,
         u"[VersionId]0[/VersionId][IsReplace]True[/IsReplace]"_s},
        {u"../../etc/passwd"_s, 2, u"/w/passwd_2"_s,  // the base name only
         u"[VersionId]2[/VersionId][IsReplace]True[/IsReplace]"_s},
    };
    for (const auto& c : cases) {
        const TOldVersionTarget t = OldVersionTarget(u"/w/"_s, c.name, c.id);
        EXPECT_EQ(t.Path, c.path);
        EXPECT_EQ(t.Extra, c.extra);
    }
    EXPECT_EQ(StampedName(u"/w/a.b/report.docx"_s, kNow), u"/w/a.b/report_26121109300542.docx"_s);
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, OldVersionsTest, ::testing::Bool());

}  // namespace

}  // namespace ov::test
