#include "control/members/clientwindow.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/object/quexformx.h"
#include "core/clientprogram.h"
#include "core/globalconfig.h"
#include "platform/processes.h"

namespace ov::control {

namespace {

platform::WindowHandle g_clientWindow;  // user-interface thread only
constexpr unsigned long kWaitStepMs = 100;
constexpr int kFindTimeoutMs = 200;

}  // namespace

void ForgetClientWindow() {
    g_clientWindow = {};
}

platform::WindowHandle RememberedClientWindow() {
    return g_clientWindow;
}

bool FindClientWindow() {
    for (const char16_t* className : kClientWindowClasses) {
        const platform::WindowHandle found =
            platform::findWindow(QString::fromUtf16(className), kFindTimeoutMs);
        if (found) g_clientWindow = found;
    }
    return static_cast<bool>(g_clientWindow);
}

bool WaitForClientWindow(int count, bool processEvents) {
    for (int i = 0; i < count; ++i) {
        if (processEvents) QCoreApplication::processEvents();
        QThread::msleep(kWaitStepMs);
        if (FindClientWindow()) return true;
    }
    return false;
}

void StartClient(TQuexFormX& self) {
    ForgetClientWindow();
    if (!platform::isProgramRunningInSession(ClientProgramName())) {
        const auto config = GlobalConfig();
        members::SaveUserInfo(self, config->UserId(), config->EncryptUserID(), config->UserName());
        if (!QProcess::startDetached(self.FClientFileName, {}))
            ShowControlError(self, ControlMessage(self, kRunClientFailed, self.FClientFileName));
    }
    WaitForClientWindow(30, true);
}

}  // namespace ov::control
