// A price file dropped onto the main window, opened in it or read again at the chart window's
// threshold, read on a thread of its own so that the window keeps answering keys and painting
// while a large file is read.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

#include "shell/price_drop.h"

class QAction;
class QProgressBar;
class QWidget;

namespace zentarix {

// One read at a time. Once a read has run ProgressDelay, bar shows how far it got (or that it
// is busy, where the size is unknown). Escape anywhere in window cancels it, and so does a new
// drop, which starts a read of its own: a cancelled read stops on its thread at its next block,
// and its outcome is never delivered, so that it changes nothing.
class DropReading : public QObject {
  Q_OBJECT

 public:
  // Milliseconds: a read that ends sooner shows no bar; while it shows, it is refreshed at
  // ProgressRefresh.
  static constexpr int ProgressDelay = 300;
  static constexpr int ProgressRefresh = 100;
  static constexpr int ProgressSteps = 1000;

  // bar is hidden until a read asks for it; both stay the window's.
  DropReading(QWidget& window, QProgressBar& bar);
  // Cancels a read in progress and waits for the threads of all reads to end.
  ~DropReading() override;
  DropReading(const DropReading&) = delete;
  DropReading& operator=(const DropReading&) = delete;

  // Reads file at a threshold of percent, after cancelling a read in progress.
  void Start(const QString& file, Extended percent = DefaultSwingThreshold);
  void Cancel();
  bool Busy() const { return FJob != nullptr; }

  // The outcome of a read that was not cancelled, on the window's thread.
  std::function<void(const QString& file, const DropRead& read)> OnRead;

  // Tests drive the read through these: the thread of the read in progress (none when there is
  // none), whose end reaches the window's thread as a posted event; the timer whose first tick
  // shows the bar; the window's Escape; and a hook that runs on the reading thread at each
  // progress report, before the cancel is looked at (taken when a read starts).
  QThread* Reader() const { return FReader; }
  QTimer* ProgressTimer() { return &FProgressTimer; }
  QAction* CancelAction() const { return FCancel; }
  std::function<void()> ReadingHook;

 private:
  struct Job;

  void Finished(const std::shared_ptr<Job>& job);
  void ShowProgress();
  void Idle();

  QProgressBar& FBar;
  QAction* FCancel;  // owned by the window
  QTimer FProgressTimer;
  std::shared_ptr<Job> FJob;  // the read in progress
  QPointer<QThread> FReader;
};

}  // namespace zentarix
