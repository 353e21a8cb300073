#pragma once
// The notification-area icon of the main window. On a desktop without a notification area the
// icon is not seen: isVisible() tells the window to stay reachable some other way (it keeps
// itself on the task bar instead of hiding). A notification area that starts after the program
// (the program started at log-in before the desktop's panel) shows the icon from then on.

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

class QMenu;

namespace ov {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Mouse codes handed to `activated`, the ones the main window's icon message carries.
    static constexpr int kLeftButtonDown = 0x201;
    static constexpr int kLeftDoubleClick = 0x203;
    static constexpr int kRightButtonDown = 0x204;

    TrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent = nullptr);

    // Whether the desktop has a notification area now.
    static bool hasTray();
    // What hasTray() answers, for tests; an empty function restores the desktop's answer.
    static void setTrayProbe(std::function<bool()> probe);
    // Shows the icon, now or as soon as a notification area appears; false when there is none
    // now.
    bool show();
    void hide();
    // Shown, and there is a notification area to show it in.
    bool isVisible() const;
    void setToolTip(const QString& toolTip);
    // The menu stays owned by the caller.
    void setContextMenu(QMenu* menu);
    // A balloon message; false when it cannot be shown (no notification area).
    bool showMessage(const QString& title, const QString& text, int timeoutMs = 10000);

    // The mouse code of an activation reason (0 for reasons without one).
    static int mouseCode(QSystemTrayIcon::ActivationReason reason);

signals:
    void activated(int mouseCode);

private:
    QSystemTrayIcon* m_icon;
};

}  // namespace ov
