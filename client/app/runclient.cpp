#include "client/app/runclient.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "client/app/composition.h"
#include "client/desktop/programpath.h"
#include "client/mainwindow/background.h"
#include "client/startup/startup.h"
#include "core/globalconfig.h"
#include "core/powers.h"
#include "platform/officeconverter.h"
#include "platform/singleinstance.h"
#include "platform/widgets/fonts.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

int runInstance(int argc, char** argv, const TWebPages& webPages) {
    int result = 0;
    {
        // The file property page is a web view: its contexts are shared from the start.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication app(argc, argv);
        platform::installFontSubstitutions();
        TOvClient client(webPages);
        client.Start();
        result = app.exec();
        // The office kept running for the previews ends with the program.
        platform::endSessionOfficeConverters();
    }
    // Server work that a server which does not answer still holds must not run into the
    // destruction of the process's globals: the program ends here without them. Settings
    // were saved when the window closed.
    if (TBackgroundTask::Unfinished() > 0) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}

}  // namespace

int RunClient(int argc, char** argv, const TWebPages& webPages) {
    InitHelperModule();
    GlobalConfig();
    platform::SingleInstance instanceLock(u"OnlyInstanceForOvClient"_s);
    const auto lockState = instanceLock.acquire();
    if (lockState == platform::SingleInstance::State::Failed) return 1;

    TWebCmd cmd;
    if (argc > 1) {
        const QString argument = QString::fromLocal8Bit(argv[1]);
        if (argument.size() <= kMaxArgumentLength) {
            const QStringList tokens = PrepareArgument(argument);
            if (ApplySwitches(tokens, *GlobalConfig(), cmd) == SwitchResult::Register) {
                RegisterUrlProtocol(ProgramPath());
                return 0;
            }
        }
        RenewGlobalConfig();
    }
    const platform::WindowHandle running =
        FindRunningInstance(lockState == platform::SingleInstance::State::Held);
    if (cmd.Code != 0) {
        const TWebCmd written{static_cast<quint8>(cmd.Code & 0x7F), cmd.Cmd};
        WriteWebCmdFile(WebCmdFileName(), written, running ? kWebCmdWaitMs : 0);
    }
    if (running) {
        HandOver(running);
        return 0;
    }
    return runInstance(argc, argv, webPages);
}

}  // namespace ov
