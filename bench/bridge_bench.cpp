// Synchronous member calls from a page through OvBrowser's bridge: the test server's control
// page in a browser window calls `GetOcxEdition` N times in a loop and measures the time in the
// page; each round prints calls per second. Needs a display (for example under xvfb-run).
//   ov-bench-bridge [--calls N] [--rounds R]
// Runs in a private home (the control is registered there), so the user's files stay untouched.

#include "control/hosts/ovbrowser/browserpage.h"
#include "control/hosts/ovbrowser/browserwindow.h"
#include "control/ovcom/runtime.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/httpside.h"
#include "testing/docserver/server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

using namespace ov;
using namespace ov::test;

namespace {

struct Options {
    int calls = 10000;
    int rounds = 5;
};

Options Parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const int value = args[i + 1].toInt();
        if (args[i] == u"--calls" && value > 0) o.calls = value;
        else if (args[i] == u"--rounds" && value > 0) o.rounds = value;
        else {
            std::fprintf(stderr, "usage: ov-bench-bridge [--calls N] [--rounds R]\n");
            std::exit(2);
        }
    }
    return o;
}

// HOME and the XDG folders in a temporary folder; Chromium as root without its sandbox and
// rendering in software, as the tests run it.
void PrivateEnvironment(const QTemporaryDir& home) {
    const QByteArray root = QFile::encodeName(home.path());
    ::setenv("HOME", root.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/.config").constData(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/.local/share").constData(), 1);
    ::setenv("XDG_CACHE_HOME", (root + "/.cache").constData(), 1);
    if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 0);
    ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
}

bool WaitFor(ovbrowser::BrowserPage& page, const QString& script, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (page.runScript(script, true, ms).toBool()) return true;
        QEventLoop pause;
        QTimer::singleShot(50, &pause, &QEventLoop::quit);
        pause.exec();
    }
    return false;
}

// One round: the page's own measurement of `calls` calls, in milliseconds (< 0: failed).
double Round(ovbrowser::BrowserPage& page, int calls) {
    page.runScript(QStringLiteral("calls(%1); true").arg(calls), true, 600000);
    const QString json = page.runScript(QStringLiteral("JSON.stringify(window.ovResults.load)"),
                                        true, 10000)
                             .toString();
    const QJsonObject load = QJsonDocument::fromJson(json.toUtf8()).object();
    if (load.value(QStringLiteral("calls")).toInt() != calls) return -1;
    return load.value(QStringLiteral("ms")).toDouble();
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    PrivateEnvironment(home);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const Options options = Parse(app.arguments());
    if (ovcom::CallLibraryEntry(QStringLiteral(OV_CTRL_LIB), "DllRegisterServer") != ovcom::S_OK) {
        std::fprintf(stderr, "cannot register the control %s\n", OV_CTRL_LIB);
        return 1;
    }
    DocModel model;
    demo::LoadDemo(model);
    DocServer server;
    const auto http = installHttpSide(server, model);
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/ovctrl").arg(server.port()));
    int status = 0;
    {
        ovbrowser::BrowserWindow window(url, home.filePath(QStringLiteral("Downloads")));
        window.show();
        ovbrowser::BrowserPage& page = window.page();
        if (!WaitFor(page, QStringLiteral("!!(window.ovResults && window.ovResults.ready)"), 60000)) {
            std::fprintf(stderr, "the control page did not come up\n");
            return 1;
        }
        Round(page, 100);  // warms the bridge and the page's compiler
        std::vector<double> rates;
        for (int r = 0; r < options.rounds; ++r) {
            const double ms = Round(page, options.calls);
            if (ms <= 0) {
                std::fprintf(stderr, "round %d failed\n", r + 1);
                status = 1;
                break;
            }
            rates.push_back(options.calls * 1000.0 / ms);
            std::printf("round %d: %d calls in %.0f ms, %.0f calls/s\n", r + 1, options.calls, ms,
                        rates.back());
        }
        if (!rates.empty()) {
            std::sort(rates.begin(), rates.end());
            std::printf("bridge: median %.0f calls/s (best %.0f, worst %.0f) over %zu rounds\n",
                        rates[rates.size() / 2], rates.back(), rates.front(), rates.size());
        }
    }
    server.stop();
    return status;
}
