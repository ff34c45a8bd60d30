// The program's fixed-size boxes (the About box, the error box) under a Wayland compositor.
#pragma once

class QWidget;

namespace zentarix {

// On Wayland, keeps box at its fixed size whatever the compositor asks of it; elsewhere does
// nothing (X window managers neither maximize nor resize a window whose minimum and maximum
// sizes are the same). Where the compositor draws no title bars (weston, GNOME), Qt 6.4 draws
// them, with Maximise and Minimise on every window whatever its flags; weston maximizes any
// window, on that button or on its own key binding (Super+Shift+M), and Qt holds a window within
// its maximum size even then, so that weston ends the connection at the next frame
// ("xdg_surface geometry ... does not match the configured maximized state", status 1). So the
// box's native window has no maximum: maximized or full screen, the box takes the compositor's
// size for a frame and then asks for its normal state; dragged larger by its frame, it goes back
// to its size. The widget keeps its fixed size, and its layout with it. Creates box's native
// window.
void KeepFixedSizeOnWayland(QWidget& box);

}  // namespace zentarix
