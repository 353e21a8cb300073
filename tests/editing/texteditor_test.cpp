// The text editor against the test server: the file opens in its encoding, an edit goes back as
// a new version in the same encoding and mark, a refused upload keeps the user's text on disk,
// and cancel releases the file.

#include "core/paths.h"
#include "core/resultcode.h"
#include "documents/editing/textfileedit.h"
#include "fixture.h"
#include "platform/codepage.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class TextEditorTest : public ::testing::Test {
protected:
    TextEditorTest() : f(false) {}

    // An editor whose message boxes are recorded and whose backups go to the private home.
    std::unique_ptr<TTextFileEditFrm> NewEditor(const QByteArray& content) {
        f.files.setContent(demo::ReportFile, content);
        auto editor = std::make_unique<TTextFileEditFrm>();
        editor->BackupFolders = {f.home.file(u"docs/"_s)};
        QDir().mkpath(editor->BackupFolders.first());
        editor->ShowMessage = [this](const QString& text, QMessageBox::Icon icon) {
            messages.append({text, icon});
        };
        editor->AskYesNo = [](const QString&) { return QMessageBox::Yes; };
        return editor;
    }

    EditServerFixture f;
    QList<std::pair<QString, QMessageBox::Icon>> messages;
};

TEST_F(TextEditorTest, AnEditGoesBackInTheFilesEncodingAndMark) {
    platform::setSystemCodePageOverride(936);
    struct Case {
        const char* name;
        QByteArray content;
        QByteArray expected;  // after appending "文" to the text
    } cases[] = {
        {"utf-8 without mark", "notes\r\n", "notes\r\n\xE6\x96\x87"},
        {"utf-8 with mark", "\xEF\xBB\xBFnotes", "\xEF\xBB\xBFnotes\xE6\x96\x87"},
        {"code page 936", "\xD6\xD0", "\xD6\xD0\xCE\xC4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto editor = NewEditor(c.content);
        ASSERT_EQ(editor->Edit(demo::ReportFile, u"notes.txt"_s, u"txt"_s), 1);
        EXPECT_EQ(editor->windowTitle(), u"notes.txt - Modify"_s);
        const QString copy = editor->EditFileName();
        EXPECT_EQ(CheckoutRecordOf(GetUserDataPath(), demo::ReportFile), copy);
        editor->Editor()->moveCursor(QTextCursor::End);
        editor->Editor()->insertPlainText(u"文"_s);
        QString error;
        EXPECT_EQ(editor->SaveAndUpload(error), 1) << error.toStdString();
        EXPECT_EQ(f.files.content(demo::ReportFile), c.expected);
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
    }
    platform::setSystemCodePageOverride(0);
}

TEST_F(TextEditorTest, AnUntouchedFileGoesBackByteForByte) {
    const QByteArray odd("mixed\r\nends\nand a lone \r here");
    auto editor = NewEditor(odd);
    ASSERT_EQ(editor->Edit(demo::ReportFile, u"notes.txt"_s, u"txt"_s), 1);
    QString error;
    EXPECT_EQ(editor->SaveAndUpload(error), 1);
    EXPECT_EQ(f.files.content(demo::ReportFile), odd);
}

TEST_F(TextEditorTest, ARefusedUploadKeepsTheEditsOnDiskAndSaysWhere) {
    auto editor = NewEditor("draft");
    ASSERT_EQ(editor->Edit(demo::ReportFile, u"notes.txt"_s, u"txt"_s), 1);
    editor->Editor()->setPlainText(u"my precious edits"_s);
    f.files.setNext(NextTransfer{{}, RC_NoPower});
    QString error;
    EXPECT_EQ(editor->SaveAndUpload(error), 0);
    const QString copy = editor->EditFileName();
    EXPECT_EQ(ReadAll(copy), "my precious edits");
    const QString backup = editor->BackupFolders.first() + QFileInfo(copy).fileName();
    EXPECT_EQ(ReadAll(backup), "my precious edits");
    EXPECT_TRUE(error.contains(u"No privilege"_s)) << error.toStdString();
    EXPECT_TRUE(error.contains(backup)) << error.toStdString();
    EXPECT_TRUE(error.contains(copy)) << error.toStdString();
    EXPECT_EQ(f.files.content(demo::ReportFile), "draft");
}

TEST_F(TextEditorTest, AFailedDownloadShowsNothingAndLeavesTheEditorEmpty) {
    auto editor = NewEditor("x");
    EXPECT_EQ(editor->Edit(demo::PriceFile, u"price.txt"_s, u"txt"_s), 0);
    EXPECT_TRUE(editor->Editor()->toPlainText().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(editor->Notes().contains(u"No privilege"_s));
}

TEST_F(TextEditorTest, CancelReleasesTheFileAndKeepsTheCopy) {
    auto editor = NewEditor("draft");
    ASSERT_EQ(editor->Edit(demo::ReportFile, u"notes.txt"_s, u"txt"_s), 1);
    EXPECT_EQ(f.LockedBy(demo::ReportFile), demo::DemoUser);
    editor->show();
    editor->findChild<QToolButton*>(u"spbCancel"_s)->click();
    EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
    EXPECT_TRUE(QFileInfo::exists(editor->EditFileName()));
    for (int i = 0; i < 200 && editor->isVisible(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(editor->isVisible());
}

}  // namespace
