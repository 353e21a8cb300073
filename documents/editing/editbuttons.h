#pragma once
// The editors' command bar: a white panel, 32 pixels high, with flat underlined buttons.

#include <QString>

class QHBoxLayout;
class QToolButton;
class QWidget;

namespace ov {

// The panel "plToolbar" (hidden at first) with a left-aligned row for the buttons.
QWidget* NewEditToolbarPanel(QWidget* parent, QHBoxLayout*& row);
// A flat button of that bar: font "微软雅黑" 14 pixels bold underlined, the given width.
QToolButton* NewEditToolbarButton(QWidget* panel, QHBoxLayout* row, const QString& objectName,
                                  const QString& caption, int width);
// The colour value 0xA37600 of the bar's buttons, in every language.
void ColourEditToolbarButton(QToolButton* button);

}  // namespace ov
