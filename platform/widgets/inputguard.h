#pragma once
// Keeps a read-only document from being copied, saved or printed through short-cuts and context
// menus: an application event filter that discards, for the widgets it guards (and everything
// inside them), key presses with Ctrl, Shift or Alt held and the function keys, and right
// clicks. It touches nothing outside this process.
//
// Two process-wide switches steer it:
//  - allowCtrlC: Ctrl+C passes (the document's options allow copying);
//  - rightClickInControlOnly: true (the default) discards right clicks only inside guarded
//    widgets and inside the windows marked as control windows; false discards them in every
//    window of the process while any widget is guarded.

#include <QObject>
#include <QPointer>
#include <QSet>
#include <Qt>

class QWidget;

namespace ov::platform {

class InputGuard : public QObject {
    Q_OBJECT
public:
    // The guard of this process, installed on the application at first use. Use it on the
    // user-interface thread only.
    static InputGuard& instance();

    static void setAllowCtrlC(bool allow);
    static bool allowCtrlC();
    static void setRightClickInControlOnly(bool inControlOnly);
    static bool rightClickInControlOnly();

    // The key rule: whether a key press of `key` with `modifiers` is discarded. F1 to F24 and
    // every key with Ctrl, Shift or Alt held are discarded, except Ctrl+C when `allowCtrlC`.
    // (Key releases always pass.)
    static bool isKeyDiscarded(int key, Qt::KeyboardModifiers modifiers, bool allowCtrlC);

    // Guards the widget and its children until unguarded or destroyed.
    void guard(QWidget* widget);
    void unguard(QWidget* widget);
    bool isGuarded(const QWidget* widget) const;
    // Marks a window as one of the control's windows (see rightClickInControlOnly).
    void markControlWindow(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputGuard();
    void install();
    bool insideGuarded(const QObject* target) const;
    bool insideControlWindow(const QObject* target) const;
    bool keyEventDiscarded(QObject* target, QEvent* event) const;
    bool mouseEventDiscarded(QObject* target, QEvent* event) const;
    void forget(QObject* object);

    QSet<const QObject*> m_guarded;
    QSet<const QObject*> m_controlWindows;
};

}  // namespace ov::platform
