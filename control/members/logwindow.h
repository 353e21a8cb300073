#pragma once
// The version-control log window of the control: made once, on first use, and kept until the
// page's clean-up frees it.

namespace ov {
class THintFrmXe;
}

namespace ov::control {

class TQuexFormX;

THintFrmXe* EnsureLogWindow(TQuexFormX& self);

}  // namespace ov::control
