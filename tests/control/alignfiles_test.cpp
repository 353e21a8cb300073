// The related-files dialog: entries are the names of "key=name" items, all unticked; only the
// ticked items stay in the list, whatever their place; its texts in both languages (pictures
// into OV_SHOTS_DIR when it is set).

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "control/members/selalignfiles.h"
#include "controlfixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

void tick(control::TFrmAlignFiles& form, int row) {
    form.lbxAlignFiles->item(row)->setCheckState(Qt::Checked);
}

TEST(AlignFiles, OnlyTheTickedItemsStay) {
    controlApp();
    const QStringList items{u"5=a.prt"_s, u"6=b.prt"_s, u"7=c=d.prt"_s};
    struct Case {
        const char* what;
        std::function<void(control::TFrmAlignFiles&)> act;
        QStringList kept;
    } cases[] = {
        {"none", [](auto&) {}, {}},
        {"the second", [](auto& f) { tick(f, 1); }, {u"6=b.prt"_s}},
        {"first and last", [](auto& f) {
             tick(f, 0);
             tick(f, 2);
         }, {u"5=a.prt"_s, u"7=c=d.prt"_s}},
        {"select all", [](auto& f) { f.btnSelAll->click(); }, items},
        {"invert", [](auto& f) {
             tick(f, 1);
             f.btnSelInvert->click();
         },
         {u"5=a.prt"_s, u"7=c=d.prt"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        control::TFrmAlignFiles form;
        form.InitItems(&items);
        ASSERT_EQ(form.lbxAlignFiles->count(), 3);
        EXPECT_EQ(form.lbxAlignFiles->item(2)->text(), u"c=d.prt"_s);
        EXPECT_EQ(form.lbxAlignFiles->item(0)->checkState(), Qt::Unchecked);
        c.act(form);
        QStringList list = items;
        form.GetCheckedItems(list);
        EXPECT_EQ(list, c.kept);
    }
    control::TFrmAlignFiles empty;
    empty.InitItems(nullptr);
    EXPECT_EQ(empty.lbxAlignFiles->count(), 0);
}

TEST(AlignFiles, TextsOfBothLanguages) {
    controlApp();
    const QString shots = qEnvironmentVariable("OV_SHOTS_DIR");
    for (const THS_Language language : {HSL_CN, HSL_ENG}) {
        control::TFrmAlignFiles form;
        form.FFileName = u"装配 gear.asm"_s;
        form.SetLanguage(language);
        const QStringList items{u"5=gear.prt"_s, u"6=housing.prt"_s, u"7=shaft 轴.prt"_s};
        form.InitItems(&items);
        const bool cn = language == HSL_CN;
        EXPECT_EQ(form.windowTitle(), cn ? u"选择关联文件"_s : u"Select aligned files"_s);
        EXPECT_EQ(form.lblFile->text(), cn ? u"请选择\"装配 gear.asm\"的关联文件: "_s
                                           : u"Please select aligned files of 装配 gear.asm"_s);
        EXPECT_EQ(form.btnSelInvert->text(), cn ? u"反选"_s : u"Invert"_s);
        if (shots.isEmpty()) continue;
        QDir().mkpath(shots);
        tick(form, 1);
        form.show();
        form.grab().save(shots + (cn ? u"/alignfiles-cn.png"_s : u"/alignfiles-en.png"_s));
    }
}

}  // namespace
}  // namespace ov::test
