// The main window's key preview holds a key release until no press of an auto-repeat can
// follow it. Widget tests end that wait themselves, as the preview's timer would.
#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

#include "shell/key_preview.h"
#include "shell/uMain.h"

inline void EndReleaseWait(zentarix::TForm1& form) {
  QTimer* wait = form.findChild<zentarix::KeyPreview*>()->WaitTimer();
  if (!wait->isActive()) return;
  QTimerEvent tick(wait->timerId());
  QCoreApplication::sendEvent(wait, &tick);
}
