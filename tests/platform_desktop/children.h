#pragma once
// The lock and bus tests need a second process: this same test program, started again with
// OV_DESKTOP_CHILD naming the part it plays. The test "Child.Role" plays it and is skipped in
// an ordinary run.

#include <QProcess>
#include <QString>
#include <memory>

namespace ov::test {

// Starts the child with the role; its standard output stays readable by the caller.
std::unique_ptr<QProcess> startChild(const QString& role);

// Reads the child's output until a line equal to `line` comes (false on time-out or exit).
bool waitForLine(QProcess& child, const QString& line, int timeoutMs = 30000);

// The exit code of a child that ended normally within the time limit, else -1.
int childExitCode(QProcess& child, int timeoutMs = 60000);

}  // namespace ov::test
