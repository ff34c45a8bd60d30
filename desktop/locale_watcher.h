// Reloads the locale's number marks when Qt tells the application that the locale changed;
// every later parse and rendering uses the new marks. Nothing is redrawn for it.
#pragma once

#include <QObject>

namespace zentarix {

class LocaleWatcher : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zentarix
