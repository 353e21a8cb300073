#pragma once
// Sends a synthetic key stroke (press and release) to a widget of a viewer, as if the user had
// typed it there, and lets the application handle it before returning.

#include <QWidget>
#include <Qt>

namespace ov {

// Nothing happens when `Wnd` is null. `Key` is a Qt key code (Qt::Key_P ...); `Shift` holds the
// modifiers that are down during the stroke; `SpecialKey` marks an extended key (a key of the
// cursor or editing block); Qt's key codes tell those apart already. The stroke is posted
// to the widget's event queue and the queue is processed before the call returns; the real
// keyboard state of the application is not changed.
void PostKeyEx(QWidget* Wnd, int Key, Qt::KeyboardModifiers Shift, bool SpecialKey);

}  // namespace ov
