// ov-docserver: the test document server as a program with demo content, for trying the client
// by hand. Options: --port N (0 or missing: any free port), --tls. Runs until interrupted.
// Exit status 1 when it cannot listen (the port in use), 2 for a bad argument.

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
#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;
using namespace ov::test;

namespace {

// A usage error: which argument and why, on the error stream; exit status 2.
[[noreturn]] void BadArgument(const QString& reason) {
    std::fprintf(stderr, "ov-docserver: %s\nRun \"ov-docserver --help\" for the options.\n",
                 qUtf8Printable(reason));
    std::exit(2);
}

DocServer::Options ParseOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Test document server with demo content"_s);
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOption({u"port"_s, u"Port to listen on (0: any free port)."_s, u"port"_s, u"0"_s});
    parser.addOption({u"tls"_s, u"Serve under TLS with a self-signed certificate."_s});
    if (!parser.parse(app.arguments())) BadArgument(parser.errorText());
    if (parser.isSet(help)) parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty())
        BadArgument(u"unexpected argument \"%1\""_s.arg(parser.positionalArguments().first()));
    DocServer::Options options;
    bool ok = false;
    const QString portText = parser.value(u"port"_s);
    const uint port = portText.toUInt(&ok);
    if (!ok || port > 65535)
        BadArgument(u"--port %1: the port must be a number from 0 to 65535 (0: any free port)"_s
                        .arg(portText));
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
    demo::StorePreviewerDemoContents(files);
    demo::LoadVersionsDemo(model);
    demo::StoreVersionsDemoContents(files);
    demo::LoadBatchDemo(model, files);
    std::unique_ptr<DocServer> listening;
    try {
        listening = std::make_unique<DocServer>(options);
    } catch (const std::exception& e) {
        // Most often the port is taken by another program (or another ov-docserver).
        std::fprintf(stderr, "ov-docserver: %s\n", e.what());
        return 1;
    }
    DocServer& server = *listening;
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
