#pragma once
// A loopback port on which nothing listens, for tests of refused connections.

#include <QtGlobal>

namespace ov::test {

quint16 closedPort();

}  // namespace ov::test
