// The titles of the X11 top-level windows (_NET_CLIENT_LIST, _NET_WM_NAME or WM_NAME), read
// with xcb; nothing without an X display.

#include "platform/fileinuse.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// At most this many windows are read.
constexpr std::uint32_t kMaxWindows = 4096;
constexpr std::uint32_t kMaxTitleWords = 256;  // 1 KB of title

struct Free {
    void operator()(void* p) const { std::free(p); }
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 1, std::uint16_t(strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, Free> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::unique_ptr<xcb_get_property_reply_t, Free> property(xcb_connection_t* c, xcb_window_t w,
                                                        xcb_atom_t name, xcb_atom_t type,
                                                        std::uint32_t words) {
    const auto cookie = xcb_get_property(c, 0, w, name, type, 0, words);
    return std::unique_ptr<xcb_get_property_reply_t, Free>(
        xcb_get_property_reply(c, cookie, nullptr));
}

std::vector<xcb_window_t> clientWindows(xcb_connection_t* c, xcb_window_t root) {
    auto reply = property(c, root, atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, kMaxWindows);
    if (!reply || reply->format != 32) return {};
    const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<xcb_window_t>(ids, ids + count);
}

// Without a window manager there is no client list: the root's children stand in for it.
std::vector<xcb_window_t> rootChildren(xcb_connection_t* c, xcb_window_t root) {
    std::unique_ptr<xcb_query_tree_reply_t, Free> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree) return {};
    const xcb_window_t* ids = xcb_query_tree_children(tree.get());
    const int count = std::min<int>(xcb_query_tree_children_length(tree.get()), kMaxWindows);
    return std::vector<xcb_window_t>(ids, ids + count);
}

pid_t windowPid(xcb_connection_t* c, xcb_window_t w) {
    auto reply = property(c, w, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 1);
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) return 0;
    return pid_t(*static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())));
}

QString windowTitle(xcb_connection_t* c, xcb_window_t w) {
    auto reply =
        property(c, w, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), kMaxTitleWords);
    if (!reply || xcb_get_property_value_length(reply.get()) == 0)
        reply = property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, kMaxTitleWords);
    if (!reply) return {};
    const char* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QString::fromUtf8(text, xcb_get_property_value_length(reply.get()));
}

}  // namespace

QStringList x11WindowTitles(pid_t ignorePid) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return {};
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    QStringList titles;
    if (c && !xcb_connection_has_error(c)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        std::vector<xcb_window_t> windows = clientWindows(c, screen->root);
        if (windows.empty()) windows = rootChildren(c, screen->root);
        for (xcb_window_t w : windows) {
            if (ignorePid && windowPid(c, w) == ignorePid) continue;
            const QString title = windowTitle(c, w);
            if (!title.isEmpty()) titles.append(title);
        }
    }
    if (c) xcb_disconnect(c);
    return titles;
}

}  // namespace ov::platform
