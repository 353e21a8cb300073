// The viewer-choice dialog in both languages, and how the choice asks through it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "client/viewerchoice/viewerchoice.h"
#include "documents/cad/axedselect.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

TEST(AxEdSelectFrmTest, CaptionsInBothLanguagesCaxaStaysChinese) {
    TAxEdSelectFrm cn(nullptr, HSL_CN);
    EXPECT_EQ(cn.windowTitle(), u"选择预览控件"_s);
    EXPECT_EQ(cn.rbAV->text(), u"使用AutoVue预览"_s);
    EXPECT_EQ(cn.rbED->text(), u"使用SolidWorks eDrawings Viewer预览"_s);
    EXPECT_EQ(cn.chbAlways->text(), u"总是用此软件打开文件"_s);
    EXPECT_EQ(cn.btnNext->text(), u"下一步"_s);
    EXPECT_EQ(cn.font().family(), u"宋体"_s);

    TAxEdSelectFrm en(nullptr, HSL_ENG);
    EXPECT_EQ(en.windowTitle(), u"Select the Preview controls"_s);
    EXPECT_EQ(en.rbAV->text(), u"Use AutoVue Preview"_s);
    EXPECT_EQ(en.rbED->text(), u"Use SolidWorks eDrawings Viewer Preview"_s);
    EXPECT_EQ(en.rbCaxa->text(), u"使用Caxa预览"_s);
    EXPECT_EQ(en.chbAlways->text(), u"Always use this software to open the file"_s);
    EXPECT_EQ(en.btnNext->text(), u"Next"_s);
    EXPECT_EQ(en.font().family(), u"Tahoma"_s);
    EXPECT_EQ(en.size(), QSize(382, 203));
}

TEST(AxEdSelectFrmTest, ButtonGivesTheCheckedViewerClosingGivesNone) {
    TAxEdSelectFrm dialog(nullptr, HSL_ENG);
    EXPECT_EQ(dialog.Style, 0);
    dialog.rbED->setChecked(true);
    dialog.chbAlways->setChecked(true);
    dialog.btnNext->click();
    EXPECT_EQ(dialog.Style, 3);
    EXPECT_TRUE(dialog.IsAlwaysOpenStyle);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    TAxEdSelectFrm closed(nullptr, HSL_CN);
    closed.rbCaxa->setChecked(true);
    closed.reject();
    EXPECT_EQ(closed.Style, 0);
}

// Runs `act` on the modal dialog once it is shown.
void onDialog(std::function<void(TAxEdSelectFrm&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<TAxEdSelectFrm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

TEST(DialogViewerAskTest, ShowsTheViewersThatFitAndChecksAutoVueLast) {
    QWidget owner;
    const ViewerAsk ask = dialogViewerAsk(&owner, HSL_ENG);
    bool seen = false;
    onDialog([&](TAxEdSelectFrm& d) {
        seen = true;
        EXPECT_TRUE(d.rbAV->isVisibleTo(&d) && d.rbED->isVisibleTo(&d));
        EXPECT_FALSE(d.rbCaxa->isVisibleTo(&d));
        EXPECT_TRUE(d.rbAV->isChecked());
        d.rbED->setChecked(true);
        d.chbAlways->setChecked(true);
        d.btnNext->click();
    });
    const ViewerAnswer answer = ask(ViewerOffer{true, true, false});
    EXPECT_TRUE(seen);
    EXPECT_EQ(answer.style, 3);
    EXPECT_TRUE(answer.always);
}

TEST(DialogViewerAskTest, ClosingIsCancelInBothLanguages) {
    for (THS_Language language : {HSL_CN, HSL_ENG}) {
        const ViewerAsk ask = dialogViewerAsk(nullptr, language);
        onDialog([](TAxEdSelectFrm& d) {
            EXPECT_TRUE(d.rbED->isChecked());  // eDrawings after CAXA
            d.chbAlways->setChecked(true);
            d.close();
        });
        const ViewerAnswer answer = ask(ViewerOffer{false, true, true});
        EXPECT_EQ(answer.style, 0);
    }
}

}  // namespace
}  // namespace ov
