// An event of the spin controls: a handler that receives the object raising it. An empty
// event does nothing when raised. Handlers may throw; the control that raises the event lets
// the exception pass to its caller, and the entry point Qt called reports it.
#pragma once

#include <functional>

class QObject;

namespace zentarix {

using TNotifyEvent = std::function<void(QObject* Sender)>;

// Calls a copy, so a handler that reassigns or clears its own event stays alive to the end.
inline void Raise(const TNotifyEvent& event, QObject* sender) {
  if (!event) return;
  const TNotifyEvent handler = event;
  handler(sender);
}

}  // namespace zentarix
