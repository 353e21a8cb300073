#pragma once
// The one application object of the test program, created on first use.

#include <QApplication>

namespace ov::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "test_client";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: destroying it after the tests ran takes its input
    // devices down in the wrong order.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace ov::test
