// A title bar that a fixed-size box draws itself, for desktops where the program, not the
// desktop, draws the frames of its windows.
#pragma once

class QWidget;

namespace zentarix {

// Makes box frameless and gives it a title bar of its own, inside a one-pixel border: the
// window's icon and title, and a close button that closes box as the desktop's would. Pressing
// the bar moves the box through the window system. There is no Maximise, no Minimise and no
// resizing edge: a fixed-size box has no other size and no place to be restored from. The
// box's contents move below the bar: a box with a layout keeps it (the bar and the border
// become the box's contents margins); a box whose controls stand at fixed places moves them
// down and grows by the bar and the border. Call before box's native window exists.
void DrawOwnCaption(QWidget& box);

}  // namespace zentarix
