// Which viewer a file goes to: the extension, the installed viewers and versions, the
// remembered choices and the user's answer.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "documents/viewerchoice/filetyperelation.h"
#include "client/viewerchoice/viewerchoice.h"
#include "core/filetype.h"
#include "core/textfile.h"
#include "platform/registry.h"
#include "scriptedenv.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::test::ScriptedEnvironment;

namespace ov {
namespace {

struct Case {
    const char* name;
    QString ext;
    std::function<void(ScriptedEnvironment&)> setUp;
    TViewerStyle expected;
};

class ChooseViewerTest : public ::testing::Test {
protected:
    TViewerStyle choose(const QString& ext, ViewerAsk ask = {}, bool* cancelled = nullptr) {
        const ViewerChoiceContext ctx{folder(), &env, std::move(ask)};
        return ChooseViewer(ext, FileExtToCode(ext), ctx, cancelled);
    }
    QString folder() const { return dir.path() + u"/"_s; }
    QString relationFile() const { return folder() + u"FileTypeRelation.txt"_s; }

    QTemporaryDir dir;
    ScriptedEnvironment env;
};

TEST_F(ChooseViewerTest, ChoosesByExtensionAndInstalledViewers) {
    const auto office = [](const char* version) {
        return [v = QString::fromLatin1(version)](ScriptedEnvironment& e) { e.office = v; };
    };
    const auto officeAndAutoVue = [](const char* version, const char* autoVue) {
        return [v = QString::fromLatin1(version),
                a = QString::fromLatin1(autoVue)](ScriptedEnvironment& e) {
            e.office = v;
            e.installAutoVue(a);
        };
    };
    const std::vector<Case> cases = {
        {"docx with old office and no viewer: built in by list 2", u"docx"_s, office("V11"),
         VS_BuiltIn},
        {"docx with old office and AutoVue 19: built in by list 1", u"docx"_s,
         officeAndAutoVue("V11", "19.3.0.1"), VS_BuiltIn},
        {"docx with old office and AutoVue 20.1", u"docx"_s, officeAndAutoVue("V11", "20.1.0.1"),
         VS_AutoVue},
        {"AutoVue 9 is older than 20, not newer", u"docx"_s, officeAndAutoVue("V11", "9.0.0.0"),
         VS_BuiltIn},
        {"docx with office 16", u"docx"_s, officeAndAutoVue("V16", "20.1.0.1"), VS_BuiltIn},
        {"office 9 is older than 12, not newer", u"xlsx"_s, officeAndAutoVue("V09", "20.1.0.1"),
         VS_AutoVue},
        {"office 9 without leading zero", u"pptx"_s, officeAndAutoVue("V9", "20.1.0.1"),
         VS_AutoVue},
        {"office not registered still goes to the office previewer", u"docx"_s,
         officeAndAutoVue("VNotExists", "20.1.0.1"), VS_BuiltIn},
        {"office key unreadable", u"xlsm"_s, officeAndAutoVue("VNotOpen", "20.1.0.1"), VS_BuiltIn},
        {"old office keeps the old formats", u"doc"_s, officeAndAutoVue("V10", "20.1.0.1"),
         VS_BuiltIn},
        {"office version no number: old formats go on to the probes", u"doc"_s,
         officeAndAutoVue("", "20.1.0.1"), VS_AutoVue},
        {"pdf with a reader control", u"pdf"_s, [](auto& e) { e.pdf = 1; }, VS_BuiltIn},
        {"ai with a reader control, AutoVue there", u"ai"_s,
         [](auto& e) {
             e.pdf = 2;
             e.installAutoVue(u"21.0.0.1"_s);
         },
         VS_BuiltIn},
        {"pdf without a reader, AutoVue there", u"pdf"_s,
         [](auto& e) { e.installAutoVue(u"21.0.0.1"_s); }, VS_AutoVue},
        {"pdf without any viewer", u"pdf"_s, [](auto&) {}, VS_BuiltIn},
        {"fixed list: ecb", u"ecb"_s, [](auto& e) { e.installAutoVue(u"21.0.0.1"_s); }, VS_BuiltIn},
        {"vsdx without any viewer", u"vsdx"_s, [](auto&) {}, VS_BuiltIn},
        {"fixed list: ceb, the e-books", u"ceb"_s, [](auto& e) { e.installAutoVue(u"21.0.0.1"_s); },
         VS_BuiltIn},
        {"fixed list: chm", u"chm"_s, [](auto&) {}, VS_BuiltIn},
        {"AutoVue library without version: list 2 stays built in", u"vsd"_s,
         [](auto& e) { e.installAutoVue(QString()); }, VS_BuiltIn},
        {"AutoVue library without version: other files go to it", u"dwg"_s,
         [](auto& e) { e.installAutoVue(QString()); }, VS_AutoVue},
        {"AutoVue registered but its library missing", u"dwg"_s,
         [](auto& e) {
             e.installAutoVue(u"21.0.0.1"_s);
             e.libraries.clear();
         },
         VS_None},
        {"only eDrawings for a CAD file", u"dwg"_s, [](auto& e) { e.installEDrawings(); },
         VS_EDrawings},
        {"eDrawings does not take non-CAD files", u"jpg"_s, [](auto& e) { e.installEDrawings(); },
         VS_None},
        {"eDrawings needs both keys", u"dwg"_s,
         [](auto& e) { e.probe.setKey(u"EModelView.EModelViewApp\\CLSID"_s); }, VS_None},
        {"only CAXA", u"dwg"_s, [](auto& e) { e.installCaxa(); }, VS_Caxa},
        {"CAXA only for dwg", u"dxf"_s, [](auto& e) { e.installCaxa(); }, VS_None},
        {"nothing for a drawing", u"dwg"_s, [](auto&) {}, VS_None},
        {"nothing for a project file: list 2", u"mpp"_s, [](auto&) {}, VS_BuiltIn},
    };
    for (const Case& c : cases) {
        env = ScriptedEnvironment();
        c.setUp(env);
        int asked = 0;
        const auto ask = [&](const ViewerOffer&) {
            ++asked;
            return ViewerAnswer{};
        };
        EXPECT_EQ(choose(c.ext, ask), c.expected) << c.name;
        EXPECT_EQ(asked, 0) << c.name;
    }
}

TEST_F(ChooseViewerTest, OfficeVersionIsAskedForTheRightApplication) {
    env.office = u"V16"_s;
    for (const auto& [ext, application] :
         std::vector<std::pair<QString, int>>{{u"dotx"_s, 1}, {u"xlsm"_s, 2}, {u"ppt"_s, 3}}) {
        env.officeAsked.clear();
        choose(ext);
        EXPECT_EQ(env.officeAsked[application], 1) << ext.toStdString();
    }
}

TEST_F(ChooseViewerTest, AsksWhenSeveralFitAndRemembersWhenTold) {
    env.installEDrawings();
    env.installCaxa();
    ViewerOffer offered;
    int asked = 0;
    const auto ask = [&](const ViewerOffer& offer) {
        offered = offer;
        ++asked;
        return ViewerAnswer{VS_EDrawings, true};
    };
    EXPECT_EQ(choose(u"dwg"_s, ask), VS_EDrawings);
    EXPECT_TRUE(offered.eDrawings && offered.caxa && !offered.autoVue);
    EXPECT_EQ(ReadTextFile(relationFile()), u"[dwg]3[/dwg]\r\n"_s);

    EXPECT_EQ(choose(u"dwg"_s, ask), VS_EDrawings);
    EXPECT_EQ(asked, 1);
}

TEST_F(ChooseViewerTest, UnreadableChoicesFileIsLeftAlone) {
    env.installEDrawings();
    env.installCaxa();
    ASSERT_TRUE(QDir(folder()).mkdir(u"FileTypeRelation.txt"_s));
    const auto ask = [](const ViewerOffer&) { return ViewerAnswer{VS_Caxa, true}; };
    EXPECT_EQ(choose(u"dwg"_s, ask), VS_Caxa);
    EXPECT_TRUE(QFileInfo(relationFile()).isDir());
}

TEST_F(ChooseViewerTest, ChoiceNotRememberedUnlessTicked) {
    env.installEDrawings();
    env.installAutoVue(u"20.1.0.1"_s);
    const auto ask = [](const ViewerOffer&) { return ViewerAnswer{VS_AutoVue, false}; };
    EXPECT_EQ(choose(u"sldprt"_s, ask), VS_AutoVue);
    EXPECT_FALSE(QFile::exists(relationFile()));
}

TEST_F(ChooseViewerTest, ClosingTheDialogCancelsAndRemembersNothing) {
    env.installEDrawings();
    env.installCaxa();
    bool cancelled = false;
    const auto close = [](const ViewerOffer&) { return ViewerAnswer{0, true}; };
    EXPECT_EQ(choose(u"dwg"_s, close, &cancelled), VS_None);
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(QFile::exists(relationFile()));

    // An answer naming a viewer that was not offered counts as no answer.
    const auto stray = [](const ViewerOffer&) { return ViewerAnswer{VS_AutoVue, true}; };
    EXPECT_EQ(choose(u"dwg"_s, stray, &cancelled), VS_None);
    EXPECT_TRUE(cancelled);
}

TEST_F(ChooseViewerTest, RememberedChoices) {
    env.installEDrawings();
    env.installCaxa();
    int asked = 0;
    const auto ask = [&](const ViewerOffer&) {
        ++asked;
        return ViewerAnswer{VS_Caxa, false};
    };
    struct Remembered {
        QString text;
        TViewerStyle expected;
        int asks;
    };
    const std::vector<Remembered> cases = {
        {u"[DWG]4[/DWG]\r\n[dwg]3[/dwg]\r\n"_s, VS_Caxa, 0},  // the first entry, any case
        {u"[dwg] 2 [/dwg]\r\n"_s, VS_BuiltIn, 0},
        {u"[dwg]1[/dwg]\r\n"_s, VS_Caxa, 1},                       // AutoVue is not installed: ask
        {u"[dwg]1[/dwg]\r\n[dwg]3[/dwg]\r\n"_s, VS_EDrawings, 0},  // the later choice
        {u"[dwg]x[/dwg]\r\n[dwg]4[/dwg]\r\n"_s, VS_Caxa, 0},
        {u"[dwg]7[/dwg]\r\n"_s, VS_Caxa, 1},
        {u"[dxf]3[/dxf]\r\n"_s, VS_Caxa, 1},
    };
    for (const auto& c : cases) {
        SaveUnicodeText(relationFile(), c.text);
        asked = 0;
        EXPECT_EQ(choose(u"dwg"_s, ask), c.expected) << c.text.toStdString();
        EXPECT_EQ(asked, c.asks) << c.text.toStdString();
    }
    // With one viewer only, a remembered choice plays no part.
    env = ScriptedEnvironment();
    env.installCaxa();
    SaveUnicodeText(relationFile(), u"[dwg]3[/dwg]\r\n"_s);
    EXPECT_EQ(choose(u"dwg"_s, ask), VS_Caxa);
}

}  // namespace
}  // namespace ov

namespace ov {
namespace {

// This system: the built-in viewer answers for PDF files; AutoVue and CAXA have no counterpart
// here, whatever the registry store holds.
TEST(SystemViewerChoiceTest, BuiltInViewerForPdfNoAutoVueOrCaxa) {
    test::TempHome home;
    using platform::Hive;
    using platform::Registry;
    const QString id = u"{B6FCC215-D303-11D1-BC6C-0000C078797F}"_s;
    const QString library = home.file(u"avx.so"_s);
    QFile(library).open(QIODevice::WriteOnly);
    ASSERT_TRUE(
        Registry::writeString(Hive::ClassesRoot, u"autovuex.autovuexctrl.1\\CLSID"_s, {}, id));
    ASSERT_TRUE(Registry::writeString(Hive::ClassesRoot, u"CLSID\\"_s + id + u"\\InprocServer32"_s,
                                      {}, library));

    const ViewerChoiceContext ctx{home.path(), nullptr, {}};
    EXPECT_EQ(ChooseViewer(u"pdf"_s, FileExtToCode(u"pdf"_s), ctx), VS_BuiltIn);
    EXPECT_EQ(ChooseViewer(u"dwg"_s, FileExtToCode(u"dwg"_s), ctx), VS_None);
    ASSERT_TRUE(Registry::deleteKey(Hive::ClassesRoot, u"autovuex.autovuexctrl.1"_s));
    ASSERT_TRUE(Registry::createKey(Hive::ClassesRoot,
                                    u"TypeLib\\{EB107130-6BC3-4A16-B448-BFE6A4847EEF}"_s));
    EXPECT_EQ(ChooseViewer(u"dwg"_s, FileExtToCode(u"dwg"_s), ctx), VS_None);
    EXPECT_EQ(ChooseViewer(u"ecb"_s, FileExtToCode(u"ecb"_s), ctx), VS_BuiltIn);
}

}  // namespace
}  // namespace ov
