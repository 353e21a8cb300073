// Grabs the main window of a demo user in Chinese and in English into the folder given as the
// argument (mainwin-cn.png, mainwin-en.png), with a private home folder. The logo comes from
// the test server as after a login. Run it under a real X server (xvfb-run) to see the fonts a
// desktop would use.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "client/mainwindow/mainwindow.h"
#include "core/globalconfig.h"
#include "platform/widgets/fonts.h"
#include "support/temphome.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/httpside.h"

using namespace Qt::StringLiterals;

namespace {

bool shoot(ov::test::DocServer& server, ov::THS_Language language, const QString& fileName) {
    const auto config = ov::GlobalConfig();
    config->SetSysLanguage(language);
    config->SetServerHost(server.host());
    config->SetServerPort(server.port());
    config->Save();
    ov::RenewGlobalConfig();
    ov::TQUEXClientFrm window;
    window.SetLoginServer(server.host(), server.port(), false);
    bool loaded = false;
    QObject::connect(&window, &ov::TQUEXClientFrm::serverConfigLoaded, [&] { loaded = true; });
    window.LoadServerConfig(ov::test::demo::DemoUser);
    window.SetUserInfoText(window.WelcomeText() + u"张三 (zhang)"_s);
    window.ShowMainFrm();
    const QDeadlineTimer deadline(10000);
    while (!loaded && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return window.grab().save(fileName, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    ov::test::TempHome home;
    QApplication app(argc, argv);
    ov::platform::installFontSubstitutions();
    ov::test::DocModel model;
    ov::test::demo::LoadDemo(model);
    ov::test::DocServer server;
    const auto http = ov::test::installHttpSide(server, model);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"/tmp/ov-shots"_s;
    QDir().mkpath(folder);
    const bool ok = shoot(server, ov::HSL_CN, folder + u"/mainwin-cn.png"_s) &&
                    shoot(server, ov::HSL_ENG, folder + u"/mainwin-en.png"_s);
    ov::FreeGlobalConfig();
    std::printf("%s\n", ok ? "saved" : "failed");
    return ok ? 0 : 1;
}
