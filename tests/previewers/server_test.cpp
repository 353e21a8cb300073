// Each previewer on the test server's demo file of its kind, through the whole preview: the
// download and the viewer, or the reader's text and no download at all.

#include "core/filetype.h"
#include "core/globalconfig.h"
#include "documents/drawings/cdrpreview.h"
#include "documents/drawings/mpppreview.h"
#include "documents/drawings/vsdpreview.h"
#include "documents/readers/cebpreview.h"
#include "documents/web/emlpreview.h"
#include "documents/web/mhtpreview.h"
#include "documents/web/rtfpreview.h"
#include "support.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class ServerPreviewTest : public PreviewerTest {
protected:
    ServerPreviewTest() {
        demo::LoadDemo(model);
        demo::StorePreviewerDemoContents(files);
        commands.install(server);
        files.install(server);
        const auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(false);
        config->SetEncryptUserID(demo::DemoToken());
    }

    template <typename Form>
    std::unique_ptr<Form> start(const char* ext, std::int64_t key) {
        auto form = std::make_unique<Form>();
        form->PreViewHintFrm = hint.get();
        form->resize(800, 600);
        form->show();
        form->ShowHTML(FileExtToCode(QString::fromLatin1(ext)), -1, key);
        return form;
    }

    template <typename Form>
    std::unique_ptr<Form> startConverted(const char* ext, std::int64_t key) {
        auto form = std::make_unique<Form>();
        form->PreViewHintFrm = hint.get();
        form->SetOfficeConverter(sharedConverter());
        form->show();
        form->ShowHTML(FileExtToCode(QString::fromLatin1(ext)), -1, key);
        return form;
    }

    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

TEST_F(ServerPreviewTest, DrawingsAndRichTextFromTheServerAreShown) {
    if (!sharedConverter()) GTEST_SKIP() << "no LibreOffice with Python";
    auto visio = startConverted<TVsdPreviewFrm>("vsdx", demo::DrawingFile);
    ASSERT_EQ(waitFor(visio.get(), &TConvertedPreviewFrm::documentShown), true)
        << hint->HintText().toStdString();
    EXPECT_TRUE(visio->Viewer()->find(u"Drawingfixture"_s));
    auto corel = startConverted<TCdrPreviewFrm>("cdr", demo::CorelFile);
    ASSERT_EQ(waitFor(corel.get(), &TConvertedPreviewFrm::documentShown), true);
    auto letter = startConverted<TRtfPreviewFrm>("rtf", demo::LetterFile);
    ASSERT_EQ(waitFor(letter.get(), &TConvertedPreviewFrm::documentShown), true);
    EXPECT_TRUE(letter->Viewer()->find(u"Richfixture"_s));
    EXPECT_EQ(files.transfers().size(), 3u);
}

TEST_F(ServerPreviewTest, TheMailAndTheWebPageFromTheServerAreShown) {
    setLanguage(HSL_CN);
    auto mail = start<TEmlPreviewFrm>("eml", demo::MailFile);
    ASSERT_EQ(waitFor(mail.get(), &TEmlPreviewFrm::documentShown, 20000), true)
        << hint->HintText().toStdString();
    auto* from = mail->HeaderPanel()->findChild<QLabel*>(u"lbFrom"_s);
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->text(), u"发件人：张三 <zhang@example.com>"_s);
    EXPECT_EQ(mail->AttachmentLinks().size(), 2u);
    EXPECT_TRUE(mail->Browser()->toPlainText().contains(u"本季度的报告"_s));
    auto page = start<TMhtPreviewFrm>("mht", demo::WebPageFile);
    ASSERT_EQ(waitFor(page.get(), &TMhtPreviewFrm::documentShown, 20000), true);
    EXPECT_TRUE(page->Browser()->toPlainText().contains(u"Webarchive"_s));
}

// A plan and a book: each form says which reader it needs, and nothing is downloaded.
TEST_F(ServerPreviewTest, APlanAndABookShowTheirTextsWithoutADownload) {
    auto plan = start<TMppPreviewFrm>("mpp", demo::PlanFile);
    const QString needsProject = u"Local installation of Microsoft Office Project 2003 or later"_s;
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint->HintText() == needsProject; }, 10000))
        << hint->HintText().toStdString();
    auto book = start<TCebPreviewFrm>("ceb", demo::EBookFile);
    const QString needsReader = u"需要本地安装方正的Apabi Reader"_s;
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint->HintText() == needsReader; }, 10000))
        << hint->HintText().toStdString();
    EXPECT_TRUE(hint->ShowsErrorPicture());
    EXPECT_TRUE(files.transfers().empty());
}

}  // namespace

}  // namespace ov::test
