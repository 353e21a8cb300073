// Pictures of the editing windows in both languages for a person to look at: the text editor
// with a file loaded and its command bar, the monitor after an edit, its hint window and the
// editing guide. Written only when OV_SHOT_DIR names a folder.

#include "client/editmonitor/editorguidefrm.h"
#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "core/globalconfig.h"
#include "documents/editing/textfileedit.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

void Shoot(QWidget& widget, const QString& name) {
    widget.show();
    QTest::qWait(100);
    widget.grab().save(qEnvironmentVariable("OV_SHOT_DIR") + u'/' + name + u".png"_s);
}

class EditingShots : public ::testing::TestWithParam<THS_Language> {
protected:
    EditingShots() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        files.setContent(demo::ReportFile,
                         "\xEF\xBB\xBF周报\r\n本周完成：文件在线编辑。\r\nWeekly report: online editing done.\r\n");
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(GetParam());
        config->SetWorkRoot(home.file(u"work/"_s));
    }
    QString Suffix() const { return GetParam() == HSL_CN ? u"-cn"_s : u"-en"_s; }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

INSTANTIATE_TEST_SUITE_P(Languages, EditingShots, ::testing::Values(HSL_CN, HSL_ENG),
                         [](const auto& info) { return info.param == HSL_CN ? "Chinese" : "English"; });

TEST_P(EditingShots, Windows) {
    if (qEnvironmentVariableIsEmpty("OV_SHOT_DIR")) GTEST_SKIP() << "OV_SHOT_DIR not set";
    TTextFileEditFrm editor;
    editor.Toolbar()->show();
    ASSERT_EQ(editor.Edit(demo::ReportFile, u"周报.txt"_s, u"txt"_s), 1);
    Shoot(editor, u"texteditor"_s + Suffix());

    THintFrm2 hint;
    TShowEditInfoFrm monitor(&hint);
    monitor.OpenWaitMs = 0;
    monitor.WatchWindowTitles = false;
    monitor.OpenDocument = [](const QString&) { return true; };
    QSignalSpy finished(&monitor, &TShowEditInfoFrm::editFileFinished);
    monitor.EditFile(u"[Key]%1[/Key][FileName]x[/FileName]"_s.arg(demo::GearboxFile));
    ASSERT_TRUE(finished.count() > 0 || finished.wait(10000));
    Shoot(monitor, u"editmonitor"_s + Suffix());

    hint.SetErrorStr(u"周报.xlsx,"_s + (GetParam() == HSL_CN ? u"文件关闭，内容没有发生改变"_s
                                                            : u" The file is closed and unchanged "_s));
    Shoot(hint, u"edithint"_s + Suffix());

    TEditorGuideFrm* guide = new TEditorGuideFrm(GetParam());
    Shoot(*guide, u"editorguide"_s + Suffix());
    guide->close();
}

}  // namespace
