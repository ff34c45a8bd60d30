// The swings of a price history read from a descriptor to its end, for the command line and
// for a file dropped onto the window alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "history/bar_columns.h"
#include "history/zigzag.h"

namespace zentarix {

// A line of a history longer than this is a data error.
inline constexpr std::size_t MaxHistoryLine = std::size_t{1} << 20;

struct HistorySwings {
  enum class Outcome {
    Read,       // read to its end: Swings holds what it found
    DataError,  // a line that is not a price row; Error names it
    ReadError,  // the descriptor could not be read; Error says why
    Stopped,    // stopped on request while waiting for input
  };
  Outcome Result = Outcome::Read;
  std::string Error;
  std::vector<Swing> Swings;  // oldest first; with lastOnly the last alone
  long Count = 0;             // how many swings the history holds
  long RowsWithoutPrices = 0;
};

// Reads the history from fd to its end. columns, when given, gathers the bars for a chart;
// stopRequested, asked whenever a read is interrupted by a signal, ends the reading early.
HistorySwings FindSwings(int fd, Extended percent, bool lastOnly, BarColumns* columns = nullptr,
                         const std::function<bool()>& stopRequested = nullptr);

}  // namespace zentarix
