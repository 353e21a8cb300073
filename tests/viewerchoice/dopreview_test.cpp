// Web command 13 from its argument text to the viewer window, with the machine scripted and a
// host that records what the dispatcher would keep.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "client/viewerchoice/open.h"
#include "client/viewerchoice/viewerchoice.h"
#include "core/globalconfig.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/previewbase.h"
#include "documents/preview/previewhint.h"
#include "fakecontrols.h"
#include "scriptedenv.h"
#include "support/ports.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::test::ScriptedEnvironment;

namespace ov {
namespace {

class RecordingHost : public PreviewHost {
public:
    explicit RecordingHost(THS_Language language) : m_language(language), hint(language, nullptr) {}
    QWidget* mainWindow() const override { return const_cast<QWidget*>(&main); }
    TPreViewHint* hintWindow() const override { return const_cast<TPreViewHint*>(&hint); }
    QRect lastPreviewRect() const override { return QRect(40, 30, 640, 480); }
    THS_Language language() const override { return m_language; }
    QString clientPath() const override { return home.path(); }
    void addForm(QWidget* form) override { forms.emplace_back(form); }

    ov::test::TempHome home;
    QWidget main;
    THS_Language m_language;
    TPreViewHint hint;
    std::vector<QPointer<QWidget>> forms;
};

QString command(const QString& fileName, const QString& options = {},
                const QString& key = u"42"_s) {
    return u"[filekey]"_s + key + u"[/filekey][filever]3[/filever][filename]"_s + fileName +
           u"[/filename][ctparams]"_s + options + u"[/ctparams]"_s;
}

class DoPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto config = RenewGlobalConfig();
        config->SetServerHost(u"127.0.0.1"_s);
        config->SetServerPort(ov::test::closedPort());
    }
    QString run(const QString& cmd, ViewerAsk ask = {}) {
        if (!ask)
            ask = [this](const ViewerOffer&) {
                ++asked;
                return ViewerAnswer{};
            };
        return DoPreview(cmd, host, env, ask);
    }

    RecordingHost host{HSL_ENG};
    ScriptedEnvironment env;
    int asked = 0;
};

TEST_F(DoPreviewTest, FileKeyMustBeANumberOtherThanZero) {
    for (const QString& key : {u"0"_s, u"abc"_s, QString(), u"12x"_s})
        EXPECT_EQ(run(command(u"a.pdf"_s, {}, key)), u"File parameter error!"_s);
    EXPECT_TRUE(host.forms.empty());
}

TEST_F(DoPreviewTest, NoViewerGivesTheInstallHintInTheHostLanguage) {
    EXPECT_EQ(run(command(u"a.dwg"_s)), EngineeringViewerInstallText(HSL_ENG));
    env.installCaxa();
    EXPECT_EQ(run(command(u"a.dwg"_s)), EngineeringViewerInstallText(HSL_ENG));
    RecordingHost cn(HSL_CN);
    EXPECT_EQ(DoPreview(command(u"a.dwg"_s), cn, env, {}), EngineeringViewerInstallText(HSL_CN));
    EXPECT_TRUE(EngineeringViewerInstallText(HSL_CN).startsWith(u"工程图预览请安装--\r\n\r\n"_s));
    EXPECT_EQ(EngineeringViewerInstallText(HSL_ENG).count(u"\r\n"_s), 2);
    EXPECT_TRUE(host.forms.empty());
}

TEST_F(DoPreviewTest, CancelledChoiceShowsNothingAndOpensNothing) {
    env.installEDrawings();
    env.installCaxa();
    EXPECT_EQ(run(command(u"a.dwg"_s)), QString());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(host.forms.empty());
}

TEST_F(DoPreviewTest, EDrawingsVersionPicksFormProgramOrHint) {
    struct Case {
        QString curVer;
        const char* form;  // null: no form
        QString error;
    };
    const std::vector<Case> cases = {
        {u"EModelView.EModelViewControl.9"_s, "ov::TEDrawingPreViewFrm", QString()},
        {u"EModelView.EModelViewControl.13"_s, "ov::TEDrawingPreViewFrm2013", QString()},
        {u"EModelView.EModelViewControl.14"_s, "ov::TEDrawingPreViewFrm2014", QString()},
        // The outside viewer program is not started here.
        {u"EModelView.EModelViewControl.20"_s, nullptr, EngineeringViewerInstallText(HSL_ENG)},
        {u"EModelView.EModelViewControl.21"_s, nullptr, EDrawingsTooNewText(HSL_ENG)},
    };
    for (const Case& c : cases) {
        env = ScriptedEnvironment();
        env.installEDrawingsVersion(c.curVer);
        host.forms.clear();
        EXPECT_EQ(run(command(u"a.sldprt"_s, u"HashPs=h1,CanPrint=True,Readonly=False,"_s)),
                  c.error)
            << c.curVer.toStdString();
        if (!c.form) {
            EXPECT_TRUE(host.forms.empty());
            continue;
        }
        ASSERT_EQ(host.forms.size(), 1u);
        auto* form = qobject_cast<TEDrawingPreViewBase*>(host.forms[0].data());
        ASSERT_NE(form, nullptr);
        EXPECT_STREQ(form->metaObject()->className(), c.form);
        EXPECT_EQ(form->windowTitle(), u"a.sldprt"_s);
        EXPECT_EQ(form->geometry(), QRect(40, 30, 640, 480));
        EXPECT_TRUE(form->isWindow());
        EXPECT_EQ(form->parentWidget(), &host.main);
        EXPECT_TRUE(form->CanPrint());
        EXPECT_FALSE(form->DocReadonly());
        EXPECT_EQ(form->PreViewHintFrm, &host.hint);
        delete form;
    }
}

TEST_F(DoPreviewTest, EDrawingsVersionFromTheApplicationClass) {
    env.installEDrawings();
    env.setDefault(u"EModelView.EModelViewApp\\CLSID"_s, u"{E}"_s);
    env.setDefault(u"CLSID\\{E}\\Version"_s, u"12.3"_s);
    EXPECT_EQ(GetEDrawingsVersion(env), u"12.3"_s);
    env.installEDrawingsVersion(u" EModelView . EModelViewControl . 20 . "_s);
    EXPECT_EQ(GetEDrawingsVersion(env), u"12.3"_s);  // the application's version comes first
    env.setDefault(u"CLSID\\{E}\\Version"_s, QString());
    EXPECT_EQ(GetEDrawingsVersion(env), u"20"_s);
}

TEST_F(DoPreviewTest, NumberedPartFilesTakeThePartOrAssemblyCode) {
    env.installEDrawingsVersion(u"EModelView.EModelViewControl.14"_s);
    EXPECT_EQ(run(command(u"x.prt.3"_s)), QString());
    EXPECT_EQ(run(command(u"x.asm.12"_s)), QString());
    EXPECT_EQ(host.forms.size(), 2u);
    // ".ASM" is searched case-sensitively: the number itself is no CAD extension.
    EXPECT_EQ(run(command(u"X.ASM.3"_s)), EngineeringViewerInstallText(HSL_ENG));
    EXPECT_EQ(host.forms.size(), 2u);
}

TEST_F(DoPreviewTest, AutoVueOpensWithPrintAndHashFromTheOptions) {
    ov::test::FakeControls controls;
    env.installAutoVue(u"20.1.0.1"_s);
    EXPECT_EQ(run(command(u"a.dwg"_s, u"HashPs=abc,CanPrint=False"_s)), QString());
    ASSERT_EQ(host.forms.size(), 1u);
    auto* form = qobject_cast<TAxPrewViewFrm*>(host.forms[0].data());
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->CanPrint());
    EXPECT_EQ(form->windowTitle(), u"a.dwg"_s);
    EXPECT_EQ(form->geometry(), QRect(40, 30, 640, 480));
    EXPECT_EQ(controls.log.value(0), u"SetPrintOptions PRINT_OPT_DISABLE_PRINT TRUE"_s);
    delete form;
}

TEST_F(DoPreviewTest, BuiltInFormByExtensionWithTheDocumentOptions) {
    struct Case {
        QString fileName;
        int pdfType;
        const char* form;
    };
    const std::vector<Case> cases = {
        {u"a.pdf"_s, 1, "ov::TPdfPreviewFrm"},         {u"a.pdf"_s, 0, "ov::TPdfPreviewFrm"},
        {u"a.PDF"_s, 2, "ov::TFoxitPdfReaderFrm"},     {u"a.pdf"_s, 3, "ov::TSSrsPreviewFrm"},
        {u"a.ai"_s, 3, "ov::TPdfPreviewFrm"},          {u"a.gd"_s, 0, "ov::TSSrsPreviewFrm"},
        {u"a.docx"_s, 0, "ov::TOfficeFilePreviewFrm"}, {u"a.wps"_s, 0, "ov::TOfficeFilePreviewFrm"},
        {u"a.pps"_s, 0, "ov::TOfficeFilePreviewFrm"}, {u"a.vsd"_s, 0, "ov::TVsdPreviewFrm"},
        {u"a.vsdx"_s, 0, "ov::TVsdPreviewFrm"},        {u"a.mpp"_s, 0, "ov::TMppPreviewFrm"},
        {u"a.ceb"_s, 0, "ov::TCebPreviewFrm"},         {u"a.gwd"_s, 0, "ov::TGwdPreviewFrm"},
        {u"a.exb"_s, 0, "ov::TExbPreviewFrm"},         {u"a.caj"_s, 0, "ov::TCajPreviewFrm"},
        {u"a.kdh"_s, 0, "ov::TCajPreviewFrm"},         {u"a.rtf"_s, 0, "ov::TRtfPreviewFrm"},
        {u"a.mht"_s, 0, "ov::TMhtPreviewFrm"},         {u"a.eml"_s, 0, "ov::TEmlPreviewFrm"},
    };
    env.office = u"V16"_s;
    // The office previewer reports a missing office suite in a message box: close it.
    QTimer closeMessages;
    QObject::connect(&closeMessages, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closeMessages.start(20);
    for (const Case& c : cases) {
        env.pdf = c.pdfType;
        host.forms.clear();
        SetAllowCtrlC(false);
        host.hint.hide();
        const QString options = u"HashPs=h2,CanPrint=True,CheckVirtualPrint=False,CtrlC=True,"_s;
        EXPECT_EQ(run(command(c.fileName, options)), QString()) << c.form;
        ASSERT_EQ(host.forms.size(), 1u) << c.form;
        auto* form = qobject_cast<TPreviewBaseFrm*>(host.forms[0].data());
        ASSERT_NE(form, nullptr);
        EXPECT_STREQ(form->metaObject()->className(), c.form) << c.fileName.toStdString();
        EXPECT_EQ(form->windowTitle(), c.fileName);
        // Placed at the remembered rectangle, also by previewers that otherwise centre.
        EXPECT_EQ(form->geometry(), QRect(40, 30, 640, 480));
        EXPECT_TRUE(form->isWindow() && form->isVisible());
        EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(form->parentWidget(), &host.main);
        EXPECT_EQ(form->PreViewHintFrm, &host.hint);
        EXPECT_TRUE(form->DocReadonly());
        EXPECT_TRUE(form->CanPrint());
        EXPECT_FALSE(form->IsCheckVirtualPrint());
        EXPECT_FALSE(form->SelectPrinter());
        EXPECT_TRUE(AllowCtrlC());
        EXPECT_TRUE(host.hint.isVisible());
        form->CloseOleObject();
        delete form;
    }
    SetAllowCtrlC(false);
}

TEST_F(DoPreviewTest, BuiltInFileTypesWithoutAFormGetAHint) {
    for (const QString& name : {u"a.ecb"_s, u"b.chm"_s}) {
        const QString ext = name.mid(2);
        EXPECT_EQ(run(command(name)), NoPreviewerText(HSL_ENG, ext)) << name.toStdString();
    }
    EXPECT_TRUE(host.forms.empty());
}

}  // namespace
}  // namespace ov
