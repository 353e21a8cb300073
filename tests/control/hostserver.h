#pragma once
// What the control's page tests share: the test server with the demo documents on a loopback
// port, and a run of ovctrl-host with a script.

#include <QProcess>
#include <QProcessEnvironment>

#include "control/ovcom/runtime.h"
#include "core/cipher.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httppages.h"
#include "testing/docserver/httpside.h"

namespace ov::test {

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
    QString address() const { return QStringLiteral("127.0.0.1#%1").arg(server.port()); }
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

inline HostRun host(const QStringList& args,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(OV_HOST_EXE), args);
    if (!process.waitForFinished(240000)) process.kill();
    process.waitForFinished();
    HostRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

inline HostRun registerControl() {
    return host({QStringLiteral("--register"), QStringLiteral(OV_CTRL_LIB)});
}

}  // namespace ov::test
