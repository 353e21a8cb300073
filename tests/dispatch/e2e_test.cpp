// End to end on a desktop: the running client and a second start of the program as a browser
// starts it for an "OvClient://" link. The second process hands the preview command over, the
// first one fetches the PDF from the test server and shows it in its previewer; when the client
// ends, the previewer's copy is gone.

#include <gtest/gtest.h>
#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include "client/mainwindow/mainwindow.h"
#include "client/startup/startup.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "platform/windowbus.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"
#include "testing/docserver/httpside.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

// A real display: the programs and this test draw on the X server of xvfb-run.
QApplication& app() {
    static int argc = 1;
    static char name[] = "test_dispatch_e2e";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return new QApplication(argc, argv);
    }();
    return *application;
}

template <typename Condition>
bool waitFor(Condition condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

// A one-page PDF with a visible title.
QByteArray makePdf() {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        QFont font = painter.font();
        font.setPointSize(28);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, writer.width(), writer.height() / 4), Qt::AlignCenter,
                         u"Ov end-to-end preview"_s);
        painter.drawRect(QRect(0, 0, writer.width() - 1, writer.height() - 1));
    }
    return bytes;
}

std::unique_ptr<QProcess> startClient(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QStringLiteral(OV_CLIENT_EXE), arguments);
    return process;
}

// The names of the top-level windows on the display.
QString windowNames() {
    QProcess list;
    list.start(u"xwininfo"_s, {u"-root"_s, u"-tree"_s});
    list.waitForFinished(5000);
    return QString::fromUtf8(list.readAllStandardOutput());
}

void saveScreenshot() {
    const QByteArray folder = qgetenv("OV_SHOTS_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    app().primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(folder) + u"/e2e.png"_s);
}

}  // namespace

TEST(EndToEnd, ALinkPreviewsAPdfInTheRunningClientWithItsRestrictions) {
    app();
    test::TempHome home;
    test::DocModel model;
    test::demo::LoadDemo(model);
    test::DocCommands commands(model);
    test::DocFileChannel files(model);
    test::DocHttp http(model);
    test::DocServer server;
    commands.install(server);
    files.install(server);
    http.install(server);
    files.setContent(test::demo::ReportFile, makePdf());

    // The running client is logged in with an identity a web page handed over.
    {
        const auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetSysLanguage(HSL_ENG);
        config->SetStartStyle(SS_ACTIVTX);
        config->SetUserId(test::demo::DemoUser);
        config->SetEncryptUserID(test::demo::DemoToken());
        config->SetUserName(u"demo"_s);
        ASSERT_TRUE(config->Save());
        FreeGlobalConfig();
    }
    auto first = startClient({});
    platform::WindowHandle window;
    ASSERT_TRUE(
        waitFor([&] { return bool(window = platform::findWindow(kMainWindowClass, 200)); }, 30000));

    // The browser's start for the link: a read-only, unprintable preview.
    const QString link =
        u"OvClient://-p%20[code]13[/code][cmd][filekey]%1[/filekey][filename]report.pdf"
        u"[/filename][ctparams]Readonly=True,CanPrint=False,HashPs=e2e,[/ctparams][/cmd]/"_s.arg(
            test::demo::ReportFile);
    auto second = startClient({link});
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitCode(), 0);

    // The first process fetched the file for a preview, with the document's options.
    const auto previewFetched = [&] {
        for (const auto& transfer : files.transfers())
            if (transfer.params.contains(u"[HashPs]e2e[/HashPs]"_s) &&
                transfer.params.contains(u"[IsPreView]True[/IsPreView]"_s))
                return true;
        return false;
    };
    EXPECT_TRUE(waitFor(previewFetched, 30000));
    // The previewer's window (captioned with its copy's name) in the remembered size, when the
    // display can be listed. Where it first shows is the previewer's own choice.
    if (!QStandardPaths::findExecutable(u"xwininfo"_s).isEmpty()) {
        const QRect rect = RenewGlobalConfig()->PreviewRect();
        FreeGlobalConfig();
        const QString placed =
            u".pdf\": (\"OvClient\" \"OvClient\")  %1x%2"_s.arg(rect.width()).arg(rect.height());
        EXPECT_TRUE(waitFor([&] { return windowNames().contains(placed); }, 20000))
            << placed.toStdString() << "\n"
            << windowNames().toStdString();
    }
    waitFor([] { return false; }, 2000);  // the page is drawn
    saveScreenshot();

    // Ending the client frees the previewer, and its copy with it.
    ASSERT_TRUE(platform::postMessage(window, UM_CLOSE, 0, 0));
    EXPECT_TRUE(first->waitForFinished(30000));
    const QStringList left = QDir(home.file(u".local/share/Ov/Temp"_s))
                                 .entryList({u"*.pdf"_s}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
}
