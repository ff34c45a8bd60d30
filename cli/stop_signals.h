// SIGINT and SIGTERM while a batch runs. The handler only notes the signal, and a read waiting
// for input returns at once (the handler does not restart it); the run then finishes the line
// in hand, writes what is complete and ends with status 128 + the signal. A second signal ends
// the program at once, as the handler is reset after the first. A signal the caller ignores
// stays ignored.
#pragma once

#include <csignal>

namespace zentarix {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal received, 0 while none came.
  static int Received();

 private:
  struct sigaction FPrevious[2];
  bool FInstalled[2] = {false, false};
};

}  // namespace zentarix
