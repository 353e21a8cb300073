#pragma once
// The main window of the running instance: a borderless window with a bar of icon buttons on
// the left, a user bar along the top and a work area. It owns the notification-area icon and
// the 500 ms work timer, and other processes find it on the window bus under its class name.
// Closing and minimising only hide it; only Exit (or message 0x470) ends the program.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

#include "client/mainwindow/background.h"
#include "client/mainwindow/hooks.h"
#include "core/types.h"

class QLabel;
class QMenu;
class QTimer;
class QWidget;

namespace ov::platform {
class BusWindow;
}

namespace ov {

class TrayIcon;
class TMessagePoll;
class TClipboardView;
struct TServerConfig;

// Messages the window handles (besides the second start's 0x46F and 0x500).
inline constexpr quint32 UM_CLOSE = 0x470;
inline constexpr quint32 UM_DEL_TRAY = 0x471;
inline constexpr quint32 UM_SET_MSG_TYPE = 0x501;
inline constexpr quint32 UM_RUN = 0x478;
inline constexpr quint32 UM_ROBOT_BATCH_RUN = 0x4DA;
inline constexpr quint32 UM_FILE_EDIT = 0x4DC;

class TQUEXClientFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TQUEXClientFrm(QWidget* parent = nullptr);
    // A window started by the control (start style SS_ACTIVTX) clears the handed-over
    // identity from the settings.
    ~TQUEXClientFrm() override;

    // Makes the window findable by other processes; false when another instance's window
    // already listens.
    bool ListenOnBus();
    // Shows the window, restored and in front.
    void ShowMainFrm();
    // The user bar shows four blanks and the text.
    void SetUserInfoText(const QString& text);
    // Logout and end: the identity is cleared from the settings (the login name and password
    // too unless automatic login is on), the settings saved, the window closed for good.
    void Exit();
    // While logged in, the timer does its work.
    void SetLogin(bool loggedIn);
    bool IsLogin() const { return FIsLogin; }
    // The server of the current login; the fetches after a login use its TLS choice.
    void SetLoginServer(const QString& host, int port, bool ssl);
    QString ServerIp() const { return FServerIp; }
    int ServerPort() const { return FServerPort; }
    bool ServerSSL() const { return FServerSSL; }
    THS_Language Language() const { return FHS_Language; }
    QString WelcomeText() const { return WLS_Welcome; }
    QString HintText() const { return WLS_Hint; }
    QString PleaseLoginText() const { return WLS_PleaseLogin; }
    // The hint shown when the desktop could not open the home page (no web browser).
    QString NoBrowserText() const { return WLS_NoBrowser; }

    // After every login: fetches the user's security levels, the client configuration and the
    // logo off the user-interface thread, and stores what arrived (ScInfos and FileExtInfo in
    // the settings object, the logo in its file and on the window). serverConfigLoaded follows.
    void LoadServerConfig(int userId);
    // Posts UM_RUN to the window (after a login): the work panels are shown and the saved
    // batch tasks started.
    void PostRun();

    // What the window hands to the windows and dialogs beside it.
    TMainFrmHooks& Hooks() { return FHooks; }
    // The file manager panel and the batch window: docked into the work area, hidden, and
    // owned by the window from then on.
    void SetFileManagerPanel(QWidget* panel);
    void SetBatchPanel(QWidget* panel);
    // One tick of the work timer (every 500 ms): web commands, the user-message poll and the
    // two clipboard polls, while logged in.
    void TimerMsgTimer();
    // A message as another process would send it; the result goes back to a sender.
    qint64 HandleMessage(quint32 msg, qint64 wParam, qint64 lParam);

    // Sets the clipboard text to two blanks when it holds a clipboard command of the control
    // ("[TranStyle]" or "[Key]", exact case), so that a new login does not run an old one.
    static void ClearClipboardCmd();
    // A batch task from the file manager: the batch window to the front, the task appended.
    void FileMagBatchFileDeal(const TBatchTransport& task);

    // The sides of the frame at a point of a window of the size: within `border` pixels of an
    // edge (top and bottom decide before left and right; corners combine them).
    static Qt::Edges FrameEdgesAt(QPoint pos, QSize size, int border);
    static constexpr int kFrameBorder = 4;

    // The logo picture: "clientLogo2_ENG.png" (English) or "clientLogo2.png" in the settings
    // folder.
    QString logoPath() const { return FLogoPath; }
    const QLabel* logo() const { return m_logo; }

    QString userInfoText() const;
    // The server's home page with a fresh one-time token, as the home button opens it.
    static QString HomePageUrl();
    QMenu* popupMenu() const { return m_trayMenu; }
    QMenu* toolsMenu() const { return m_toolsMenu; }
    QWidget* workArea() const { return m_workArea; }
    // The notice of the last user-message poll that found messages, while it is open.
    QWidget* messageNotice() const { return m_notice; }
    const TMessagePoll* messagePoll() const { return m_msgPoll; }

signals:
    void serverConfigLoaded();
    void messageNoticeShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every activation brings the window to the front; the first one runs the login.
    void Activated();
    void BuildForm();
    QWidget* BuildIconBar();
    QWidget* BuildUserBar();
    void BuildMenus();
    void LoadTexts();
    void HideToTray();
    void ToggleMaximized();
    void LoadLogo();
    // Opens the home page in the desktop's web browser; when that fails, a hint says so.
    void OpenHomePage();
    void ShowNoBrowserHint();
    void StoreServerConfig(const TServerConfig& config);
    void UmRun();
    void CheckUserMsg();
    void ShowUserMsg();
    void CheckEditFileCmd(TClipboardView& clipboard);
    void CheckBatchTaskCmd(TClipboardView& clipboard);
    void ShowPasswordDialog();
    void FileManagerToFront();
    void BatchToFront();
    static void Call(const std::function<void()>& hook);

    THS_Language FHS_Language;
    QString WLS_Welcome, WLS_Hint, WLS_PleaseLogin, WLS_NoBrowser;
    bool BClose = false;
    bool FIsLogin = false;
    bool FLoginOver = false;
    QString FServerIp;
    int FServerPort = 0;
    bool FServerSSL = false;
    bool FLastMagFrmSt = false;
    bool FLastBatchFrmSt = false;
    TMainFrmHooks FHooks;
    QPointer<QWidget> PFileMagFrm;
    QPointer<QWidget> PBatchFrm;
    TMessagePoll* m_msgPoll = nullptr;
    QPointer<QWidget> m_notice;
    TBackgroundTask m_configTask;
    // A fetch asked for while another is under way: the user id of the latest such request.
    std::optional<int> m_configPending;
    platform::BusWindow* m_bus;
    TrayIcon* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QLabel* m_userBar = nullptr;
    QLabel* m_logo = nullptr;
    QString FLogoPath;
    QWidget* m_workArea = nullptr;
    QTimer* m_workTimer = nullptr;
};

}  // namespace ov
