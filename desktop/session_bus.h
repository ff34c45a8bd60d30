// The desktop's session bus (D-Bus), which Qt asks for on behalf of screen readers. Where no
// session bus runs, the D-Bus library would start one of its own through dbus-launch; that bus
// outlives the program and leaves its files under ~/.dbus.
#pragma once

namespace zentarix {

// The address that makes a connection to the session bus fail at once, starting nothing.
inline constexpr const char* NoSessionBusAddress = "disabled:";

// Before anything connects: when DBUS_SESSION_BUS_ADDRESS is unset or empty and no bus socket
// waits at $XDG_RUNTIME_DIR/bus, sets DBUS_SESSION_BUS_ADDRESS to NoSessionBusAddress. A
// session bus that is there is left for Qt to use.
void KeepSessionBusFromStarting();

}  // namespace zentarix
