// The mail previewer against the test server: the attachment right asked once per form
// (allowed, refused, unknown file, no answer), attachments saved inside the private folder,
// and a page whose remote picture the server never sees asked for.

#include "core/globalconfig.h"
#include "documents/web/emlpreview.h"
#include "support.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/httpside.h"

#include <QDir>
#include <QFile>
#include <thread>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

class PowerEml : public TEmlPreviewFrm {
public:
    using TEmlPreviewFrm::TEmlPreviewFrm;
    using TEmlPreviewFrm::FFileId;
    QStringList messages;
    QStringList opened;
    QString root() const { return FRoot; }

protected:
    void ShowMessage(const QString& text) override { messages << text; }
};

class MailPowerTest : public PreviewerTest {
protected:
    MailPowerTest() {
        demo::LoadDemo(model);
        http.install(server);
        const auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(false);
        config->SetEncryptUserID(demo::DemoToken());
    }

    std::unique_ptr<PowerEml> open(const QString& mailFile, std::int64_t key) {
        auto form = std::make_unique<PowerEml>();
        form->PreViewHintFrm = hint.get();
        form->FFileId = key;
        form->SetOpener([raw = form.get()](const QString& path) {
            raw->opened << path;
            return true;
        });
        form->LoadLocalFile(0, copyTo(mailFile, form->root(), u"2512091015001.eml"_s));
        EXPECT_EQ(waitFor(form.get(), &TEmlPreviewFrm::documentShown, 20000), true);
        return form;
    }

    // Clicks the attachment and waits until the click has been dealt with.
    std::optional<bool> click(PowerEml& form, const QString& name) {
        QSignalSpy handled(&form, &TEmlPreviewFrm::attachmentHandled);
        form.ClickAttachment(name);
        if (handled.isEmpty() && !handled.wait(10000)) return std::nullopt;
        return handled.first().first().toBool();
    }

    int powerRequests() const {
        int n = 0;
        for (const HttpRequest& request : http.requests())
            n += request.path == "/getPower";
        return n;
    }

    DocModel model;
    DocServer server;
    DocHttp http{model};
};

struct PowerCase {
    const char* name;
    std::int64_t key;
    HttpFault fault;
    bool allowed;
};

// Each answer is asked for once, however often the user clicks; only "allowed" saves.
TEST_F(MailPowerTest, TheAttachmentRightIsAskedOnce) {
    const PowerCase cases[] = {{"allowed", demo::ReportFile, HttpFault::None, true},
                               {"refused", demo::PriceFile, HttpFault::None, false},
                               {"unknown file", 999999, HttpFault::None, false},
                               {"no answer", demo::ReportFile, HttpFault::Stall, false}};
    for (const PowerCase& c : cases) {
        SCOPED_TRACE(c.name);
        http.clearRequests();
        http.setFault(c.fault);
        auto form = open(mimeFixture(u"gb2312.eml"_s), c.key);
        form->SetPowerTimeout(500);
        EXPECT_EQ(click(*form, u"报告.txt"_s), c.allowed);
        EXPECT_EQ(click(*form, u"报告.txt"_s), c.allowed);
        EXPECT_EQ(powerRequests(), 1);
        EXPECT_EQ(form->DownLoadPower(), c.allowed ? 1 : -1);
        const QStringList refusals(c.allowed ? 0 : 2, u"There is no file download permissions!"_s);
        EXPECT_EQ(form->messages, refusals);
        EXPECT_EQ(form->opened.size(), c.allowed ? 2 : 0);
    }
    http.setFault(HttpFault::None);
}

// "../../x.txt" is saved as "x.txt" in the private folder, a second time as "x (2).txt";
// closing the preview deletes both with the copy.
TEST_F(MailPowerTest, AnAttachmentNamedToClimbLandsInThePrivateFolder) {
    auto form = open(mimeFixture(u"gb2312.eml"_s), demo::ReportFile);
    ASSERT_EQ(click(*form, u"../../x.txt"_s), true);
    ASSERT_EQ(click(*form, u"../../X.TXT"_s), true);  // names compare without case
    EXPECT_EQ(form->opened, QStringList({form->root() + u"x.txt"_s, form->root() + u"x (2).txt"_s}));
    QFile saved(form->root() + u"x.txt"_s);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "climb");
    EXPECT_FALSE(QFile::exists(QDir(form->root()).absoluteFilePath(u"../../x.txt"_s)));
    EXPECT_FALSE(QFile::exists(QDir(form->root()).absoluteFilePath(u"../x.txt"_s)));
    form->CloseOleObject();
    EXPECT_FALSE(QFile::exists(form->root() + u"x.txt"_s));
    EXPECT_FALSE(QFile::exists(form->root() + u"x (2).txt"_s));
    EXPECT_FALSE(QFile::exists(form->TmpFileName()));
}

// The page's script does not run and its picture on the server is never asked for; the
// inline picture comes from the mail.
TEST_F(MailPowerTest, ARemotePictureIsNeverFetched) {
    const QByteArray remote = "http://" + server.host().toLatin1() + ':' +
                              QByteArray::number(server.port()) + "/static/remote.png";
    const QByteArray mail =
        "Date: Tue, 09 Dec 2025 10:15:00 +0800\r\nSubject: remote\r\nMIME-Version: 1.0\r\n"
        "Content-Type: text/html; charset=utf-8\r\n\r\n"
        "<html><head><script>document.title='ran';new Image().src='" + remote +
        "?script';</script></head><body><p>Remotefixture</p><img src=\"" + remote +
        "\"><link rel=\"stylesheet\" href=\"" + remote + ".css\"></body></html>\r\n";
    const QString file = home.file(u"remote.eml"_s);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(mail);
    out.close();
    http.clearRequests();
    auto form = open(file, demo::ReportFile);
    form->resize(739, 609);
    form->show();
    form->Browser()->document()->adjustSize();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->Browser()->toPlainText().contains(u"Remotefixture"_s));
    EXPECT_NE(form->Browser()->documentTitle(), u"ran"_s);
    EXPECT_TRUE(form->Browser()->refusedReferences().contains(QString::fromLatin1(remote)));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(http.requests().empty());
}

}  // namespace

}  // namespace ov::test
