// The AutoVue and eDrawings previews against the test server: the file arrives, reaches the
// control or, without a control, gives the installation hint and leaves no copy.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "client/viewerchoice/viewerchoice.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/previewdownload.h"
#include "documents/preview/previewhint.h"
#include "fakecontrols.h"
#include "scriptedenv.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

class ServerHost : public PreviewHost {
public:
    explicit ServerHost(const QString& folder) : m_folder(folder), hint(HSL_ENG, nullptr) {}
    QWidget* mainWindow() const override { return const_cast<QWidget*>(&main); }
    TPreViewHint* hintWindow() const override { return const_cast<TPreViewHint*>(&hint); }
    QRect lastPreviewRect() const override { return QRect(10, 10, 800, 600); }
    THS_Language language() const override { return HSL_ENG; }
    QString clientPath() const override { return m_folder; }
    void addForm(QWidget* form) override { forms.emplace_back(form); }

    QString m_folder;
    QWidget main;
    TPreViewHint hint;
    std::vector<QPointer<QWidget>> forms;
};

class ServerPreviewTest : public ::testing::Test {
protected:
    ServerPreviewTest() {
        test::demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(false);
        config->SetEncryptUserID(test::demo::DemoToken());
        config->SetSysLanguage(HSL_ENG);
    }
    ~ServerPreviewTest() override { PreviewThreadPool().waitForDone(); }

    QString command(const QString& fileName, const QString& options) const {
        return u"[filekey]"_s + QString::number(test::demo::GearboxFile) +
               u"[/filekey][filever]-1[/filever][filename]"_s + fileName +
               u"[/filename][ctparams]"_s + options + u"[/ctparams]"_s;
    }

    test::TempHome home;
    test::DocModel model;
    test::DocCommands commands{model};
    test::DocFileChannel files{model};
    test::DocServer server;
    test::ScriptedEnvironment env;
    ServerHost host{home.path()};
};

TEST_F(ServerPreviewTest, AutoVueGetsTheFileUnderItsOwnNameAndTheCopyGoesWithTheForm) {
    test::FakeControls controls;
    env.installAutoVue(u"20.1.0.1"_s);
    ASSERT_EQ(DoPreview(command(u"..\\齿轮箱.dwg"_s, u"HashPs=hp1,"_s), host, env, {}), QString());
    ASSERT_EQ(host.forms.size(), 1u);
    auto* form = qobject_cast<TAxPrewViewFrm*>(host.forms[0].data());
    ASSERT_NE(form, nullptr);
    QSignalSpy shown(form, &TAxPrewViewFrm::fileShown);
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_TRUE(shown.at(0).at(0).toBool());

    const QString copy = GetLocalTempPath() + u"齿轮箱.dwg"_s;
    EXPECT_EQ(controls.log.value(1), u"SRC "_s + copy);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), files.content(test::demo::GearboxFile));
    file.close();
    // The server records a transfer once it has sent the end mark, which may be a moment after
    // the client has the whole file.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.transfers().empty(); }, 5000));
    const auto transfers = files.transfers();
    EXPECT_TRUE(transfers.back().params.contains(u"[HashPs]hp1[/HashPs]"_s));
    EXPECT_FALSE(transfers.back().params.contains(u"[Versionid]"_s));

    delete form;
    EXPECT_FALSE(QFile::exists(copy));
}

TEST_F(ServerPreviewTest, EDrawingsWithoutItsControlDownloadsThenShowsTheHintAndCleansUp) {
    env.installEDrawingsVersion(u"EModelView.EModelViewControl.14"_s);
    ASSERT_EQ(DoPreview(command(u"齿轮箱.dwg"_s, u"CanPrint=True,"_s), host, env, {}), QString());
    ASSERT_EQ(host.forms.size(), 1u);
    auto* form = qobject_cast<TEDrawingPreViewFrm2014*>(host.forms[0].data());
    ASSERT_NE(form, nullptr);
    QSignalSpy finished(form, &TPreviewBaseFrm::previewFinished);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());  // the file arrived

    EXPECT_EQ(form->Control(), nullptr);
    EXPECT_EQ(host.hint.HintText(),
              EngineeringViewerInstallText(HSL_ENG).replace(u"\r\n"_s, u"\n"_s));
    EXPECT_TRUE(host.hint.ShowsErrorPicture());
    ASSERT_FALSE(form->LocalFilename().isEmpty());
    EXPECT_FALSE(QFile::exists(form->LocalFilename()));
    delete form;
}

}  // namespace
}  // namespace ov
