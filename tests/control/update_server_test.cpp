// VerUpdate and OcxUpdate against the test server, plain and under TLS: OvClient replaced
// only by a higher version and only by a complete program, atomically; the updater fetched
// and started only when it arrived whole.

#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "controlfixture.h"
#include "core/fileversion.h"
#include "platform/registry.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demoprograms.h"
#include "testing/docserver/httpside.h"
#include "testing/docserver/server.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::test;

namespace {

// Closes every modal message box at once, keeping its text.
class DialogCloser {
public:
    void start() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

class UpdateServer : public ControlTest, public ::testing::WithParamInterface<bool> {
protected:
    UpdateServer() : server(DocServer::Options{GetParam()}) {
        demo::LoadDemo(model);
        commands.install(server);
        http.install(server);
    }
    void SetUp() override {
        ControlTest::SetUp();
        dialogs.start();
        const auto config = GlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(GetParam());
        form->FServerHost = server.host();
        form->FServerPort = server.port();
        form->FLanguage = HSL_ENG;
        form->FClientFileName = home.file(u"client/OvClient"_s);
        form->FModulePath = home.file(u"control/"_s);
        QDir().mkpath(home.file(u"client"_s));
        QDir().mkpath(home.file(u"control"_s));
    }
    void serverOffers(const QString& version, const QByteArray& program) {
        std::lock_guard lock(model.mutex);
        model.rules.clientVersion = version;
        model.rules.clientFile = program;
    }
    void install(const QByteArray& program) {
        QFile file(form->FClientFileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(program);
    }
    QByteArray installed() const {
        QFile file(form->FClientFileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    DocModel model;
    DocCommands commands{model};
    DocHttp http{model};
    DocServer server;
    DialogCloser dialogs;
};

TEST_P(UpdateServer, ClientIsReplacedOnlyByAHigherCompleteProgram) {
    const QByteArray v69 = DemoProgram("6.9.0.0");
    const QByteArray v610 = DemoProgram("6.10.0.0");
    struct Case {
        const char* what;
        QByteArray local;  // "(none)": no program installed
        QString offered;
        QByteArray sent;
        QByteArray after;
        const char16_t* message;  // start of the message shown, if any
    } cases[] = {
        {"higher by number", v69, u"6.10.0.0"_s, v610, v610, nullptr},
        {"lower is never taken", v610, u"6.9.0.0"_s, v69, v610, nullptr},
        {"equal", v610, u"6.10.0.0"_s, v69, v610, nullptr},
        {"no version text", v69, u"Network connection failed"_s, v610, v69, nullptr},
        {"cut off", v69, u"6.10.0.0"_s, v610.left(100), v69, u"An error ocurred while install"},
        {"not a program", v69, u"6.10.0.0"_s, "<html>not found</html>", v69,
         u"An error ocurred while install"},
        {"nothing sent", v69, u"6.10.0.0"_s, {}, v69, u"Bulk transfer tool can not be obtained"},
        {"none installed", "(none)", u"6.10.0.0"_s, v610, v610, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(form->FClientFileName);
        if (c.local != "(none)") install(c.local);
        serverOffers(c.offered, c.sent);
        dialogs.texts.clear();
        ASSERT_EQ(call(u"VerUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
        EXPECT_EQ(installed(), c.after);
        ASSERT_EQ(dialogs.texts.size(), c.message ? 1 : 0)
            << dialogs.texts.join(u'|').toStdString();
        if (c.message) {
            EXPECT_TRUE(dialogs.texts[0].startsWith(QString::fromUtf16(c.message)));
        }
    }
    // The replaced client carries its new version and the URL scheme names it.
    EXPECT_EQ(GetFileVersionText(form->FClientFileName, u"%d.%d.%d.%d"_s), u"6.10.0.0"_s);
    EXPECT_EQ(
        platform::Registry::readString(platform::Hive::ClassesRoot, u"OvClient\\DefaultIcon"_s),
        form->FClientFileName + u",1"_s);
}

TEST_P(UpdateServer, UnreachableServerChangesNothing) {
    install(DemoProgram("6.9.0.0"));
    form->FServerPort = 1;  // nothing listens there
    ASSERT_EQ(call(u"VerUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_EQ(installed(), DemoProgram("6.9.0.0"));
    EXPECT_TRUE(dialogs.texts.isEmpty());
}

TEST_P(UpdateServer, UpdaterStartsOnlyAfterACompleteDownload) {
    const QString updater = form->FModulePath + u"OvCtrlUpdate"_s;
    DocHttpContent content = http.content();
    content.helperFiles[u"OvCtrlUpdate.exe"_s] = DemoProgram("1.0.0.0");
    http.setContent(content);
    ASSERT_EQ(call(u"OcxUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_TRUE(result.boolValue());
    EXPECT_TRUE(QFileInfo(updater).isExecutable());
    QFile::remove(updater);

    content.helperFiles[u"OvCtrlUpdate.exe"_s] = DemoProgram("1.0.0.0").left(90);
    http.setContent(content);
    ASSERT_EQ(call(u"OcxUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_FALSE(result.boolValue());
    EXPECT_FALSE(QFile::exists(updater));
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0],
              u"Failed to download the ActiveX, Error is the server sent no complete program!"_s);

    content.helperFiles.erase(u"OvCtrlUpdate.exe"_s);
    http.setContent(content);
    ASSERT_EQ(call(u"OcxUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_FALSE(result.boolValue());
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_TRUE(dialogs.texts[1].contains(u"404"_s)) << dialogs.texts[1].toStdString();
}

TEST_P(UpdateServer, DemoContentPlaysBothUpdates) {
    // An older OvClient is replaced by the demo's program of this build's version.
    install(DemoProgram("0.9.0.0"));
    ASSERT_EQ(call(u"VerUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_EQ(installed(), DemoProgram(BuildVersion()));
    // One of this build's version stays.
    ASSERT_EQ(call(u"VerUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_EQ(installed(), DemoProgram(BuildVersion()));
    ASSERT_EQ(call(u"OcxUpdate"_s, ovcom::DISPATCH_METHOD), ovcom::S_OK);
    EXPECT_TRUE(result.boolValue());
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, UpdateServer, ::testing::Bool());

}  // namespace
