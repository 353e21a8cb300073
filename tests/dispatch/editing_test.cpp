// Web command 15 as the program wires it: a txt file opens in the text editor, a window of the
// dispatcher with its command bar, loaded from the server; an Office file goes to the Office
// editor; any other file goes to the online-edit monitor.

#include "client/app/composition.h"
#include "documents/editing/textfileedit.h"
#include "fixture.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <QPlainTextEdit>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class EditCommandTest : public DispatchTest {
protected:
    void SetUp() override {
        DispatchTest::SetUp();
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        files.setContent(demo::ReportFile, "week 50\n");
        auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(demo::DemoToken());
        module = nullptr;
        mainFrm = std::make_unique<QWidget>();
        module = new TWebModule(mainFrm.get());
        UseEditors(*module);
    }

    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

TEST_F(EditCommandTest, ATextFileOpensInTheTextEditor) {
    module->Execute({15, u"[filekey]%1[/filekey][filename]notes.txt[/filename]"_s.arg(
                             demo::ReportFile)});
    const QList<QWidget*> forms = module->FrmList().Forms();
    ASSERT_EQ(forms.size(), 1);
    auto* editor = qobject_cast<TTextFileEditFrm*>(forms.first());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Editor()->toPlainText(), u"week 50\n"_s);
    EXPECT_TRUE(editor->Toolbar()->isVisible());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(hint(), QString());
}

TEST_F(EditCommandTest, OfficeFilesGoToTheOfficeEditorAndOthersToTheMonitor) {
    ASSERT_TRUE(module->Forms().OfficeEditor);
    QStringList edited;
    module->Forms().OfficeEditor = [&](std::int64_t key, const QString& name, const QString& ext) {
        edited.append(u"%1 %2 %3"_s.arg(key).arg(name, ext));
    };
    module->Execute({15, u"[filekey]1901[/filekey][filename]plan.DOCX[/filename]"_s});
    module->Execute({15, u"[filekey]1902[/filekey][filename]sums.et[/filename]"_s});
    EXPECT_EQ(edited, (QStringList{u"1901 plan.DOCX docx"_s, u"1902 sums.et et"_s}));
    EXPECT_EQ(hint(), QString());
    module->Execute({15, u"[filekey]1001[/filekey][filename]a.PDF[/filename]"_s});
    EXPECT_EQ(clipboard(), u"[Key]1001[/Key][FileName]a.PDF[/FileName]"_s);
}

}  // namespace
