#include "desktop/window_system.h"

#include <QGuiApplication>

namespace zentarix {

bool IsWaylandPlatform(const QString& platformName) {
  return platformName.startsWith(QLatin1String("wayland"));
}

bool OnWayland() { return IsWaylandPlatform(QGuiApplication::platformName()); }

bool OnX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace zentarix
