#pragma once
// Opening a page or a file with the desktop's default program (through xdg-open), with word of
// whether that worked: a desktop without a web browser, or without xdg-open at all, is told
// apart from one that opened the page, so that the caller can say what is missing.

#include <QString>
#include <functional>

class QObject;

namespace ov::platform {

// Starts the desktop's opener for the URL or path and returns at once. `done` runs on the
// context's thread with false when the opener could not start or reported a failure (its exit
// status), with true when it reported success; it does not run when the context goes away
// first. An opener still running after `patienceMs` (a browser it started in the foreground)
// counts as success.
void openWithDesktop(const QString& target, QObject* context, std::function<void(bool)> done,
                     int patienceMs = 15000);

}  // namespace ov::platform
