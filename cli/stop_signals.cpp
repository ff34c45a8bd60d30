#include "cli/stop_signals.h"

namespace zentarix {

namespace {

constexpr int Stopping[2] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t ReceivedSignal = 0;

extern "C" void NoteSignal(int signal) { ReceivedSignal = signal; }

}  // namespace

StopSignals::StopSignals() {
  ReceivedSignal = 0;
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a read waiting for input returns with EINTR.
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  for (int i = 0; i < 2; ++i) {
    sigaction(Stopping[i], nullptr, &FPrevious[i]);
    if (FPrevious[i].sa_handler == SIG_IGN) continue;
    FInstalled[i] = sigaction(Stopping[i], &action, nullptr) == 0;
  }
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 2; ++i) {
    if (FInstalled[i]) sigaction(Stopping[i], &FPrevious[i], nullptr);
  }
}

int StopSignals::Received() { return ReceivedSignal; }

}  // namespace zentarix
