#include "desktop/fixed_size_box.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "desktop/box_caption.h"
#include "desktop/native_window.h"
#include "desktop/window_system.h"

namespace zentarix {

namespace {

constexpr Qt::WindowStates FilledStates = Qt::WindowMaximized | Qt::WindowFullScreen;

class FixedSizeKeeper : public QObject {
 public:
  explicit FixedSizeKeeper(QWidget& box) : QObject(&box), FBox(box) {}

  // Qt holds a native window within its maximum size in every state, the maximized one too; the
  // widget keeps its own maximum, and with it its layout.
  void LiftWindowMaximum() {
    FBox.windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  }

  void ReturnToNormalState() {
    if (FBox.isVisible()) FBox.setWindowState(FBox.windowState() & ~FilledStates);
  }

  void ReturnToFixedSize() {
    if ((FBox.windowState() & FilledStates) == 0) FBox.resize(FBox.minimumSize());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &FBox) return false;
    const bool filled = (FBox.windowState() & FilledStates) != 0;
    switch (event->type()) {
      case QEvent::Show:
        // A message box sets its size, and with it the window's maximum, when it is shown.
        QMetaObject::invokeMethod(this, &FixedSizeKeeper::LiftWindowMaximum, Qt::QueuedConnection);
        break;
      case QEvent::WindowStateChange:
        // Asked for once the frame at the compositor's size is out: until the compositor has
        // that frame, it takes a request for the normal state for no change.
        if (filled) {
          QMetaObject::invokeMethod(this, &FixedSizeKeeper::ReturnToNormalState,
                                    Qt::QueuedConnection);
        }
        break;
      case QEvent::Resize:
        // Made larger by the compositor in the normal state (a drag by a resizing edge where
        // one is drawn): back to the fixed size.
        if (!filled && FBox.size() != FBox.minimumSize()) {
          QMetaObject::invokeMethod(this, &FixedSizeKeeper::ReturnToFixedSize,
                                    Qt::QueuedConnection);
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QWidget& FBox;
};

}  // namespace

void PrepareFixedSizeBox(QWidget& box) {
  PrepareFixedSizeBox(box, OnWayland() ? BoxDesktop::Wayland
                           : OnX()     ? BoxDesktop::X
                                       : BoxDesktop::Other);
}

void PrepareFixedSizeBox(QWidget& box, BoxDesktop desktop) {
  if (desktop == BoxDesktop::X) {
    // Qt writes the Motif hints from these flags: a title, the window menu and a close button.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    return;
  }
  if (desktop != BoxDesktop::Wayland) return;
  DrawOwnCaption(box);
  CreateNativeWindow(box);
  auto* keeper = new FixedSizeKeeper(box);
  keeper->LiftWindowMaximum();
  box.installEventFilter(keeper);
}

}  // namespace zentarix
