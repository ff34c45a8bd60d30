#include "shell/key_preview.h"

#include <QKeyEvent>

namespace zentarix {

KeyPreview::KeyPreview(ReleaseHandler onKeyRelease, QObject* parent)
    : QObject(parent), FOnKeyRelease(std::move(onKeyRelease)) {
  FWait.setSingleShot(true);
  FWait.setInterval(RepeatWait);
  connect(&FWait, &QTimer::timeout, this, &KeyPreview::RunHeld);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyRelease) {
    // The deliveries of one release to the parents follow each other with no other event in
    // between.
    if (event == FActedOn) return false;
    FActedOn = nullptr;
    const auto& release = static_cast<const QKeyEvent&>(*event);
    if (Action action = FOnKeyRelease(watched, release)) {
      FActedOn = event;
      Hold(release, std::move(action));
    }
    return false;  // the focused control still gets the key
  }
  FActedOn = nullptr;
  // A press is seen first as a shortcut override, then as the press itself.
  if (FHeld && (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)) {
    const auto& press = static_cast<const QKeyEvent&>(*event);
    if (press.key() == FHeldKey && press.timestamp() == FHeldTime) {
      FWait.stop();
      FHeld = nullptr;
    }
  }
  return false;
}

void KeyPreview::Hold(const QKeyEvent& release, Action action) {
  // A release that another release follows was real: its action comes first.
  if (FHeld) RunHeld();
  FHeld = std::move(action);
  FHeldKey = release.key();
  FHeldTime = release.timestamp();
  FWait.start();
}

void KeyPreview::RunHeld() {
  FWait.stop();
  const Action action = std::move(FHeld);
  FHeld = nullptr;
  if (action) action();
}

}  // namespace zentarix
