#include "history/history_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "history/backward_lines.h"
#include "history/line_reader.h"

namespace zentarix {

namespace {

// An unnamed file in the temporary folder: it has no name to be left behind by, and goes when
// its descriptor is closed. -1 with errno set when none can be made.
int OpenTemporaryCopy() {
  const char* folder = std::getenv("TMPDIR");
  if (folder == nullptr || *folder == '\0') folder = "/tmp";
  const int fd = open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR)) return fd;
  // A file system without unnamed files: a named one, unlinked at once.
  std::string name = std::string(folder) + "/zentarix-XXXXXX";
  const int named = mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) unlink(name.c_str());
  return named;
}

bool WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

HistoryError ErrorOfTime(const TimeError& time, const PriceRowReader& rows) {
  HistoryError error;
  error.Line = time.Line;
  error.Cell = time.Text;
  if (time.What == TimeError::Kind::OutOfOrder) {
    error.Problem = HistoryProblem::OutOfOrder;
    error.Other = time.EarlierText;
    error.OtherLine = time.EarlierLine;
  } else {
    error.Problem = HistoryProblem::NotADate;
    error.Column =
        time.Cell == TimeError::Column::Date ? rows.DateColumnName() : rows.TimeColumnName();
  }
  return error;
}

// The zigzag's swings as they come, the unconfirmed last one at the end.
class SwingSteps {
 public:
  explicit SwingSteps(Extended percent) : FZigZag(percent) {}
  bool Add(const Bar& bar, const HistoryFile::SwingSink& sink) {
    const std::optional<Swing> swing = FZigZag.Add(bar);
    return !swing || sink(*swing);
  }
  bool Finish(const HistoryFile::SwingSink& sink) const {
    const std::optional<Swing> swing = FZigZag.Finish();
    return !swing || sink(*swing);
  }

 private:
  ZigZag FZigZag;
};

}  // namespace

HistoryFile::HistoryFile(int fd, Extended percent) : FFd(fd), FPercent(percent) {}

HistoryFile::~HistoryFile() {
  if (FCopy >= 0) close(FCopy);
}

// A regular file is read twice where it lies; anything else is copied as the first pass reads
// it.
bool HistoryFile::PrepareSource() {
  struct stat status = {};
  if (fstat(FFd, &status) == 0 && S_ISREG(status.st_mode)) {
    const off_t start = lseek(FFd, 0, SEEK_CUR);
    if (start >= 0) {
      FSource = FFd;
      FStart = static_cast<std::uint64_t>(start);
      FKnownSize = static_cast<std::uint64_t>(status.st_size) - FStart;
      return true;
    }
  }
  FCopy = OpenTemporaryCopy();
  if (FCopy < 0) return false;
  FSource = FCopy;
  return true;
}

const HistoryCheck& HistoryFile::Check(const HistoryProgress& progress) {
  FCheck = HistoryCheck();
  if (!PrepareSource()) {
    FCheck.CopyFailed = true;
    FCheck.ReadErrno = errno;
    return Fail(HistoryOutcome::ReadError);
  }
  LineReader reader(FFd, MaxHistoryLine);
  reader.ReadAhead([this] { return FRows.PlainLayout(); });
  bool copyFailed = false;
  reader.OnBlock([&](std::string_view block) {
    FSize += block.size();
    if (FCopy >= 0 && !WriteWhole(FCopy, block)) {
      copyFailed = true;
      FCheck.ReadErrno = errno;
      return false;
    }
    return !progress || progress(FSize, FKnownSize);
  });
  TimeOrder order;
  SwingSteps steps(FPercent);
  const SwingSink keep = [this](const Swing& swing) {
    FLast = swing;
    ++FCount;
    if (FHeldAll && FHeld.size() < HeldSwings) {
      // Room for all at once: growing by doubling would hold the old and the new room together.
      if (FHeld.empty()) FHeld.reserve(HeldSwings);
      FHeld.push_back(swing);
    } else if (FHeldAll) {
      FHeldAll = false;
      std::vector<Swing>().swap(FHeld);
    }
    return true;
  };
  std::string_view line;
  // Each bar and the one before it: the order's check keeps a view of the earlier bar's time.
  Bar bars[2];
  while (true) {
    Bar& bar = bars[FCheck.Bars & 1];
    const LineReader::Result next = reader.Next(line);
    if (next == LineReader::Result::Interrupted) {
      if (progress && !progress(FSize, FKnownSize)) return Fail(HistoryOutcome::Stopped);
      continue;
    }
    if (next == LineReader::Result::Stopped) {
      FCheck.CopyFailed = copyFailed;
      return Fail(copyFailed ? HistoryOutcome::ReadError : HistoryOutcome::Stopped);
    }
    if (next == LineReader::Result::End) break;
    if (next == LineReader::Result::Failed) {
      FCheck.ReadErrno = reader.Error();
      return Fail(HistoryOutcome::ReadError);
    }
    ++FLines;
    if (next == LineReader::Result::TooLong) {
      HistoryError error;
      error.Problem = HistoryProblem::LineTooLong;
      error.Line = FLines;
      error.Count = static_cast<long>(MaxHistoryLine);
      return FailWith(error);
    }
    switch (FRows.Read(line, FLines, bar, reader.ReadAheadRow())) {
      case PriceRowReader::Row::Bar:
        bar.Place = FCheck.Bars++;
        if (FRows.HasTimeColumn() &&
            !order.Add(FLines, FRows.DateCell(), FRows.TimeCell(), bar.Time)) {
          return FailWith(ErrorOfTime(*order.Error(), FRows));
        }
        steps.Add(bar, keep);
        break;
      case PriceRowReader::Row::Skipped:
        break;
      case PriceRowReader::Row::Error:
        return FailWith(FRows.Error());
    }
  }
  steps.Finish(keep);
  order.Finish();
  if (order.Error()) return FailWith(ErrorOfTime(*order.Error(), FRows));
  if (FCheck.Bars == 0) return FailWith(HistoryError{});
  FCheck.Dated = FRows.HasTimeColumn();
  FCheck.Order = FCheck.Dated ? order.Order() : BarOrder::Unread;
  FCheck.FirstRepeatLine = order.FirstRepeatLine();
  FCheck.Repeats = order.Repeats();
  FCheck.RowsWithoutPrices = FRows.RowsWithoutPrices();
  FCheck.SkippedLines = FRows.FirstSkippedLines();
  FHeaderLine = FRows.HeaderLine();
  return FCheck;
}

const HistoryCheck& HistoryFile::Fail(HistoryOutcome outcome) {
  FCheck.Result = outcome;
  return FCheck;
}

const HistoryCheck& HistoryFile::FailWith(const HistoryError& error) {
  FCheck.Error = error;
  return Fail(HistoryOutcome::DataError);
}

HistoryOutcome HistoryFile::Replay(const BarSink& onBar, const SwingSink& onSwing,
                                   const HistoryProgress& progress) {
  if (!onBar && FHeldAll && FCheck.Order != BarOrder::NewestFirst) {
    for (const Swing& swing : FHeld) {
      if (!onSwing(swing)) return HistoryOutcome::Stopped;
    }
    return HistoryOutcome::Read;
  }
  PriceRowReader rows = FRows;
  SwingSteps steps(FPercent);
  HistoryError error;
  bool failed = false;
  long place = 0;
  Bar bar;
  // Each row again as the first pass read it, the header left out; false ends the pass.
  const auto take = [&](std::string_view line, long number, const PlainRow* ahead) {
    if (number <= FHeaderLine) return true;
    switch (rows.Read(line, number, bar, ahead)) {
      case PriceRowReader::Row::Bar:
        bar.Place = place++;
        if (onBar) onBar(bar);
        return steps.Add(bar, onSwing);
      case PriceRowReader::Row::Skipped:
        return true;
      case PriceRowReader::Row::Error:
        break;
    }
    // The file changed after it was checked.
    error = rows.Error();
    failed = true;
    return false;
  };
  const HistoryOutcome outcome = FCheck.Order == BarOrder::NewestFirst
                                     ? ReplayBackward(take, progress)
                                     : ReplayForward(take, rows, progress);
  if (failed) {
    FCheck.Error = error;
    return HistoryOutcome::DataError;
  }
  if (outcome != HistoryOutcome::Read) return outcome;
  return steps.Finish(onSwing) ? HistoryOutcome::Read : HistoryOutcome::Stopped;
}

HistoryOutcome HistoryFile::ReplayForward(const LineTaker& take, const PriceRowReader& rows,
                                          const HistoryProgress& progress) {
  if (lseek(FSource, static_cast<off_t>(FStart), SEEK_SET) < 0) {
    FCheck.ReadErrno = errno;
    return HistoryOutcome::ReadError;
  }
  LineReader reader(FSource, MaxHistoryLine);
  reader.ReadAhead([&rows] { return rows.PlainLayout(); });
  std::uint64_t done = 0;
  reader.OnBlock([&](std::string_view block) {
    done += block.size();
    return !progress || progress(FSize + done, 2 * FSize);
  });
  std::string_view line;
  for (long number = 1;; ++number) {
    switch (reader.Next(line)) {
      case LineReader::Result::Line:
      case LineReader::Result::TooLong:
        if (!take(line, number, reader.ReadAheadRow())) return HistoryOutcome::Stopped;
        break;
      case LineReader::Result::End:
        return HistoryOutcome::Read;
      case LineReader::Result::Interrupted:
        --number;
        if (progress && !progress(FSize + done, 2 * FSize)) return HistoryOutcome::Stopped;
        break;
      case LineReader::Result::Stopped:
        return HistoryOutcome::Stopped;
      case LineReader::Result::Failed:
        FCheck.ReadErrno = reader.Error();
        return HistoryOutcome::ReadError;
    }
  }
}

HistoryOutcome HistoryFile::ReplayBackward(const LineTaker& take, const HistoryProgress& progress) {
  BackwardLines lines(FSource, FStart, FStart + FSize, MaxHistoryLine);
  std::uint64_t told = 0;
  std::string_view line;
  for (long number = FLines; number > FHeaderLine; --number) {
    switch (lines.Previous(line)) {
      case BackwardLines::Result::Line:
        break;
      case BackwardLines::Result::End:
        return HistoryOutcome::Read;
      case BackwardLines::Result::Failed:
        FCheck.ReadErrno = lines.Error() != 0 ? lines.Error() : EIO;
        return HistoryOutcome::ReadError;
    }
    if (lines.BytesRead() != told) {
      told = lines.BytesRead();
      if (progress && !progress(FSize + told, 2 * FSize)) return HistoryOutcome::Stopped;
    }
    if (!take(line, number, nullptr)) return HistoryOutcome::Stopped;
  }
  return HistoryOutcome::Read;
}

HistoryOutcome HistoryFile::LastSwing(std::optional<Swing>& last, long& count,
                                      const HistoryProgress& progress) {
  if (FCheck.Order != BarOrder::NewestFirst) {
    last = FLast;
    count = FCount;
    return HistoryOutcome::Read;
  }
  last.reset();
  count = 0;
  return Replay(
      nullptr,
      [&](const Swing& swing) {
        last = swing;
        ++count;
        return true;
      },
      progress);
}

HistoryOutcome HistoryFile::LastBar(Bar& last, const HistoryProgress& progress) {
  PriceRowReader rows = FRows;
  rows.ReadOpenAndClose();
  bool found = false;
  bool failed = false;
  // The first bar met ends the pass; a row that no longer reads means the file changed.
  const auto take = [&](std::string_view line, long number, const PlainRow* ahead) {
    if (number <= FHeaderLine) return true;
    switch (rows.Read(line, number, last, ahead)) {
      case PriceRowReader::Row::Bar:
        found = true;
        return false;
      case PriceRowReader::Row::Skipped:
        return true;
      case PriceRowReader::Row::Error:
        break;
    }
    FCheck.Error = rows.Error();
    failed = true;
    return false;
  };
  const HistoryOutcome outcome = FCheck.Order == BarOrder::NewestFirst
                                     ? ReplayForward(take, rows, progress)
                                     : ReplayBackward(take, progress);
  if (failed) return HistoryOutcome::DataError;
  if (!found) return outcome == HistoryOutcome::Read ? HistoryOutcome::DataError : outcome;
  last.Place = FCheck.Bars - 1;
  return HistoryOutcome::Read;
}

}  // namespace zentarix
