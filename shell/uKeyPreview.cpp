#include "shell/uKeyPreview.h"

#include <QEvent>

namespace zentarix {

TKeyPreview::TKeyPreview(std::function<bool(QObject*, QEvent*)> onKeyRelease)
    : FOnKeyRelease(std::move(onKeyRelease)) {}

bool TKeyPreview::eventFilter(QObject* watched, QEvent* event) {
  // The deliveries of one release to the parents follow each other with no other event in
  // between; the handler's own modal loop has finished by then.
  if (event == FActedOn && event->type() == QEvent::KeyRelease) return false;
  FActedOn = nullptr;
  if (event->type() == QEvent::KeyRelease && FOnKeyRelease(watched, event)) FActedOn = event;
  return false;  // the focused control still gets the key
}

}  // namespace zentarix
