#pragma once
// What the control's viewer members ask of the machine and of the user: the system's answers
// and the choice dialog, unless a test put its own in their place.

#include "documents/viewerchoice/viewerchoice.h"

namespace ov::control {

class TQuexFormX;

// Null restores the system's answers / the dialog.
void SetControlViewerEnvironment(const ViewerEnvironment* environment);
void SetControlViewerAsk(ViewerAsk ask);

const ViewerEnvironment& ControlViewerEnvironment();
ViewerAsk ControlViewerAsk(TQuexFormX& self);

// "part.prt.12": a part file with a version number as its last extension.
bool IsVersionedPrtName(const QString& FileName);

}  // namespace ov::control
