// Shared by the widget tests: beeps and error reports counted through their hooks, timers fired
// by hand, and a shown, active window to hold the widgets under test.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <string>
#include <vector>

#include "spin/beep.h"
#include "spin/error_report.h"

namespace zentarix::test {

class BeepCounter {
 public:
  BeepCounter() : FPrevious(SetBeepHook([this] { ++Count; })) {}
  ~BeepCounter() { SetBeepHook(FPrevious); }
  BeepCounter(const BeepCounter&) = delete;
  BeepCounter& operator=(const BeepCounter&) = delete;
  int Count = 0;

 private:
  BeepHook FPrevious;
};

class ErrorCollector {
 public:
  ErrorCollector()
      : FPrevious(SetErrorReportHook(
            [this](std::exception_ptr e) { Messages.push_back(ErrorMessageOf(e)); })) {}
  ~ErrorCollector() { SetErrorReportHook(FPrevious); }
  ErrorCollector(const ErrorCollector&) = delete;
  ErrorCollector& operator=(const ErrorCollector&) = delete;
  std::vector<std::string> Messages;

 private:
  ErrorReportHook FPrevious;
};

// Delivers one tick of an active timer through its real connections.
inline void FireTimer(QTimer* timer) {
  QTimerEvent tick(timer->timerId());
  QCoreApplication::sendEvent(timer, &tick);
}

// Lets `ms` milliseconds of a held press pass: fires the timer each time its current interval
// has run out. Returns the number of ticks.
inline int HoldFor(QTimer* timer, int ms) {
  int elapsed = 0;
  int ticks = 0;
  while (timer->isActive() && elapsed + timer->interval() <= ms) {
    elapsed += timer->interval();
    FireTimer(timer);
    ++ticks;
  }
  return ticks;
}

// Shows window and makes it the active one, so focus changes send their events.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

}  // namespace zentarix::test
