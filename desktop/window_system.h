// Which window system the application object talks to, for the few places that differ.
#pragma once

#include <QString>

namespace zentarix {

// Whether the windows are Wayland clients (Qt's "wayland" platforms, with or without EGL).
bool OnWayland();
// Whether a Qt platform's name is one of Wayland's: "wayland", "wayland-egl", ...
bool IsWaylandPlatform(const QString& platformName);

// Whether the windows are X clients (Qt's "xcb" platform).
bool OnX();

}  // namespace zentarix
