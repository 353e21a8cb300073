#pragma once
// Forms embedded in the control: each fills it, the newest on top.

class QWidget;

namespace ov::control {

class TQuexFormX;

// Makes the form a child of the control that fills it, shown in front of the earlier ones.
void FillControl(TQuexFormX& self, QWidget* form);

}  // namespace ov::control
