#pragma once
// The main window of the running instance: a borderless window with a bar of icon buttons on
// the left, a user bar along the top and a work area. It owns the notification-area icon and
// the 500 ms work timer, and other processes find it on the window bus under its class name.
// Closing and minimising only hide it; only Exit (or message 0x470) ends the program.

#include <QMainWindow>

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

// Messages the window handles (besides the second start's 0x46F and 0x500).
inline constexpr quint32 UM_CLOSE = 0x470;
inline constexpr quint32 UM_DEL_TRAY = 0x471;
inline constexpr quint32 UM_SET_MSG_TYPE = 0x501;
inline constexpr quint32 UM_ROBOT_BATCH_RUN = 0x4DA;
inline constexpr quint32 UM_FILE_EDIT = 0x4DC;

class TQUEXClientFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TQUEXClientFrm(QWidget* parent = nullptr);
    // A window started by the control (start style SS_ACTIVTX) clears the handed-over
    // identity from the settings.
    ~TQUEXClientFrm() override;

    // Makes the window findable by other processes and queues a command file that is already
    // there; false when another instance's window already listens.
    bool ListenOnBus();
    // Shows the window, restored and in front.
    void ShowMainFrm();
    // Takes "WebCmd.txt" into the queue; true when a command was queued.
    bool TakeWebCommandFile();
    // The user bar shows four blanks and the text.
    void SetUserInfoText(const QString& text);
    // Logout and end: the identity is cleared from the settings (the login name and password
    // too unless automatic login is on), the settings saved, the window closed for good.
    void Exit();
    // While logged in, the timer does its work.
    void SetLogin(bool loggedIn);
    bool IsLogin() const { return FIsLogin; }
    // A message as another process would send it; the result goes back to a sender.
    qint64 HandleMessage(quint32 msg, qint64 wParam, qint64 lParam);

    // Sets the clipboard text to two blanks when it holds a clipboard command of the control
    // ("[TranStyle]" or "[Key]", exact case), so that a new login does not run an old one.
    static void ClearClipboardCmd();

    // The sides of the frame at a point of a window of the size: within `border` pixels of an
    // edge (top and bottom decide before left and right; corners combine them).
    static Qt::Edges FrameEdgesAt(QPoint pos, QSize size, int border);
    static constexpr int kFrameBorder = 4;

    // The logo picture: "clientLogo2_ENG.png" (English) or "clientLogo2.png" in the settings
    // folder.
    QString logoPath() const { return FLogoPath; }
    const QLabel* logo() const { return imgLog; }

    QString userInfoText() const;
    QMenu* popupMenu() const { return PopupMenu2; }
    QMenu* toolsMenu() const { return pmTools; }

signals:
    void webCommandQueued();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    QWidget* BuildIconBar();
    QWidget* BuildUserBar();
    void BuildMenus();
    void LoadTexts();
    void HideToTray();
    void ToggleMaximized();
    void TimerMsgTimer();
    void LoadLogo();
    void OpenHomePage();

    THS_Language FHS_Language;
    QString WLS_Welcome, WLS_Hint, WLS_PleaseLogin;
    bool BClose = false;
    bool FIsLogin = false;
    platform::BusWindow* m_bus;
    TrayIcon* m_tray = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QMenu* pmTools = nullptr;
    QLabel* plUserInfo = nullptr;
    QLabel* imgLog = nullptr;
    QString FLogoPath;
    QWidget* plWork = nullptr;
    QTimer* TimerMsg = nullptr;
};

}  // namespace ov
