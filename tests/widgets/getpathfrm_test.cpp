#include "core/widgets/getpathfrm.h"

#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

using namespace ov;

namespace {

class GetPathTest : public ::testing::Test {
protected:
    GetPathTest() {
        folder = home.file(QStringLiteral("work/项目"));
        QDir().mkpath(folder);
    }
    QString treePath(const TGetPathFrm& frm) const {
        const auto* model = static_cast<const QFileSystemModel*>(frm.ShellTreeView1->model());
        return model->filePath(frm.ShellTreeView1->currentIndex());
    }

    ov::test::TempHome home;
    QString folder;
};

}  // namespace

TEST_F(GetPathTest, TextsAndLayoutInBothLanguages) {
    TGetPathFrm design;
    design.LanguageInit(HSL_NONE);
    EXPECT_EQ(design.windowTitle(), QStringLiteral("路径选择"));
    EXPECT_EQ(design.size(), QSize(447, 401));
    EXPECT_EQ(design.ShellTreeView1->geometry(), QRect(16, 42, 409, 316));
    EXPECT_EQ(design.BitBtn1->geometry(), QRect(125, 368, 80, 25));
    EXPECT_FALSE(design.BitBtn1->isEnabled());

    struct Case {
        THS_Language language;
        const char16_t *title, *label, *ok, *cancel;
        int editX, editWidth;
    };
    const Case cases[] = {
        {HSL_CN, u"文件夹选择", u"选择文件夹：", u"确定", u"取消", 94, 331},
        {HSL_ENG, u"Select folder", u"Select folder:", u"Ok", u"Cancel", 99, 326}};
    for (const Case& c : cases) {
        TGetPathFrm frm;
        frm.LanguageInit(c.language);
        EXPECT_EQ(frm.windowTitle(), QString::fromUtf16(c.title));
        EXPECT_EQ(frm.Label1->text(), QString::fromUtf16(c.label));
        EXPECT_EQ(frm.BitBtn1->text(), QString::fromUtf16(c.ok));
        EXPECT_EQ(frm.BitBtn2->text(), QString::fromUtf16(c.cancel));
        EXPECT_EQ(frm.edtSelectedPath->x(), c.editX);
        EXPECT_EQ(frm.edtSelectedPath->width(), c.editWidth);
    }
}

TEST_F(GetPathTest, PresetExistingFolderMovesTheTreeAndSurvivesTheCloseBox) {
    TGetPathFrm frm;
    frm.SetSelectedPath(folder);
    EXPECT_EQ(treePath(frm), folder);
    EXPECT_EQ(frm.edtSelectedPath->text(), folder);
    EXPECT_EQ(frm.edtSelectedPath->toolTip(), folder);
    EXPECT_TRUE(frm.BitBtn1->isEnabled());
    frm.show();
    frm.close();  // the close box
    EXPECT_EQ(frm.SelectedPath(), folder);
}

TEST_F(GetPathTest, PresetMissingFolderIsShownButNotReturned) {
    const QString missing = home.file(QStringLiteral("gone"));
    TGetPathFrm other;
    other.SetSelectedPath(missing);
    EXPECT_EQ(other.edtSelectedPath->text(), missing);
    EXPECT_TRUE(treePath(other).isEmpty());  // the tree stays where it was
    EXPECT_FALSE(other.BitBtn1->isEnabled());
    other.show();
    other.close();
    EXPECT_TRUE(other.SelectedPath().isEmpty());
}

TEST_F(GetPathTest, OkReturnsTheTypedPathAndCancelReturnsNothing) {
    TGetPathFrm frm;
    frm.SetSelectedPath(folder);
    frm.edtSelectedPath->setText(QStringLiteral("/typed/not/there"));
    frm.BitBtn1->click();
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(frm.SelectedPath(), QStringLiteral("/typed/not/there"));

    TGetPathFrm cancelled;
    cancelled.SetSelectedPath(folder);
    cancelled.BitBtn2->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_TRUE(cancelled.SelectedPath().isEmpty());
}

TEST_F(GetPathTest, SelectingInTheTreeFillsTheEditBoxAndEnablesOk) {
    TGetPathFrm frm;
    const auto* model = static_cast<const QFileSystemModel*>(frm.ShellTreeView1->model());
    frm.ShellTreeView1->setCurrentIndex(model->index(home.path() + QStringLiteral("work")));
    EXPECT_EQ(frm.edtSelectedPath->text(), home.file(QStringLiteral("work")));
    EXPECT_TRUE(frm.BitBtn1->isEnabled());
    frm.BitBtn1->click();
    EXPECT_EQ(frm.SelectedPath(), home.file(QStringLiteral("work")));

    // Network shares are usable while the switch allows them.
    EXPECT_TRUE(IsNetworkPath(QStringLiteral("\\\\server\\share")));
    EXPECT_TRUE(IsNetworkPath(QStringLiteral("//server/share")));
    EXPECT_FALSE(IsNetworkPath(QStringLiteral("/srv/share")));
}
