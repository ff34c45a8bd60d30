// Which focus changes move the focus between the controls of one window. Focus that comes or
// goes with the window's activation, a popup or the menu bar is neither an entry into a field
// nor an exit from it.
#pragma once

#include <Qt>

namespace zentarix {

inline bool MovesBetweenControls(Qt::FocusReason reason) {
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
         reason != Qt::MenuBarFocusReason;
}

}  // namespace zentarix
