#include "desktop/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace zentarix {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Where the D-Bus library looks for the user's bus when no address is given.
bool UserBusSocketExists() {
  if (!IsSet("XDG_RUNTIME_DIR")) return false;
  const std::string path = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/bus";
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

void KeepSessionBusFromStarting() {
  if (IsSet("DBUS_SESSION_BUS_ADDRESS") || UserBusSocketExists()) return;
  setenv("DBUS_SESSION_BUS_ADDRESS", NoSessionBusAddress, 1);
}

}  // namespace zentarix
