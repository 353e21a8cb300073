#pragma once
// Small programs of this machine that the demo content serves where the client fetches
// programs (OvClient's update, the control's updater): each ends at once with exit code 0 and
// carries its version the way our binaries carry theirs. Written byte by byte here, never by
// the client's code.

#include <QByteArray>

namespace ov::test {

// A complete ELF program for x86-64 or AArch64 with the version marker "a.b.c.d".
QByteArray DemoProgram(const QByteArray& version);

// The version of this build ("1.0.0.0" style), which the demo server reports as OvClient's,
// so a freshly built OvClient is never replaced by the demo program unless a test asks for it.
QByteArray BuildVersion();

}  // namespace ov::test
