#include "client/mainwindow.h"

#include "client/startup.h"
#include "client/webcmd.h"
#include "platform/windowbus.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {
constexpr quint32 UM_ROBOT_BATCH_RUN = 0x4DA;
constexpr quint32 UM_FILE_EDIT = 0x4DC;
}  // namespace

TQUEXClientFrm::TQUEXClientFrm(QWidget* parent)
    : QMainWindow(parent), m_bus(new platform::BusWindow(kMainWindowClass, this)) {
    setObjectName(u"QUEXClientFrm"_s);
    setWindowTitle(u"Orvane Client"_s);
    resize(800, 600);
    m_bus->setHandler([this](quint32 msg, qint64 wParam, qint64 lParam) {
        return HandleMessage(msg, wParam, lParam);
    });
}

TQUEXClientFrm::~TQUEXClientFrm() = default;

bool TQUEXClientFrm::ListenOnBus() {
    const bool listening = m_bus->listen();
    // A command file that is there now (this start's own, or one nobody took) is queued at
    // once: later starts wait for the file to be gone before they write theirs.
    TakeWebCommandFile();
    return listening;
}

void TQUEXClientFrm::ShowMainFrm() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool TQUEXClientFrm::TakeWebCommandFile() {
    const std::optional<TWebCmd> cmd = TakeWebCmdFile(WebCmdFileName());
    if (!cmd) return false;
    WebCommand().Add(*cmd);
    emit webCommandQueued();
    return true;
}

qint64 TQUEXClientFrm::HandleMessage(quint32 msg, qint64 /*wParam*/, qint64 lParam) {
    switch (msg) {
        case WM_TRAY:
            if (lParam != kTrayLeftButtonDown) return 0;
            [[fallthrough]];
        case UM_BRING_TO_FRONT:
            ShowMainFrm();
            // The command file a second start wrote is taken at once, so that the next start
            // does not wait for it.
            TakeWebCommandFile();
            return 0;
        case UM_ROBOT_BATCH_RUN:
        case UM_FILE_EDIT:
            return 0;  // the clipboard polls do the work
        default:
            return 0;
    }
}

}  // namespace ov
