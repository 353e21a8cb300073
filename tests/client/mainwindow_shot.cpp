// Grabs the main window, logged out and logged in, in Chinese and in English into the folder
// given as the argument (mainwin-cn.png, mainwin-en.png), with a private home folder. Run it
// under a real X server (xvfb-run) to see the fonts a desktop would use.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "client/mainwindow.h"
#include "core/globalconfig.h"
#include "platform/widgets/fonts.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace {

bool shoot(ov::THS_Language language, const QString& fileName) {
    ov::GlobalConfig()->SetSysLanguage(language);
    ov::GlobalConfig()->Save();
    ov::RenewGlobalConfig();
    ov::TQUEXClientFrm window;
    window.SetUserInfoText(window.WelcomeText() + u"张三 (zhang)"_s);
    window.ShowMainFrm();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return window.grab().save(fileName, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    ov::test::TempHome home;
    QApplication app(argc, argv);
    ov::platform::installFontSubstitutions();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"/tmp/ov-shots"_s;
    QDir().mkpath(folder);
    const bool ok = shoot(ov::HSL_CN, folder + u"/mainwin-cn.png"_s) &&
                    shoot(ov::HSL_ENG, folder + u"/mainwin-en.png"_s);
    ov::FreeGlobalConfig();
    std::printf("%s\n", ok ? "saved" : "failed");
    return ok ? 0 : 1;
}
