// The Office editor's decisions without an office window: which suite may edit the document
// (the messages that end the edit before anything is fetched), and, with WPS (which the editor
// does not drive), what "Save and upload" and cancel do with the server's answers and the local
// copy: it goes only once the server stored it, a verified backup holds it, or the file was
// released.

#include "core/paths.h"
#include "documents/editing/officefileedit.h"
#include "fixture.h"

#include <QFileInfo>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

platform::OfficeInstallation Suite(platform::OfficeSuite suite, QVersionNumber version,
                                   QString python = {}) {
    platform::OfficeInstallation office;
    office.suite = suite;
    office.folder = u"/opt/office/"_s;
    office.program = u"/bin/true"_s;  // WPS is only started; nothing is asked of it
    office.version = std::move(version);
    office.word = office.excel = office.powerPoint = true;
    office.python = std::move(python);
    return office;
}

class OfficeEditorTest : public ::testing::Test {
protected:
    OfficeEditorTest() : f(false) {}

    std::unique_ptr<TOfficeFileEditFrm> NewEditor(
        std::vector<platform::OfficeInstallation> suites) {
        f.files.setContent(demo::ReportFile, "saved by WPS");
        auto editor = std::make_unique<TOfficeFileEditFrm>();
        editor->FindSuites = [suites] { return suites; };
        editor->BackupFolders = {f.home.file(u"docs/"_s)};
        QDir().mkpath(editor->BackupFolders.first());
        editor->ShowMessage = [this](const QString& text, QMessageBox::Icon) {
            messages.append(text);
        };
        return editor;
    }
    std::unique_ptr<TOfficeFileEditFrm> WpsEditor() {
        auto editor = NewEditor({Suite(platform::OfficeSuite::Wps, {11, 1})});
        EXPECT_EQ(editor->Edit(demo::ReportFile, u"report.docx"_s, u"docx"_s), 1);
        return editor;
    }
    QString Record() { return CheckoutRecordOf(GetUserDataPath(), demo::ReportFile); }

    EditServerFixture f;
    QStringList messages;
};

TEST_F(OfficeEditorTest, TheSuiteDecidesWhetherTheEditStarts) {
    const QString kNoViewer =
        u"No permission to access files, run Internet Explorer as administrator."_s;
    using platform::OfficeSuite;
    const struct {
        const char* what;
        std::vector<platform::OfficeInstallation> suites;
        QString ext;
        QString message;  // empty: the edit starts
    } cases[] = {
        {"an office too old for docx", {Suite(OfficeSuite::LibreOffice, {3, 0}, u"py"_s)},
         u"docx"_s, u"Need to install Office 2007 or later!"_s},
        {"a WPS document without WPS", {Suite(OfficeSuite::LibreOffice, {7, 4}, u"py"_s)},
         u"wps"_s, u"Need to install the WPS!"_s},
        {"no office at all", {}, u"docx"_s, kNoViewer},
        {"a LibreOffice without its automation", {Suite(OfficeSuite::LibreOffice, {7, 4})},
         u"xlsx"_s, kNoViewer},
        {"WPS", {Suite(OfficeSuite::Wps, {11, 1})}, u"et"_s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        auto editor = NewEditor(c.suites);
        const int started = editor->Edit(demo::ReportFile, u"sums."_s + c.ext, c.ext);
        EXPECT_EQ(started, c.message.isEmpty() ? 1 : 0);
        EXPECT_EQ(f.LockedBy(demo::ReportFile), c.message.isEmpty() ? demo::DemoUser : 0);
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (c.message.isEmpty()) {
            EXPECT_EQ(editor->windowTitle(), u"sums."_s + c.ext + u"---edit"_s);
            EXPECT_TRUE(QFileInfo::exists(editor->EditFileName()));
            editor->CancelEdit();
        }
    }
}

TEST_F(OfficeEditorTest, SaveAndUploadDropsTheCopyOnlyWhenItIsSafe) {
    const struct {
        const char* what;
        bool needsAudit, inAudit, backupFolderMissing;
        int result;
        bool copyKept;
        int noteLines;
    } cases[] = {
        {"stored", false, false, false, 1, false, 1},
        {"taken for audit", true, false, false, 1, false, 2},
        {"in audit, a verified backup", false, true, false, 0, false, 2},
        {"in audit, the backup failed", false, true, true, 0, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto editor = WpsEditor();
        const QString copy = editor->EditFileName();
        ASSERT_TRUE(WriteAll(copy, "my edits"));
        {
            std::lock_guard lock(f.model.mutex);
            f.File(demo::ReportFile).editNeedsAudit = c.needsAudit;
            f.File(demo::ReportFile).inWriteAudit = c.inAudit;
        }
        if (c.backupFolderMissing) editor->BackupFolders = {f.home.file(u"none/"_s)};
        QString error;
        EXPECT_EQ(editor->SaveAndUpload(error), c.result);
        EXPECT_EQ(error.split(u"\r\n"_s).size(), c.noteLines) << error.toStdString();
        EXPECT_EQ(QFileInfo::exists(copy), c.copyKept);
        EXPECT_EQ(error.contains(copy), c.copyKept);
        EXPECT_EQ(Record().isEmpty(), c.result == 1);
        const bool stored = c.result == 1 && !c.needsAudit;
        EXPECT_EQ(f.files.content(demo::ReportFile) == "my edits", stored);
        EXPECT_EQ(f.LockedBy(demo::ReportFile), c.result == 1 ? 0 : demo::DemoUser);
        std::lock_guard lock(f.model.mutex);
        f.File(demo::ReportFile).lockedBy = 0;
        f.File(demo::ReportFile).inWriteAudit = false;
        f.File(demo::ReportFile).editNeedsAudit = false;
    }
}

TEST_F(OfficeEditorTest, CancelDropsTheCopyAndItsRecordOnlyOnceTheFileIsReleased) {
    auto editor = WpsEditor();
    const QString copy = editor->EditFileName();
    editor->CancelEdit();
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(Record(), QString());
    EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);

    // A release the server refuses (another user holds the file by now) keeps both.
    auto second = WpsEditor();
    const QString kept = second->EditFileName();
    {
        std::lock_guard lock(f.model.mutex);
        f.File(demo::ReportFile).lockedBy = demo::OtherUser;
    }
    second->CancelEdit();
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(Record(), kept);
}

}  // namespace
