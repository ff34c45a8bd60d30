// The program's fixed-size boxes (the About box, the error box) on the desktop.
#pragma once

class QWidget;

namespace zentarix {

// Readies box for the desktop it opens on. On X and on Wayland the box draws its own title bar
// with a close button only (desktop/box_caption.h): window managers and Qt alike put Maximise
// and Minimise on it otherwise. openbox draws both on every dialog whatever its size hints say,
// and minimizing a modal box takes its owner with it; where a Wayland compositor draws no title
// bars (weston, GNOME), Qt 6.4 draws them, with Maximise and Minimise on every window.
// On Wayland the box also keeps its fixed size whatever the compositor asks of it: weston
// maximizes any window on its own key binding (Super+Shift+M), and Qt holds a window within its
// maximum size even then, so that weston ends the connection at the next frame ("xdg_surface
// geometry ... does not match the configured maximized state", status 1). So the box's native
// window has no maximum there: maximized or full screen, the box takes the compositor's size for
// a frame and then asks for its normal state. The widget keeps its fixed size, and its layout
// with it. Elsewhere (the offscreen platform of the tests) nothing changes. Creates box's native
// window on Wayland; call it before anything else does.
void PrepareFixedSizeBox(QWidget& box);

}  // namespace zentarix
