#include "shell/drop_reading.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>

#include "calc/uFloatEnv.h"
#include "spin/error_report.h"

namespace zentarix {

// What a read shares between its thread and the window's: the cancel and the progress, read
// while the thread runs, and the outcome, read once it has ended.
struct DropReading::Job {
  QString File;
  std::atomic<bool> Cancelled = false;
  std::atomic<std::uint64_t> Done = 0;
  std::atomic<std::uint64_t> Total = 0;
  DropRead Result;
};

DropReading::DropReading(QWidget& window, QProgressBar& bar) : FBar(bar) {
  FBar.hide();
  FBar.setTextVisible(false);
  FBar.setAccessibleName(QCoreApplication::translate("Main", "Чтение файла"));
  FCancel = new QAction(QCoreApplication::translate("Main", "Прервать чтение файла"), &window);
  FCancel->setShortcut(QKeySequence(Qt::Key_Escape));
  FCancel->setShortcutContext(Qt::WindowShortcut);
  // Enabled only while a read runs: otherwise Escape stays with whatever control takes it.
  FCancel->setEnabled(false);
  window.addAction(FCancel);
  connect(FCancel, &QAction::triggered, this, [this] { GuardEntry([this] { Cancel(); }); });
  connect(&FProgressTimer, &QTimer::timeout, this, [this] { ShowProgress(); });
}

DropReading::~DropReading() {
  if (FJob != nullptr) FJob->Cancelled = true;
  // A cancelled read may still be on its way to its next block; a regular file gets there.
  for (QThread* reader : findChildren<QThread*>(Qt::FindDirectChildrenOnly)) reader->wait();
}

void DropReading::Start(const QString& file, Extended percent) {
  Cancel();
  auto job = std::make_shared<Job>();
  job->File = file;
  QThread* reader = QThread::create(
      [job, path = QFile::encodeName(file).toStdString(), percent, hook = ReadingHook] {
        // The zigzag's products round as the system's control word says, on this thread too.
        ResetFpu();
        const HistoryProgress progress = [&job, &hook](std::uint64_t done, std::uint64_t total) {
          job->Done.store(done, std::memory_order_relaxed);
          job->Total.store(total, std::memory_order_relaxed);
          if (hook) hook();
          return !job->Cancelled;
        };
        // Nothing may leave a thread's function; what the reading throws is told on the
        // window's thread.
        try {
          job->Result = ReadPriceFile(path, percent, progress);
        } catch (...) {
          job->Result = DropRead();
          job->Result.Outcome = DropOutcome::Failed;
          job->Result.Failure = std::current_exception();
        }
      });
  reader->setParent(this);
  connect(reader, &QThread::finished, this, [this, job] { Finished(job); });
  connect(reader, &QThread::finished, reader, &QObject::deleteLater);
  FJob = job;
  FReader = reader;
  FCancel->setEnabled(true);
  FProgressTimer.setInterval(ProgressDelay);
  FProgressTimer.start();
  reader->start();
}

void DropReading::Cancel() {
  if (FJob == nullptr) return;
  FJob->Cancelled = true;
  Idle();
}

void DropReading::Finished(const std::shared_ptr<Job>& job) {
  // A cancelled read is no longer the one in progress.
  if (job != FJob) return;
  Idle();
  if (OnRead) OnRead(job->File, job->Result);
}

void DropReading::ShowProgress() {
  if (FJob == nullptr) return;
  const std::uint64_t total = FJob->Total.load(std::memory_order_relaxed);
  // The two counts are stored one after the other: done may belong to the next pass.
  const std::uint64_t done = std::min(FJob->Done.load(std::memory_order_relaxed), total);
  if (total == 0) {
    FBar.setRange(0, 0);  // busy: the size is not known
  } else {
    FBar.setRange(0, ProgressSteps);
    FBar.setValue(
        static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * ProgressSteps));
  }
  FBar.show();
  FProgressTimer.setInterval(ProgressRefresh);
}

void DropReading::Idle() {
  FJob.reset();
  FReader = nullptr;
  FProgressTimer.stop();
  FBar.hide();
  FBar.reset();
  FCancel->setEnabled(false);
}

}  // namespace zentarix
