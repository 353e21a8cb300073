// The control's previews as a page drives them: ovctrl-host runs a script against the test
// server, which serves the demo documents.

#include <gtest/gtest.h>

#include <QProcess>

#include "control/ovcom/runtime.h"
#include "core/cipher.h"
#include "core/filetype.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httppages.h"
#include "testing/docserver/httpside.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

struct Server {
    Server() {
        demo::LoadDemo(model);
        demo::LoadDemoPdfs(model, files);
        demo::StoreOfficeDemoContents(files);
        commands.install(server);
        files.install(server);
        http = installHttpSide(server, model);
    }
    ~Server() { server.stop(); }
    QString address() const { return u"127.0.0.1#%1"_s.arg(server.port()); }
    QString identity() { return handedIdentity(*model.userByLogin(demo::DemoLogin())); }

    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    std::unique_ptr<DocHttp> http;
};

struct HostRun {
    int exitCode = -1;
    QString output;
};

HostRun host(const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(240000)) process.kill();
    process.waitForFinished();
    HostRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

QString codeOf(const char* ext) {
    return QString::number(FileExtToCode(QLatin1StringView(ext)));
}

TEST(ControlPreview, PdfAndWordShowInsideTheControlWithThePagesOptions) {
    TempHome home;
    Server server;
    ASSERT_EQ(host({u"--register"_s, QStringLiteral(OV_CTRL_LIB)}).exitCode, 0);
    const HostRun run = host({QStringLiteral(OV_SCRIPTS_DIR "/preview.js"), server.address(),
                          server.identity(), QString::number(demo::GearboxPdfFile), codeOf("pdf"),
                          QString::number(demo::TrackedWordFile), codeOf("docx"),
                          EncryptStringByKey(u"Readonly=False,CanPrint=True,HashPs=abc,"_s,
                                             u"qv7351_mxzt"_s, 3)});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"preview ok"_s)) << run.output.toStdString();
}

}  // namespace
}  // namespace ov::test
