#pragma once
// Connects the dispatcher to the preview of server files and to the main window.

namespace ov {

class TQUEXClientFrm;
class TWebModule;

// Routes code 13 to the viewer choice, with the dispatcher as the preview's host: its main
// window, hint window, remembered rectangle, language, folder and window list.
void UseViewerPreview(TWebModule& module);

// The dispatcher of the main window, owned by it: created (once) with the main window as owner
// of its windows, and run on every work tick.
TWebModule* AttachWebModule(TQUEXClientFrm& mainForm);

}  // namespace ov
