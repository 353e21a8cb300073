// The office editor end to end on a real display with the machine's LibreOffice: web command 15
// opens a server .docx in an office window, a change is typed and saved through the office's
// automation, "Save and upload" stores a new version that holds the change and releases the
// file. The same edit through the online-edit monitor goes up without anyone pressing a button
// once the office lets go of the file.

#include "client/app/composition.h"
#include "client/editmonitor/hintfrm2.h"
#include "client/editmonitor/showeditinfofrm.h"
#include "core/paths.h"
#include "dispatch/fixture.h"
#include "documents/editing/editrecords.h"
#include "documents/editing/officefileedit.h"
#include "office/officetestsupport.h"
#include "platform/officeeditor.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QToolButton>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A picture of the whole display for a person to look at.
void Shot(const QString& name) {
    const QByteArray folder = qgetenv("OV_SHOTS_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    app().primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(folder) + u'/' + name);
}

class OfficeEditTest : public DispatchTest {
protected:
    void SetUp() override {
        office = realLibreOffice();
        if (!office || office->python.isEmpty()) GTEST_SKIP() << "no LibreOffice with its bridge";
        // The forms on the display beside the office's window (the test runs under xvfb-run).
        if (!qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
        DispatchTest::SetUp();
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        files.setContent(demo::ReportFile, ReadAll(officeFixture(u"letter.docx"_s)));
        auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetEncryptUserID(demo::DemoToken());
        config->SetWorkRoot(home.file(u"work/"_s));
        config->Save();  // the dispatcher reads the settings anew for each command
    }
    void UseLanguage(THS_Language language) {
        auto config = GlobalConfig();
        config->SetSysLanguage(language);
        config->Save();
        RenewGlobalConfig();  // a settings object keeps the language it read first
    }

    std::int32_t LockedBy() {
        std::lock_guard lock(model.mutex);
        return model.files.at(demo::ReportFile).lockedBy;
    }
    int Version() {
        std::lock_guard lock(model.mutex);
        return model.files.at(demo::ReportFile).version;
    }
    QByteArray StoredText() {
        const QString copy = home.file(u"stored.docx"_s);
        QFile::remove(copy);
        QFile out(copy);
        if (!out.open(QIODevice::WriteOnly)) return {};
        out.write(files.content(demo::ReportFile));
        out.close();
        return zipEntry(copy, "word/document.xml");
    }

    std::optional<platform::OfficeInstallation> office;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

TEST_F(OfficeEditTest, WebCommand15EditsADocxInTheOfficeAndSaveAndUploadStoresTheChange) {
    struct Case {
        THS_Language language;
        const char* shot;
        QString change;
        QString saveCaption;
    } cases[] = {
        {HSL_ENG, "office-editor-en.png", u"Changed by the English editor. "_s,
         u"Save and upload"_s},
        {HSL_CN, "office-editor-cn.png", u"中文编辑器修改的内容。 "_s, u"保存并上传文件"_s},
    };
    UseEditors(*module);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shot);
        UseLanguage(c.language);
        const int version = Version();
        module->Execute({15, u"[filekey]%1[/filekey][filename]report.docx[/filename]"_s.arg(
                                 demo::ReportFile)});
        ASSERT_EQ(module->FrmList().Forms().size(), 1);
        auto* editor = qobject_cast<TOfficeFileEditFrm*>(module->FrmList().Forms().first());
        ASSERT_NE(editor, nullptr);
        QList<QString> messages;
        editor->ShowMessage = [&](const QString& text, QMessageBox::Icon) {
            messages.append(text);
        };
        ASSERT_NE(editor->Session(), nullptr);
        EXPECT_EQ(editor->windowTitle(), u"report.docx---edit"_s);
        EXPECT_TRUE(editor->Toolbar()->isVisible());
        EXPECT_EQ(LockedBy(), demo::DemoUser);
        const QString copy = editor->EditFileName();
        EXPECT_EQ(CheckoutRecordOf(GetUserDataPath(), demo::ReportFile), copy);
        EXPECT_TRUE(QFileInfo::exists(QFileInfo(copy).path() + u"/.~lock."_s +
                                      QFileInfo(copy).fileName() + u'#'));

        ASSERT_TRUE(editor->Session()->request(u"insert"_s, c.change).ok());
        processEventsFor(1500);  // the office paints the change
        Shot(QString::fromLatin1(c.shot));
        if (!qEnvironmentVariableIsEmpty("OV_SHOTS_DIR"))  // the control panel on its own
            editor->grab().save(QString::fromLocal8Bit(qgetenv("OV_SHOTS_DIR")) + u"/panel-"_s +
                                QString::fromLatin1(c.shot));
        auto* save = editor->findChild<QToolButton*>(u"spbSave"_s);
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->text(), c.saveCaption);
        save->click();

        ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
        EXPECT_EQ(messages.first(),
                  c.language == HSL_CN ? u"修改成功！"_s : u"Modified successfully!"_s);
        EXPECT_EQ(Version(), version + 1);
        EXPECT_TRUE(StoredText().contains(c.change.toUtf8()));
        EXPECT_EQ(LockedBy(), 0);
        EXPECT_EQ(CheckoutRecordOf(GetUserDataPath(), demo::ReportFile), QString());
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_TRUE(processEventsUntil([&] { return module->FrmList().Forms().isEmpty(); }));
    }
}

TEST_F(OfficeEditTest, ClosingTheFormWithoutUploadKeepsTheEditsInTheRecordedCopy) {
    UseEditors(*module);
    module->Execute({15, u"[filekey]%1[/filekey][filename]report.docx[/filename]"_s.arg(
                             demo::ReportFile)});
    ASSERT_EQ(module->FrmList().Forms().size(), 1);
    auto* editor = qobject_cast<TOfficeFileEditFrm*>(module->FrmList().Forms().first());
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor->Session(), nullptr);
    const QString copy = editor->EditFileName();
    const QString change = u"Typed, then the window was closed. "_s;
    ASSERT_TRUE(editor->Session()->request(u"insert"_s, change).ok());
    editor->close();
    EXPECT_TRUE(zipEntry(copy, "word/document.xml").contains(change.toUtf8()));
    EXPECT_EQ(CheckoutRecordOf(GetUserDataPath(), demo::ReportFile), copy);
    EXPECT_EQ(LockedBy(), demo::DemoUser);  // check-in or the monitor can still take it up
}

TEST_F(OfficeEditTest, TheMonitorUploadsTheChangedCopyOnceTheOfficeLetsGo) {
    THintFrm2 hint;
    TShowEditInfoFrm monitor(&hint);
    monitor.SettleMs = 0;
    monitor.HideAfterUploadMs = 0;
    std::unique_ptr<platform::OfficeEditorSession> session;
    QString opened;
    monitor.OpenDocument = [&](const QString& path) {
        opened = path;
        session = std::make_unique<platform::OfficeEditorSession>(*office, home.file(u""_s));
        return session->open(path).ok();
    };
    monitor.CloseMainWindow = [] {};
    const int version = Version();
    monitor.show();
    monitor.EditFile(u"[Key]%1[/Key][FileName]x[/FileName]"_s.arg(demo::ReportFile));
    ASSERT_TRUE(processEventsUntil([&] { return session != nullptr; }, 30000));
    ASSERT_TRUE(session->isRunning());
    EXPECT_EQ(LockedBy(), demo::DemoUser);

    const QString change = u"Changed while the monitor watched. "_s;
    ASSERT_TRUE(session->request(u"insert"_s, change).ok());
    ASSERT_TRUE(session->request(u"save"_s, opened).ok());
    processEventsFor(5000);  // the office still holds the file: nothing goes up
    EXPECT_EQ(Version(), version);
    EXPECT_EQ(monitor.FileList().size(), 1);
    Shot(u"office-monitor.png"_s);

    ASSERT_TRUE(session->request(u"close"_s).ok());
    EXPECT_TRUE(processEventsUntil([&] { return Version() == version + 1; }, 30000));
    EXPECT_TRUE(StoredText().contains(change.toUtf8()));
    EXPECT_EQ(LockedBy(), 0);
    EXPECT_TRUE(monitor.FileList().isEmpty());
    session.reset();
}

}  // namespace
