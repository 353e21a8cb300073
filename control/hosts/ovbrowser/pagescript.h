#pragma once
// The script that every page and frame gets when its document is created: `ActiveXObject` and
// the control's `<object>` elements, made from the scripting host's prelude over a bridge of
// synchronous prompts (a marked `window.prompt` whose answer is the host's JSON reply).

#include <QString>

namespace ov::ovbrowser {

// What marks a prompt as a call of the bridge.
inline constexpr char16_t kBridgeMark[] = u"\u0001ovctrl-bridge";

// `clsid` is the control's CLSID without braces.
QString PageScript(const QString& clsid);

}  // namespace ov::ovbrowser
