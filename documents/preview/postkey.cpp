// A synthetic key stroke for a viewer widget.

#include "documents/preview/postkey.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ov {

namespace {

// The character a printable key types (none with Ctrl or Alt held).
QString TextOf(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde) return {};
    const QChar c(key);
    return (modifiers & Qt::ShiftModifier) ? QString(c.toUpper()) : QString(c.toLower());
}

}  // namespace

void PostKeyEx(QWidget* Wnd, int Key, Qt::KeyboardModifiers Shift, bool SpecialKey) {
    if (!Wnd) return;
    // Qt's key codes already tell the extended keys (cursor and editing block) apart, so the
    // flag changes nothing in the event.
    Q_UNUSED(SpecialKey);
    const Qt::KeyboardModifiers modifiers =
        Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                 Qt::KeypadModifier);
    const QString text = TextOf(Key, modifiers);
    QCoreApplication::postEvent(Wnd, new QKeyEvent(QEvent::KeyPress, Key, modifiers, text));
    QCoreApplication::postEvent(Wnd, new QKeyEvent(QEvent::KeyRelease, Key, modifiers, text));
    QCoreApplication::processEvents();
}

}  // namespace ov
