#include "platform/widgets/activewindow.h"

#include <xcb/xcb.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <cstring>
#include <memory>

#include "platform/processes.h"

namespace ov::platform {
namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A 32-bit property of a window (one item of type CARDINAL or WINDOW); 0 when absent.
std::uint32_t cardinal(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type) {
    if (property == XCB_ATOM_NONE) return 0;
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) return 0;
    std::uint32_t value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

}  // namespace

QString activeWindowProgram() {
    xcb_connection_t* connection = x11Connection();
    if (!connection) return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return {};
    const std::uint32_t window = cardinal(connection, screen->root,
                                          atom(connection, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    if (window == 0) return {};
    const std::uint32_t pid =
        cardinal(connection, window, atom(connection, "_NET_WM_PID"), XCB_ATOM_CARDINAL);
    if (pid == 0) return {};
    return QFileInfo(programOfProcess(pid)).fileName();
}

}  // namespace ov::platform
