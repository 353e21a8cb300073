// The eDrawings and AutoVue forms, with recording controls and without any control.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

#include "core/globalconfig.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/previewhint.h"
#include "fakecontrols.h"
#include "support/ports.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

QString makeCopy(const ov::test::TempHome& home, const QString& name) {
    const QString path = home.file(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("drawing");
    return path;
}

// Settings of a server that refuses every connection.
void useClosedServer() {
    const auto config = RenewGlobalConfig();
    config->SetServerHost(u"127.0.0.1"_s);
    config->SetServerPort(ov::test::closedPort());
}

TEST(EDrawingsFormTest, GenerationFollowsTheVersionByNumbers) {
    ov::test::TempHome home;
    const std::vector<std::pair<QString, const char*>> cases = {
        {QString(), "ov::TEDrawingPreViewFrm"},     {u"9.0"_s, "ov::TEDrawingPreViewFrm"},
        {u"11.9"_s, "ov::TEDrawingPreViewFrm"},     {u"12"_s, "ov::TEDrawingPreViewFrm2012"},
        {u"12.5"_s, "ov::TEDrawingPreViewFrm2012"}, {u"13.0"_s, "ov::TEDrawingPreViewFrm2013"},
        {u"14.0"_s, "ov::TEDrawingPreViewFrm2014"}, {u"14.9.1"_s, "ov::TEDrawingPreViewFrm2014"},
    };
    for (const auto& [version, className] : cases) {
        std::unique_ptr<TEDrawingPreViewBase> form(CreateEDrawingsForm(version, nullptr, {}));
        ASSERT_NE(form, nullptr) << version.toStdString();
        EXPECT_STREQ(form->metaObject()->className(), className) << version.toStdString();
        EXPECT_EQ(form->PaperColorBox != nullptr,
                  version.startsWith(u"13"_s) || version.startsWith(u"14"_s));
    }
    EXPECT_EQ(CreateEDrawingsForm(u"15.0"_s, nullptr, {}), nullptr);
    EXPECT_EQ(CreateEDrawingsForm(u"20"_s, nullptr, {}), nullptr);
}

TEST(EDrawingsFormTest, LoadsDrivesAndClosesTheControl) {
    ov::test::TempHome home;
    ov::test::FakeControls controls;
    TEDrawingPreViewFrm2013 form;
    const QString copy = makeCopy(home, u"a.dwg"_s);
    form.LoadLocalFile(0, copy);
    ASSERT_NE(form.Control(), nullptr);
    EXPECT_EQ(controls.classIds, QStringList{u"{4422EAD2-7593-4E5A-B6EE-7C0A49322991}"_s});

    form.FitClick();
    form.ZoomAreaClick();
    form.ZoomClick();
    form.RotateClick();
    form.PanClick();
    form.HomeClick();
    form.ShadingClick();
    form.ShadingClick();  // shading back to where it was
    form.PaperColorChange(QColor(u"#ff0000"_s));
    EXPECT_FALSE(form.Control()->ViewState(2));
    form.CloseOleObject();

    const QStringList expected = {u"OpenDoc "_s + copy + u" 001 []"_s,
                                  u"ViewOrientation 7"_s,
                                  u"ViewOperator 3"_s,
                                  u"ViewOperator 2"_s,
                                  u"ViewOperator 1"_s,
                                  u"ViewOperator 4"_s,
                                  u"ViewOrientation 8"_s,
                                  u"ViewState 2 1"_s,
                                  u"ViewState 2 0"_s,
                                  u"PaperColor #ff0000"_s,
                                  u"PaperColorOverride 1"_s,
                                  u"Refresh"_s,
                                  u"CloseActiveDoc []"_s};
    EXPECT_EQ(controls.log, expected);
    EXPECT_EQ(form.Control(), nullptr);
    EXPECT_FALSE(QFile::exists(copy));

    controls.log.clear();
    form.ShadingClick();  // no control: nothing
    EXPECT_TRUE(controls.log.isEmpty());
}

TEST(EDrawingsFormTest, WithoutTheControlShowsTheHintAndLeavesNoCopy) {
    ov::test::TempHome home;
    TPreViewHint hint(HSL_ENG, nullptr);
    TEDrawingPreViewFrm form;
    form.PreViewHintFrm = &hint;
    const QString copy = makeCopy(home, u"b.dwg"_s);
    form.LoadLocalFile(0, copy);
    EXPECT_EQ(form.Control(), nullptr);
    EXPECT_EQ(hint.HintText(), EngineeringViewerInstallText(HSL_ENG).replace(u"\r\n"_s, u"\n"_s));
    EXPECT_TRUE(hint.ShowsErrorPicture());
    EXPECT_FALSE(QFile::exists(copy));
}

TEST(AutoVueFormTest, LocalNameNeverLeavesTheTemporaryFolder) {
    const std::vector<std::pair<QString, QString>> cases = {
        {u"a.dwg"_s, u"a.dwg"_s},
        {u"..\\..\\x.dwg"_s, u"x.dwg"_s},
        {u"/etc/passwd"_s, u"passwd"_s},
        {u"a/.."_s, QString()},
        {u".."_s, QString()},
        {u"dir\\"_s, QString()},
        {u"a\u0000b"_s, QString()},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(SafeLocalFileName(name), expected) << name.toStdString();
}

TEST(AutoVueFormTest, PrintIsDisabledBeforeTheDownloadEvenWhenItFails) {
    ov::test::TempHome home;
    useClosedServer();
    ov::test::FakeControls controls;
    TAxPrewViewFrm form(nullptr);
    QSignalSpy shown(&form, &TAxPrewViewFrm::fileShown);
    form.SetHashPs(u"h"_s);
    form.ShowFile(7, u"..\\a.dwg"_s, -1);
    EXPECT_EQ(controls.log.value(0), u"SetPrintOptions PRINT_OPT_DISABLE_PRINT TRUE"_s);
    EXPECT_TRUE(form.FilePathAndName().endsWith(u"/a.dwg"_s));
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_FALSE(shown.at(0).at(0).toBool());
    EXPECT_EQ(controls.log.size(), 1);  // no file for the control
    EXPECT_TRUE(form.FitTimer->isActive());

    form.Print(u"x"_s);
    form.PrintPreview();
    EXPECT_EQ(controls.log.mid(1), (QStringList{u"PrintIt 1"_s, u"PrintPreview 1 1"_s}));
}

TEST(AutoVueFormTest, PrintAllowedLeavesTheOptionAloneWithoutControlSaysSo) {
    ov::test::TempHome home;
    {
        ov::test::FakeControls controls;
        TAxPrewViewFrm form(nullptr);
        form.SetCanPrint(true);
        form.ShowFile(7, u"a.dwg"_s, 2);
        EXPECT_TRUE(controls.log.isEmpty());
        EXPECT_TRUE(form.MissingText().isEmpty());
    }
    TAxPrewViewFrm missing(nullptr);
    EXPECT_EQ(missing.Control(), nullptr);
    EXPECT_FALSE(missing.MissingText().isEmpty());
}

}  // namespace
}  // namespace ov
