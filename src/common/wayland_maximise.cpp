// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/wayland_maximise.h"

#include <QByteArray>
#include <QtGlobal>
#include <QGuiApplication>
#include <QString>

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>

#ifndef RZ6_WAYLAND_MAXIMISE_WORKAROUND
#error "src/common/CMakeLists.txt says whether the workaround is built"
#endif

namespace rz6 {
namespace {

struct WaylandObject; // libwayland-client's wl_proxy

// Qt's Wayland library hands out the window's xdg_toplevel by name through its native
// interface. The interface's class is not in Qt's public headers, but the library exports
// the function; it is looked up by its (Itanium C++) name and called with the interface
// object as its first argument. This is Qt's private code: written for and checked with
// Qt 6.4 (QtWaylandClient::QWaylandNativeInterface), and built only for that Qt (see
// src/common/CMakeLists.txt). A Qt without the function leaves the game as it was: the
// maximise is then undone by Qt alone, later, and one line on standard error says so.
using ResourceForWindow = void* (*)(void* nativeInterface, const QByteArray& resource,
                                    QWindow* window);
constexpr char resourceForWindowName[] = "_ZN15QtWaylandClient23QWaylandNativeInterface"
                                         "23nativeResourceForWindowERK10QByteArrayP7QWindow";

// libwayland-client's C functions for sending a request.
using MarshalFlags = WaylandObject* (*)(WaylandObject* proxy, std::uint32_t opcode,
                                        const void* interface, std::uint32_t version,
                                        std::uint32_t flags, ...);
using GetVersion = std::uint32_t (*)(WaylandObject* proxy);

// xdg_toplevel.unset_maximized: request 10 of xdg_toplevel in the stable xdg-shell protocol
// (destroy, set_parent, set_title, set_app_id, show_window_menu, move, resize, set_max_size,
// set_min_size, set_maximized, unset_maximized, ...). It takes no arguments.
constexpr std::uint32_t unsetMaximizedRequest = 10;

// Both libraries come in with Qt's Wayland plugin, which keeps their names to itself; the
// handles are taken of the copies already loaded, never loading one.
template <typename Function> Function lookUp(const char* library, const char* name) {
    void* const handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    return handle ? reinterpret_cast<Function>(dlsym(handle, name)) : nullptr;
}

} // namespace

bool withdrawMaximiseOnWayland(QWindow* window) {
#if !RZ6_WAYLAND_MAXIMISE_WORKAROUND
    (void)window;
    return false;
#else
    // RZ6_NO_WAYLAND_WORKAROUND=1 turns it off for one run, should a Qt update break it.
    static const bool turnedOff = qEnvironmentVariableIntValue("RZ6_NO_WAYLAND_WORKAROUND") != 0;
    if (turnedOff || !window || QGuiApplication::platformName() != QStringLiteral("wayland"))
        return false;
    static const auto resourceForWindow =
        lookUp<ResourceForWindow>("libQt6WaylandClient.so.6", resourceForWindowName);
    static const auto marshalFlags =
        lookUp<MarshalFlags>("libwayland-client.so.0", "wl_proxy_marshal_flags");
    static const auto getVersion =
        lookUp<GetVersion>("libwayland-client.so.0", "wl_proxy_get_version");
    void* const nativeInterface = QGuiApplication::platformNativeInterface();
    if (!resourceForWindow || !marshalFlags || !getVersion || !nativeInterface) {
        static const bool told = [] {
            std::fputs("rz6: Qt's Wayland library does not give the window's shell object; a "
                       "maximise is undone by Qt alone\n",
                       stderr);
            return true;
        }();
        (void)told;
        return false;
    }
    auto* const toplevel = static_cast<WaylandObject*>(
        resourceForWindow(nativeInterface, QByteArrayLiteral("xdg_toplevel"), window));
    if (!toplevel)
        return false;
    marshalFlags(toplevel, unsetMaximizedRequest, nullptr, getVersion(toplevel), 0);
    return true;
#endif
}

} // namespace rz6
