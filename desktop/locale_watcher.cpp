#include "desktop/locale_watcher.h"

#include <QCoreApplication>
#include <QEvent>

#include "calc/number_settings.h"

namespace zentarix {

bool LocaleWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
    LoadNumberSettings();
  }
  return false;
}

}  // namespace zentarix
