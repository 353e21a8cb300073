// Time of an office preview from the request to the first page on the screen: the test server
// on loopback serves a small Word document (one page), the previewer fetches it, LibreOffice
// converts it and the built-in viewer renders the page.
//   ov-bench-officepreview [--runs N] [--shot FILE] [--nav]
// First the baseline: the bare conversion of that document by a new office each time (cold)
// and by the office kept running (warm; its first conversion includes the office's start).
// Then the previews: each run's time, the first (which starts the session's office) and the
// median of the later ones; --shot saves a picture of the last previewer (with its navigation
// pane open when --nav is given).
// Runs under a private home (a temporary folder), so that it leaves no settings behind.

#include "core/filetype.h"
#include "core/globalconfig.h"
#include "documents/office/officepreview.h"
#include "platform/officeconverter.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

struct Options {
    int runs = 3;
    QString shot;
    bool nav = false;
};

Options Parse(const QStringList& args) {
    Options o;
    o.nav = args.contains(u"--nav"_s);
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--runs"_s)
            o.runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--shot"_s)
            o.shot = args[++i];
    }
    return o;
}

void PrivateHome(const QTemporaryDir& home) {
    const QByteArray path = QFile::encodeName(home.path());
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    qputenv("XDG_CACHE_HOME", path + "/.cache");
}

// One preview: milliseconds from ShowHTML to the first page rendered, or -1.
qint64 PreviewOnce(std::unique_ptr<TOfficeFilePreviewFrm>& form, TPreViewHint& hint) {
    form = std::make_unique<TOfficeFilePreviewFrm>();
    form->PreViewHintFrm = &hint;
    form->SetDocReadonly(true);
    form->resize(900, 700);
    form->show();
    QEventLoop loop;
    bool shown = false;
    QObject::connect(form.get(), &TOfficeFilePreviewFrm::documentShown, &loop, [&](bool ok) {
        shown = ok;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    form->ShowHTML(FileExtToCode(u"docx"_s), -1, demo::TrackedWordFile);
    loop.exec();
    if (!shown || !form->Viewer()->waitForRendering(30000)) return -1;
    return clock.elapsed();
}

qint64 Median(std::vector<qint64> times) {
    std::sort(times.begin(), times.end());
    return times.empty() ? -1 : times[times.size() / 2];
}

// The bare conversions of the document: a new office each time, then the office kept running.
void Baseline(const QString& document, int runs) {
    const auto office = platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
    if (!office) return;
    const QString pdf = document + u".pdf"_s;
    std::vector<qint64> cold;
    for (int run = 0; run < runs; ++run)
        cold.push_back(platform::convertToPdf(*office, {document, pdf}).elapsedMs);
    platform::WarmOfficeConverter warm(*office);
    const qint64 start = warm.convert({document, pdf}).elapsedMs;
    std::vector<qint64> warmed;
    for (int run = 0; run < runs; ++run)
        warmed.push_back(warm.convert({document, pdf}).elapsedMs);
    std::printf("bare conversion, new office each time: median of %d: %lld ms\n", runs,
                static_cast<long long>(Median(cold)));
    std::printf("bare conversion, office kept running: first (with its start) %lld ms, then "
                "median of %d: %lld ms\n",
                static_cast<long long>(start), runs, static_cast<long long>(Median(warmed)));
}

void WriteDemoDocument(const QString& fileName) {
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) file.write(demo::OfficeDemoContent(demo::TrackedWordFile));
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    PrivateHome(home);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = Parse(app.arguments());
    const QString document = home.filePath(u"baseline.docx"_s);
    WriteDemoDocument(document);
    Baseline(document, options.runs);
    DocModel model;
    demo::LoadDemo(model);
    DocCommands commands(model);
    DocFileChannel files(model);
    demo::StoreOfficeDemoContents(files);
    DocServer server;
    commands.install(server);
    files.install(server);
    const auto config = RenewGlobalConfig();
    config->SetServerHost(server.host());
    config->SetServerPort(server.port());
    config->SetEncryptUserID(demo::DemoToken());
    config->SetSysLanguage(HSL_ENG);
    TPreViewHint hint(HSL_ENG, nullptr);
    std::vector<qint64> times;
    std::unique_ptr<TOfficeFilePreviewFrm> form;
    for (int run = 1; run <= options.runs; ++run) {
        if (form) form->CloseOleObject();
        const qint64 ms = PreviewOnce(form, hint);
        std::printf("run %d: %lld ms\n", run, static_cast<long long>(ms));
        if (ms < 0) return 1;
        times.push_back(ms);
    }
    // The first preview starts the session's office; the later ones find it running.
    std::printf("request to first page: first preview %lld ms", static_cast<long long>(times[0]));
    if (times.size() > 1)
        std::printf(", later previews median of %zu: %lld ms", times.size() - 1,
                    static_cast<long long>(Median({times.begin() + 1, times.end()})));
    std::printf("\n");
    if (!options.shot.isEmpty()) {
        if (options.nav) form->NavPaneVisible(true);
        QCoreApplication::processEvents();
        form->Viewer()->waitForRendering(30000);
        form->grab().save(options.shot);
    }
    form->CloseOleObject();
    form.reset();
    server.stop();
    FreeGlobalConfig();
    return 0;
}
