#include "client/mainwindow/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTimer>

#include "client/mainwindow/clipboardpoll.h"
#include "client/mainwindow/messagepoll.h"
#include "client/mainwindow/servertexts.h"
#include "client/mainwindow/trayicon.h"
#include "client/startup/startup.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "platform/windowbus.h"

using namespace Qt::StringLiterals;

namespace ov {

TQUEXClientFrm::TQUEXClientFrm(QWidget* parent)
    : QMainWindow(parent),
      FHS_Language(GlobalConfig()->SysLanguage()),
      m_bus(new platform::BusWindow(kMainWindowClass, this)) {
    m_bus->setHandler([this](quint32 msg, qint64 wParam, qint64 lParam) {
        return HandleMessage(msg, wParam, lParam);
    });
    FLogoPath = GlobalConfig()->ConfigPath() +
                (FHS_Language == HSL_ENG ? u"clientLogo2_ENG.png"_s : u"clientLogo2.png"_s);
    SetPerMonitorDpiAware(true);
    LoadTexts();
    BuildForm();
    LoadLogo();
    // Presses anywhere in the window may start a resize at its border or a move at the user
    // bar, so the filter watches the whole application.
    qApp->installEventFilter(this);
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    m_tray = new TrayIcon(icon, u"Orvane Client"_s, this);
    // A right click on the icon pops m_trayMenu up through the icon's message (a menu of the
    // icon's own would show beside it).
    connect(m_tray, &TrayIcon::activated, this,
            [this](int mouseCode) { HandleMessage(WM_TRAY, 0, mouseCode); });
    m_tray->show();
    m_msgPoll = new TMessagePoll(this);
    connect(m_msgPoll, &TMessagePoll::messagesWaiting, this, &TQUEXClientFrm::ShowUserMsg);
    m_workTimer = new QTimer(this);
    m_workTimer->setObjectName(u"TimerMsg"_s);
    m_workTimer->setInterval(500);
    connect(m_workTimer, &QTimer::timeout, this, &TQUEXClientFrm::TimerMsgTimer);
    m_workTimer->start();
}

TQUEXClientFrm::~TQUEXClientFrm() {
    const auto config = GlobalConfig();
    if (config->StartStyle() == SS_ACTIVTX) config->Clear();
}

bool TQUEXClientFrm::ListenOnBus() {
    return m_bus->listen();
}

void TQUEXClientFrm::ShowMainFrm() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (PFileMagFrm) PFileMagFrm->setVisible(FLastMagFrmSt);
    if (PBatchFrm) PBatchFrm->setVisible(FLastBatchFrmSt);
}

void TQUEXClientFrm::SetUserInfoText(const QString& text) {
    m_userBar->setText(u"    "_s + text);
}

QString TQUEXClientFrm::userInfoText() const {
    return m_userBar->text();
}

void TQUEXClientFrm::Exit() {
    const auto config = GlobalConfig();
    config->SetEncryptUserID(QString());
    config->SetUserId(0);
    config->SetUserName(QString());
    if (!config->AutoLogin()) {
        config->SetLoginName(QString());
        config->SetLoginPassword(QString());
    }
    config->Save();
    BClose = true;
    close();
}

void TQUEXClientFrm::SetLogin(bool loggedIn) {
    FIsLogin = loggedIn;
}

void TQUEXClientFrm::SetLoginServer(const QString& host, int port, bool ssl) {
    FServerIp = host;
    FServerPort = port;
    FServerSSL = ssl;
}

qint64 TQUEXClientFrm::HandleMessage(quint32 msg, qint64 /*wParam*/, qint64 lParam) {
    switch (msg) {
        case WM_TRAY:
            if (lParam == TrayIcon::kRightButtonDown) {
                activateWindow();
                m_trayMenu->popup(QCursor::pos());
            }
            if (lParam != kTrayLeftButtonDown) return 0;
            [[fallthrough]];
        case UM_BRING_TO_FRONT:
            ShowMainFrm();
            // The command file a second start wrote is taken at once, so that the next start
            // does not wait for it.
            Call(FHooks.TakeWebCmdFile);
            return 0;
        case UM_RUN:
            UmRun();
            return 0;
        case UM_CLOSE:
            BClose = true;
            close();
            return 0;
        case UM_DEL_TRAY:
            m_tray->hide();
            return 0;
        case UM_SET_MSG_TYPE:
            GlobalConfig()->SetLastTimeOfViewMsg(SnoozeUntil(lParam, Now()));
            return 0;
        case UM_ROBOT_BATCH_RUN:
        case UM_FILE_EDIT:
            return 0;  // the clipboard polls do the work
        default:
            return 0;
    }
}

void TQUEXClientFrm::ClearClipboardCmd() {
    try {
        ov::ClearClipboardCmd(*QGuiApplication::clipboard());
    } catch (...) {
        // a clipboard that cannot be read holds no command of ours
    }
}

void TQUEXClientFrm::closeEvent(QCloseEvent* event) {
    if (BClose) {
        event->accept();
        QCoreApplication::quit();
        return;
    }
    event->ignore();
    HideToTray();
}

void TQUEXClientFrm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray->isVisible())
        QTimer::singleShot(0, this, &TQUEXClientFrm::HideToTray);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &TQUEXClientFrm::Activated);
}

void TQUEXClientFrm::Activated() {
    raise();
    if (FLoginOver) return;
    // Marked before the login runs: its dialog activates the window again when it closes,
    // and that must not start a second login.
    FLoginOver = true;
    Call(FHooks.LoginOnActivate);
}

void TQUEXClientFrm::HideToTray() {
    // Without a notification area a hidden window could not be found again: it stays on the
    // task bar, minimised, with its panels as they are.
    if (!m_tray->isVisible()) {
        showMinimized();
        return;
    }
    if (!isVisible()) return;  // hidden already: the panels' states are remembered
    FLastMagFrmSt = PFileMagFrm && PFileMagFrm->isVisibleTo(this);
    FLastBatchFrmSt = PBatchFrm && PBatchFrm->isVisibleTo(this);
    if (PFileMagFrm) PFileMagFrm->hide();
    if (PBatchFrm) PBatchFrm->hide();
    hide();
}

void TQUEXClientFrm::ToggleMaximized() {
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

}  // namespace ov
