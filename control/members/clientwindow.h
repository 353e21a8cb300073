#pragma once
// OvClient's main window as the control finds it on the window bus, remembered for all
// controls of the process, and the start of OvClient when it does not run.

#include "platform/windowbus.h"

namespace ov::control {

class TQuexFormX;

// The class names whose windows take the hand-over (the last one found wins).
inline constexpr const char16_t* kClientWindowClasses[] = {u"TQUEXClientFrm",
                                                           u"TBatchFileDealMainFrm2"};

void ForgetClientWindow();
platform::WindowHandle RememberedClientWindow();

// Looks for the windows once; true when one was found (and remembered).
bool FindClientWindow();

// Up to `count` times: pending events processed (when asked), 100 ms sleep, a look for the
// window. True as soon as one is remembered.
bool WaitForClientWindow(int count, bool processEvents);

// Starts OvClient (with the identity handed over) when it does not run in this desktop
// session (another session's instance could not be reached on the window bus), then waits for its
// window.
void StartClient(TQuexFormX& self);

}  // namespace ov::control
