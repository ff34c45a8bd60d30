// A price history read from a descriptor, in two passes, for the command line and for a file
// dropped onto the window alike.
//
// Check reads the whole file: every row, its prices and its time order, and runs the zigzag in
// file order. It finds any data error before a caller has written anything. Replay then hands
// out the bars and their swings in time order: the file again from its start, or from its end
// when it runs newest first, so that such a file gives exactly the swings of the same rows
// written oldest first, with the file's own line numbers. A descriptor that cannot be read
// twice (a pipe) is copied by Check into an unnamed temporary file, which goes with the reader
// whatever happens. Memory stays the same whatever the file's length.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "calc/extended.h"
#include "history/history_error.h"
#include "history/price_rows.h"
#include "history/time_order.h"
#include "history/zigzag.h"

namespace zentarix {

// How many swings the first pass holds for the second at most: 240 bytes each, and their times
// when longer than a string holds in place, about 40 MiB in all.
inline constexpr std::size_t HeldSwings = std::size_t{1} << 17;

// A line of a history longer than this is a data error.
inline constexpr std::size_t MaxHistoryLine = std::size_t{1} << 20;

// How far a pass has read: done of total bytes (total 0 while unknown, as for a pipe), told at
// every block and whenever a read is interrupted by a signal. False stops the reading.
using HistoryProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

enum class HistoryOutcome {
  Read,
  DataError,  // the file is not a price history: the check's Error says why
  ReadError,  // the descriptor could not be read, or not copied: ReadErrno says why
  Stopped,    // the progress, or a sink, asked to stop
};

// What the first pass found.
struct HistoryCheck {
  HistoryOutcome Result = HistoryOutcome::Read;
  HistoryError Error;
  int ReadErrno = 0;
  bool CopyFailed = false;  // the error came from the temporary copy, not from the descriptor
  long Bars = 0;
  long RowsWithoutPrices = 0;
  std::vector<long> SkippedLines;  // the first lines of those rows
  BarOrder Order = BarOrder::Unread;
  bool Dated = false;        // whether the file has a date or time column
  long FirstRepeatLine = 0;  // the first bar whose instant repeats the one before it, 0 for none
  long Repeats = 0;
};

class HistoryFile {
 public:
  // fd stays the caller's; percent is the zigzag's reversal threshold, 0 < percent < 100.
  HistoryFile(int fd, Extended percent);
  ~HistoryFile();
  HistoryFile(const HistoryFile&) = delete;
  HistoryFile& operator=(const HistoryFile&) = delete;

  // The first pass.
  const HistoryCheck& Check(const HistoryProgress& progress);

  // The second pass, after a Check that read the file: each bar to onBar (when given) and each
  // swing to onSwing, in time order, the last one unconfirmed; a sink that returns false stops
  // the pass. Without onBar, the swings of a file in time order come from the first pass when
  // it could hold them all (HeldSwings of them), and the file is not read again.
  using BarSink = std::function<void(const Bar&)>;
  using SwingSink = std::function<bool(const Swing&)>;
  HistoryOutcome Replay(const BarSink& onBar, const SwingSink& onSwing,
                        const HistoryProgress& progress);
  // From now on, the bars Replay hands out carry their open and close (for candles), where the
  // file has both; reading them costs the second pass its fastest way through a row.
  void ReadOpenAndClose() { FRows.ReadOpenAndClose(); }

  // The history's last swing in time order (none when the prices never move by the threshold)
  // and how many swings it holds, after a Check that read the file: the first pass's when the
  // file runs oldest first, else from a second pass.
  HistoryOutcome LastSwing(std::optional<Swing>& last, long& count,
                           const HistoryProgress& progress);

  // The history's last bar in time order, with its open and close where the file has them,
  // after a Check that read the file: the rows read from the file's end (from its start when it
  // runs newest first) up to the first bar.
  HistoryOutcome LastBar(Bar& last, const HistoryProgress& progress);

 private:
  bool PrepareSource();
  // Takes each line of a pass with its number, and the row as another thread read it by the
  // rows' layout where it did (a forward pass only); false ends the pass.
  using LineTaker = std::function<bool(std::string_view line, long number, const PlainRow* ahead)>;
  HistoryOutcome ReplayForward(const LineTaker& take, const PriceRowReader& rows,
                               const HistoryProgress& progress);
  HistoryOutcome ReplayBackward(const LineTaker& take, const HistoryProgress& progress);
  const HistoryCheck& Fail(HistoryOutcome outcome);
  const HistoryCheck& FailWith(const HistoryError& error);

  int FFd;
  Extended FPercent;
  int FCopy = -1;                // the temporary copy of a descriptor that is no regular file
  int FSource = -1;              // what the second pass reads: FFd or FCopy
  std::uint64_t FStart = 0;      // where the history starts in FSource
  std::uint64_t FSize = 0;       // its bytes as the first pass read them
  std::uint64_t FKnownSize = 0;  // a regular file's size before reading; 0 for a pipe
  long FLines = 0;
  HistoryCheck FCheck;
  PriceRowReader FRows;  // as the first pass left it: the columns, delimiter and decimal mark
  long FHeaderLine = 0;
  std::optional<Swing> FLast;  // in file order
  long FCount = 0;
  // The first pass's swings, while they are few enough to hold: a file in time order then
  // needs no second pass to write them.
  std::vector<Swing> FHeld;
  bool FHeldAll = true;
};

}  // namespace zentarix
