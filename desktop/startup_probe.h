// A measuring hook for the start-up benchmark. With ZENTARIX_STARTUP_PROBE=1 in the
// environment, the first paint of the watched window prints one line to standard output,
//   startup-probe monotonic-ns=<CLOCK_MONOTONIC at first paint> vmhwm-kb=<peak resident set>
// and quits the application. Without the variable nothing is installed and the program
// behaves exactly as it does for users.
#pragma once

class QWidget;

namespace zentarix {

// Watches window's paint events when the variable asks for it; call before window is shown.
void InstallStartupProbe(QWidget& window);

}  // namespace zentarix
