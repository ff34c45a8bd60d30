// Which window system the application object talks to, for the few places that differ.
#pragma once

namespace zentarix {

// Whether the windows are Wayland clients (Qt's "wayland" platforms, with or without EGL).
bool OnWayland();

// Whether the windows are X clients (Qt's "xcb" platform).
bool OnX();

}  // namespace zentarix
