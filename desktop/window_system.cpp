#include "desktop/window_system.h"

#include <QGuiApplication>

namespace zentarix {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool OnX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace zentarix
