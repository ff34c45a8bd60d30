// The default beep of the spin edit. All beeps go through DefaultBeep so that a test (or an
// embedding application) can count or silence them by installing a hook.
#pragma once

#include <functional>

namespace zentarix {

using BeepHook = std::function<void()>;

// Sounds the desktop's default beep, or calls the installed hook instead.
void DefaultBeep();

// Installs hook (an empty hook restores the desktop beep); returns the previous one.
BeepHook SetBeepHook(BeepHook hook);

}  // namespace zentarix
