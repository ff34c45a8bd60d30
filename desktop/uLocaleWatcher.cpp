#include "desktop/uLocaleWatcher.h"

#include <QCoreApplication>
#include <QEvent>

#include "calc/uNumberText.h"

namespace zentarix {

bool TLocaleWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
    LoadNumberSettings();
  }
  return false;
}

}  // namespace zentarix
