// The window's key preview: the key releases of the whole application, seen before their
// receivers see them.
#pragma once

#include <QObject>
#include <functional>

namespace zentarix {

// Sees the key releases of the whole application before their receivers do (installed on the
// application object) and hands them to one handler, which returns whether it acted on the
// release. A release that a control ignores travels on to its parents, passing the filter
// again: once the handler has acted on it, those later deliveries are not handed on.
class TKeyPreview : public QObject {
 public:
  explicit TKeyPreview(std::function<bool(QObject*, QEvent*)> onKeyRelease);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(QObject*, QEvent*)> FOnKeyRelease;
  // The release the handler acted on, until any other event passes.
  const QEvent* FActedOn = nullptr;
};

}  // namespace zentarix
