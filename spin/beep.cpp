#include "spin/beep.h"

#include <QApplication>
#include <utility>

namespace zentarix {

namespace {

BeepHook& CurrentBeepHook() {
  static BeepHook hook;
  return hook;
}

}  // namespace

void DefaultBeep() {
  if (const BeepHook& hook = CurrentBeepHook()) {
    hook();
    return;
  }
  QApplication::beep();
}

BeepHook SetBeepHook(BeepHook hook) { return std::exchange(CurrentBeepHook(), std::move(hook)); }

}  // namespace zentarix
