// Creating a top-level window's native window without letting a library change the
// floating-point control word behind the calculation's back.
#pragma once

class QWidget;

namespace zentarix {

// Creates window's native window now; the control word in force before becomes the default
// word again afterwards. The other children of window's owner stay without native windows.
void CreateNativeWindow(QWidget& window);

}  // namespace zentarix
