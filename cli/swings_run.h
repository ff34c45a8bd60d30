// --swings FILE: the swings a zigzag finds in a price history, and the levels of each, as the
// window would compute them from the swing's start and end.
//
// JSON: one object per swing, oldest first: swing (1, 2, ...), direction ("up" or "down"),
// confirmed, a_line and b_line (the input lines of the two bars), a_time and b_time (their date
// and time cells as written), then the members of --json. The listing: each swing's listing
// after a heading "# swing 1: up from line 2 (2024-01-02) to line 9 (2024-01-11)".
//
// The file is checked to its end before anything is written (see HistoryFile): a data error
// anywhere in it is one note naming its line and column, status 65, and nothing on standard
// output. The swings are then written as the second reading finds them, so memory stays the
// same whatever the number of bars or swings. SIGINT and SIGTERM stop the run within a block of
// the file, after the whole lines written so far, with status 130 or 143. Notes and faults are
// in the language of translate.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"
#include "chart/price_chart.h"
#include "cli/move_run.h"
#include "cli/standard_streams.h"
#include "history/history_messages.h"

namespace zentarix {

// A price history without one swing by the threshold.
inline constexpr int StatusNoSwing = 3;

struct SwingsRequest {
  std::string File;  // "-": standard input
  Extended Percent = DefaultSwingThreshold;
  // As given, for the note that finds no swing and the chart's title.
  std::string PercentText = std::to_string(DefaultSwingThreshold);
  Extended Tenths = 30;
  MoveFormat Format = MoveFormat::Listing;
  bool Last = false;  // only the last swing, the one a trader acts on
  std::string Chart;  // with a drawing program: the chart's file, empty for none
  ChartView View;
  TranslateChart ChartWords;      // the chart's language; null: Russian
  bool WriteLevels = true;        // false when only the chart is asked for
  std::vector<UserRatio> Ratios;  // the user's own levels, written and drawn with each swing's
};

// Writes chart to file (its name ends in .svg or .png) through a temporary file renamed into
// place, so that a failure leaves nothing half written; returns what went wrong, empty on
// success. The window program draws; the plain program has no drawing and refuses --chart.
using ChartWriter = std::function<std::string(const std::string& file, const PriceChart& chart)>;

// Runs the request: writes the swings and their levels, notes on standard error, and returns
// the status (the highest of the swings' levels, StatusNoSwing, StatusDataError, StatusIoError).
int RunSwings(const SwingsRequest& request, const StandardStreams& streams,
              std::string_view program, const ListingTexts& texts,
              const TranslateHistory& translate, const ChartWriter& chart = nullptr);

}  // namespace zentarix
