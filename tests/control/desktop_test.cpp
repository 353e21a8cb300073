// The control on a real X server: the program in the foreground.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>
#include <cstring>

#include "platform/widgets/activewindow.h"

using namespace Qt::StringLiterals;

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return value;
}

// What a window manager does: names the active window on the root window.
void setActiveWindow(xcb_connection_t* connection, std::uint32_t window) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root,
                        atom(connection, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32, 1, &window);
    xcb_flush(connection);
}

TEST(ActiveWindow, NamesTheProgramOfTheActiveWindow) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "test_control_desktop";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);

    EXPECT_EQ(ov::platform::activeWindowProgram(), u""_s);  // no window manager, no answer
    QWidget window;
    window.show();
    QCoreApplication::processEvents();
    setActiveWindow(x11->connection(), static_cast<std::uint32_t>(window.winId()));
    EXPECT_EQ(ov::platform::activeWindowProgram(),
              QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    setActiveWindow(x11->connection(), 0);
    EXPECT_EQ(ov::platform::activeWindowProgram(), u""_s);
}

}  // namespace
