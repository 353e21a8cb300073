#pragma once
// Previewer and editor windows opened for a web page are free windows of the program's main
// window: sizeable, never docked, above the owner's other windows, at the rectangle the
// program remembers for them.

#include <QRect>
#include <QString>
#include <Qt>

class QWidget;

namespace ov {

inline constexpr Qt::WindowFlags kViewerWindowFlags = Qt::Window | Qt::WindowStaysOnTopHint;

// Makes the form such a window of `owner`, at `rect`, with the caption. A rectangle without
// width or height (never stored) keeps the form's size. A form that is already such a window
// of the owner keeps its parent; one that gets a new parent is hidden by that, so a form that
// was shown is shown again.
void PlaceAsViewerWindow(QWidget* form, QWidget* owner, const QRect& rect, const QString& caption);

}  // namespace ov
