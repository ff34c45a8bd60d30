// The program's fixed-size boxes (the About box, the error box) on the desktop.
#pragma once

class QWidget;

namespace zentarix {

// Readies box for the desktop it opens on.
// - On X the window manager frames the box as it frames the main window, and the box asks it,
//   through the Motif hints that Qt writes from the window's flags, for no Maximise and no
//   Minimise: a fixed-size box has no other size, and a minimized modal box takes its owner with
//   it. Without a window manager it has no frame, as every X program.
// - On Wayland the box draws its own title bar with a close button only (desktop/box_caption.h):
//   where a compositor draws no title bars (weston, GNOME), Qt 6.4 draws them, with Maximise and
//   Minimise on every window, and it offers no public way to learn whether the compositor draws
//   them. The box also keeps its fixed size whatever the compositor asks of it: weston maximizes
//   any window on its own key binding (Super+Shift+M), and Qt holds a window within its maximum
//   size even then, so that weston ends the connection at the next frame ("xdg_surface geometry
//   ... does not match the configured maximized state", status 1). So the box's native window
//   has no maximum there: maximized or full screen, the box takes the compositor's size for a
//   frame and then asks for its normal state. The widget keeps its fixed size, and its layout
//   with it. Creates box's native window on Wayland; call it before anything else does.
// - Elsewhere (the offscreen platform of the tests) nothing changes.
enum class BoxDesktop { X, Wayland, Other };
void PrepareFixedSizeBox(QWidget& box, BoxDesktop desktop);
// For the desktop the application runs on.
void PrepareFixedSizeBox(QWidget& box);

}  // namespace zentarix
