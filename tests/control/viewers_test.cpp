// The control's choice of viewer (CheckAvX) over the machine's answers and the remembered
// choices, and the previews that open nothing.

#include <QFile>

#include "control/members/members.h"
#include "control/members/viewers.h"
#include "controlfixture.h"
#include "core/textfile.h"
#include "documents/preview/previewhint.h"
#include "viewerchoice/scriptedenv.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;
using ov::test::ControlTest;
using ov::test::ScriptedEnvironment;

namespace {

class ViewersTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        form->FAppPath = home.path() + u"/"_s;
        SetControlViewerEnvironment(&env);
        SetControlViewerAsk([this](const ViewerOffer& offer) {
            offers.push_back(offer);
            return answer;
        });
    }
    void TearDown() override {
        SetControlViewerEnvironment(nullptr);
        SetControlViewerAsk({});
        ControlTest::TearDown();
    }
    ScriptedEnvironment env;
    ViewerAnswer answer;
    std::vector<ViewerOffer> offers;
};

TEST_F(ViewersTest, CheckAvXFollowsTheRules) {
    struct Case {
        const char* name;
        std::function<void(ScriptedEnvironment&, TQuexFormX&)> setUp;
        QString fileName;
        int expected;
    } cases[] = {
        {"nothing installed", {}, u"a.dwg"_s, 0},
        {"Office group 2 without viewers", {}, u"a.vsd"_s, 2},
        {"new office", [](auto& e, auto&) { e.office = u"V14"_s; }, u"a.DOCX"_s, 2},
        {"office 10 counts as old", [](auto& e, auto&) { e.office = u"V10"_s; }, u"a.docx"_s, 2},
        {"old office, AutoVue 21", [](auto& e, auto&) {
             e.office = u"V11"_s;
             e.installAutoVue(u"21.0.0.1"_s);
         }, u"a.docx"_s, 1},
        {"AutoVue opens Office files when told", [](auto& e, auto& f) {
             e.office = u"V16"_s;
             e.installAutoVue(u"21.0.0.1"_s);
             f.FAutovuexOpenOfficeFile = true;
         }, u"a.docx"_s, 1},
        {"AutoVue 9 is older than 20", [](auto& e, auto&) { e.installAutoVue(u"9.0.0.1"_s); },
         u"a.docx"_s, 2},
        {"AutoVue without version", [](auto& e, auto&) { e.installAutoVue(u""_s); }, u"a.pdf"_s,
         2},
        {"pdf reader", [](auto& e, auto&) {
             e.pdf = 1;
             e.installAutoVue(u"21.0.0.1"_s);
         }, u"a.pdf"_s, 2},
        {"mic pictures", [](auto& e, auto&) { e.installAutoVue(u"21.0.0.1"_s); },
         u"generateMicPic*"_s, 1},
        {"eDrawings alone", [](auto& e, auto&) { e.installEDrawings(); }, u"gear.sldprt"_s, 3},
        {"CAXA alone", [](auto& e, auto&) { e.installCaxa(); }, u"plan.dwg"_s, 4},
        {"versioned part", [](auto& e, auto&) { e.installEDrawings(); }, u"part.prt.12"_s, 3},
    };
    for (const Case& c : cases) {
        env = ScriptedEnvironment();
        form->FAutovuexOpenOfficeFile = false;
        if (c.setUp) c.setUp(env, *form);
        EXPECT_EQ(members::CheckAvX(*form, c.fileName), c.expected) << c.name;
    }
    EXPECT_TRUE(offers.empty());
    env = ScriptedEnvironment();
    env.installAutoVue(u"21.0.0.1"_s);
    members::CheckAvX(*form, u"a.dwg"_s);
    EXPECT_EQ(form->FAxVer, u"2.0"_s);  // 21 is later than 20 as a number, not as a text
}

TEST_F(ViewersTest, CheckAvXAsksOnceWhenToldToRemember) {
    env.installAutoVue(u"21.0.0.1"_s);
    env.installEDrawings();
    env.installCaxa();
    answer = {VS_EDrawings, true};
    EXPECT_EQ(members::CheckAvX(*form, u"plan.dwg"_s), 3);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_TRUE(offers[0].autoVue && offers[0].eDrawings && offers[0].caxa);
    EXPECT_EQ(members::CheckAvX(*form, u"plan.dwg"_s), 3);
    EXPECT_EQ(offers.size(), 1u);  // answered from the file

    // A numbered part is remembered under "prt".
    answer = {VS_AutoVue, true};
    EXPECT_EQ(members::CheckAvX(*form, u"part.prt.3"_s), 1);
    EXPECT_EQ(members::CheckAvX(*form, u"other.prt.7"_s), 1);
    EXPECT_EQ(offers.size(), 2u);
    EXPECT_EQ(ReadTextFile(form->FAppPath + u"FileTypeRelation.txt"_s),
              u"[dwg]3[/dwg]\r\n[prt]1[/prt]\r\n"_s);

    // Cancelled: no way, nothing remembered.
    answer = {};
    EXPECT_EQ(members::CheckAvX(*form, u"gear.sldasm"_s), 0);
}

TEST_F(ViewersTest, PreviewWithoutPreviewerHidesTheWaitWindow) {
    members::PreView2(*form, u"5"_s, u"abc"_s, u"-1"_s);
    EXPECT_FALSE(form->HintOfPreviewFrm()->isVisible());
    EXPECT_EQ(form->Forms.get(ChildForm::Previewer), nullptr);
    EXPECT_TRUE(IsVersionedPrtName(u"a.PRT.12"_s));
    EXPECT_FALSE(IsVersionedPrtName(u"a.prt"_s));
    EXPECT_FALSE(IsVersionedPrtName(u"a.prt.x1"_s));
}

}  // namespace
