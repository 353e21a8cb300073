#include "platform/widgets/inputguard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <atomic>

namespace ov::platform {

namespace {

std::atomic<bool> g_allowCtrlC{false};
std::atomic<bool> g_rightClickInControlOnly{true};

bool isRightButtonEvent(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton;
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

// Walks from the object through its parents, up to its window, and asks each. Dialogs that a
// guarded widget opens are windows of their own and keep their keys.
template <typename Pred>
bool anyAncestor(const QObject* object, Pred pred) {
    for (const QObject* o = object; o; o = o->parent()) {
        if (pred(o)) return true;
        if (o->isWidgetType() && static_cast<const QWidget*>(o)->isWindow()) return false;
    }
    return false;
}

}  // namespace

InputGuard& InputGuard::instance() {
    static QPointer<InputGuard> guard;
    if (!guard) guard = new InputGuard;
    guard->install();
    return *guard;
}

InputGuard::InputGuard() = default;

// Becomes a child of the application (which deletes it) and watches its events, once there is
// an application.
void InputGuard::install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || parent() == app) return;
    setParent(app);
    app->installEventFilter(this);
}

void InputGuard::setAllowCtrlC(bool allow) {
    g_allowCtrlC = allow;
}
bool InputGuard::allowCtrlC() {
    return g_allowCtrlC;
}
void InputGuard::setRightClickInControlOnly(bool inControlOnly) {
    g_rightClickInControlOnly = inControlOnly;
}
bool InputGuard::rightClickInControlOnly() {
    return g_rightClickInControlOnly;
}

bool InputGuard::isKeyDiscarded(int key, Qt::KeyboardModifiers modifiers, bool allowCtrlC) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (allowCtrlC && key == Qt::Key_C && held == Qt::ControlModifier) return false;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return true;
    return held != Qt::NoModifier;
}

void InputGuard::guard(QWidget* widget) {
    if (!widget || m_guarded.contains(widget)) return;
    m_guarded.insert(widget);
    connect(widget, &QObject::destroyed, this, &InputGuard::forget, Qt::UniqueConnection);
}

void InputGuard::unguard(QWidget* widget) {
    m_guarded.remove(widget);
}

bool InputGuard::isGuarded(const QWidget* widget) const {
    return m_guarded.contains(widget);
}

void InputGuard::markControlWindow(QWidget* widget) {
    if (!widget) return;
    m_controlWindows.insert(widget);
    connect(widget, &QObject::destroyed, this, &InputGuard::forget, Qt::UniqueConnection);
}

void InputGuard::forget(QObject* object) {
    m_guarded.remove(object);
    m_controlWindows.remove(object);
}

bool InputGuard::insideGuarded(const QObject* target) const {
    return anyAncestor(target, [this](const QObject* o) { return m_guarded.contains(o); });
}

bool InputGuard::insideControlWindow(const QObject* target) const {
    return anyAncestor(target, [this](const QObject* o) { return m_controlWindows.contains(o); });
}

bool InputGuard::keyEventDiscarded(QObject* target, QEvent* event) const {
    if (!insideGuarded(target)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return isKeyDiscarded(key->key(), key->modifiers(), g_allowCtrlC);
}

bool InputGuard::mouseEventDiscarded(QObject* target, QEvent* event) const {
    if (m_guarded.isEmpty() || !isRightButtonEvent(event)) return false;
    if (!g_rightClickInControlOnly) return true;
    return insideGuarded(target) || insideControlWindow(target);
}

bool InputGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Accepting the override keeps the key from triggering a short-cut; the key press
            // that follows is then discarded below.
            if (!keyEventDiscarded(watched, event)) return false;
            event->accept();
            return true;
        case QEvent::KeyPress:
            return keyEventDiscarded(watched, event);
        default:
            return mouseEventDiscarded(watched, event);
    }
}

}  // namespace ov::platform
