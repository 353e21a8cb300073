// ov-docserver: the test document server as a program with demo content, for trying the client
// by hand. Options: --port N (0 or missing: any free port), --tls. Runs until interrupted.

#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httppages.h"
#include "testing/docserver/httpside.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace ov::test;

namespace {

DocServer::Options ParseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Test document server with demo content"_s);
    parser.addHelpOption();
    parser.addOption({u"port"_s, u"Port to listen on (0: any free port)."_s, u"port"_s, u"0"_s});
    parser.addOption({u"tls"_s, u"Serve under TLS with a self-signed certificate."_s});
    parser.process(app);
    DocServer::Options options;
    bool ok = false;
    const uint port = parser.value(u"port"_s).toUInt(&ok);
    if (!ok || port > 65535) parser.showHelp(2);
    options.port = quint16(port);
    options.tls = parser.isSet(u"tls"_s);
    return options;
}

int WaitForSignal() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    int signal = 0;
    sigwait(&set, &signal);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Blocked before any thread starts, so that only sigwait receives them.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);

    QCoreApplication app(argc, argv);
    const DocServer::Options options = ParseOptions(app);
    DocModel model;
    demo::LoadDemo(model);
    {
        std::lock_guard lock(model.mutex);
        demo::LoadFileManagerDemo(model);
    }
    DocCommands commands(model);
    DocHttp http(model);
    DocFileChannel files(model);
    demo::LoadDemoPdfs(model, files);
    demo::StoreOfficeDemoContents(files);
    DocServer server(options);
    commands.install(server);
    files.install(server);
    http.install(server);
    std::printf("ov-docserver listening on %s:%u (%s)\n", qPrintable(server.host()),
                unsigned(server.port()), options.tls ? "TLS" : "plain");
    std::printf("demo user: %s  password: %s\n", qPrintable(demo::DemoLogin()),
                qPrintable(demo::DemoPassword()));
    // What a page hands the desktop program for the demo user: server and identity.
    const ServerAddress address{server.host(), server.port(), options.tls};
    std::printf("client link: %s\n",
                qPrintable(clientStartLink(address, *model.userByLogin(demo::DemoLogin()))));
    std::fflush(stdout);
    WaitForSignal();
    server.stop();
    return 0;
}
