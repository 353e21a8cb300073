#pragma once
// The script run before every page script: ActiveXObject, the member proxies and `host`.

#include <QString>

namespace ov::hosts {

QString ScriptPrelude();

}  // namespace ov::hosts
