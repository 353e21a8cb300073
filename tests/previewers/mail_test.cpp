// The mail and web-archive previewers on fixture files: the header panel, the body with its
// own pictures and nothing from outside, the character set.

#include "documents/web/emlheader.h"
#include "documents/web/emlpreview.h"
#include "documents/web/mhtpreview.h"
#include "support.h"

#include <QFile>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class RecordingEml : public TEmlPreviewFrm {
public:
    using TEmlPreviewFrm::TEmlPreviewFrm;
    QStringList messages;
    QString root() const { return FRoot; }

protected:
    void ShowMessage(const QString& text) override { messages << text; }
    void ShowErrorMessage(const QString& text) override { messages << text; }
};

struct Line {
    const char* label;
    QString text;
    int x;
    int y;
};

class MailTest : public PreviewerTest {
protected:
    std::unique_ptr<RecordingEml> open(const char* fixture) {
        auto form = std::make_unique<RecordingEml>();
        form->PreViewHintFrm = hint.get();
        form->resize(739, 609);
        form->show();
        copy = copyTo(mimeFixture(QString::fromUtf8(fixture)), form->root(), u"2403051230001.eml"_s);
        form->LoadLocalFile(0, copy);
        EXPECT_EQ(waitFor(form.get(), &TEmlPreviewFrm::documentShown, 20000), true);
        return form;
    }

    static void expectLines(QWidget* panel, const std::vector<Line>& lines, int height) {
        for (const Line& line : lines) {
            SCOPED_TRACE(line.label);
            auto* label = panel->findChild<QLabel*>(QString::fromUtf8(line.label));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), line.text);
            EXPECT_EQ(label->pos(), QPoint(line.x, line.y));
        }
        EXPECT_EQ(panel->findChildren<QLabel*>().size(), qsizetype(lines.size()));
        EXPECT_EQ(panel->height(), height);
    }

    QString copy;
};

// A GB2312 mail: the panel lays out every line, the attachments share the last lines; the
// copy is moved to its ".mht" name; the sniffed charset reads the body.
TEST_F(MailTest, TheHeaderPanelOfAGb2312Mail) {
    setLanguage(HSL_CN);
    auto form = open("gb2312.eml");
    EXPECT_EQ(form->CharSetTxt(), u"GB2312"_s);
    EXPECT_EQ(form->TmpFileName(), form->root() + u"2403051230001.mht"_s);
    EXPECT_FALSE(QFile::exists(copy));
    const QString date = QDateTime(QDate(2024, 3, 5), QTime(1, 30), Qt::UTC)
                             .toLocalTime()
                             .toString(u"yyyy-MM-dd HH:mm:ss"_s);
    expectLines(form->HeaderPanel(),
                {{"lbDate", u"时  间："_s + date, 12, 8},
                 {"lbTo", u"收件人：lisi@example.com, wang@example.com"_s, 12, 32},
                 {"lbFrom", u"发件人：张三 <zhang@example.com>"_s, 12, 56},
                 {"lbCC", u"抄  送：chen@example.com"_s, 12, 80},
                 {"lbAttachment", u"附件："_s, 12, 104},
                 {"lbAttachment1", u"../../x.txt"_s, 60, 104},
                 {"lbAttachment2", u"报告.txt"_s, 60, 128}},
                148);
    EXPECT_TRUE(form->Browser()->toPlainText().contains(u"你好，世界"_s));
}

TEST_F(MailTest, MailsWithoutAddressesShowOnlyTheDate) {
    auto utf8 = open("utf8.eml");
    EXPECT_EQ(utf8->CharSetTxt(), u"UTF-8"_s);
    EXPECT_NE(utf8->HeaderPanel()->findChild<QLabel*>(u"lbFrom"_s), nullptr);
    EXPECT_EQ(utf8->HeaderPanel()->findChild<QLabel*>(u"lbCC"_s), nullptr);
    EXPECT_TRUE(utf8->Browser()->toPlainText().contains(u"正文：一切顺利"_s));
    auto bare = open("bare.eml");
    EXPECT_EQ(bare->HeaderPanel()->findChildren<QLabel*>().size(), 1);
    EXPECT_EQ(bare->HeaderPanel()->height(), 28);
    EXPECT_TRUE(bare->AttachmentLinks().empty());
}

// The page's script is text nobody runs; its picture comes from the mail, a remote one from
// nowhere.
TEST_F(MailTest, TheBodyShowsOnlyWhatTheMailHolds) {
    auto form = open("gb2312.eml");
    const QString text = form->Browser()->toPlainText();
    EXPECT_FALSE(text.contains(u"document.title"_s));
    EXPECT_TRUE(form->Browser()->refusedReferences().isEmpty());
    TMhtPreviewFrm page;
    page.PreViewHintFrm = hint.get();
    page.LoadLocalFile(0, copyTo(mimeFixture(u"page.mht"_s), home.file(u"m/"_s), u"p.mht"_s));
    ASSERT_EQ(waitFor(&page, &TMhtPreviewFrm::documentShown, 20000), true);
    page.Browser()->document()->adjustSize();  // lays out: the pictures are asked for
    EXPECT_TRUE(page.Browser()->toPlainText().contains(u"Webarchive"_s));
    EXPECT_EQ(page.Browser()->refusedReferences(), QStringList{u"http://example.org/far.png"_s});
}

// Without the print right the locked-print message; nothing is printed.
TEST_F(MailTest, PrintingWithoutTheRightIsLocked) {
    auto form = open("utf8.eml");
    bool asked = false;
    form->SetPrintDialog([&asked](QPrinter&, QWidget*, bool) { return asked = true, false; });
    form->Print({});
    EXPECT_EQ(form->messages, QStringList{u"forbid  print!"_s});
    EXPECT_FALSE(asked);
}

}  // namespace

}  // namespace ov::test
