#pragma once
// Connects the login to the main window: the first activation of the window logs in, and the
// tools menu's "系统登录" logs in again.

namespace ov {

class TLoginFlow;
class TQUEXClientFrm;

// The login of the window, owned by it.
TLoginFlow* AttachLogin(TQUEXClientFrm& mainForm);

}  // namespace ov
