#include "history/swing_finder.h"

#include <cstring>

#include "history/line_reader.h"
#include "history/price_table.h"

namespace zentarix {

namespace {

void Keep(HistorySwings& history, const Swing& swing, bool lastOnly) {
  if (lastOnly) history.Swings.clear();
  history.Swings.push_back(swing);
  ++history.Count;
}

HistorySwings Failed(HistorySwings::Outcome outcome, std::string error) {
  HistorySwings history;
  history.Result = outcome;
  history.Error = std::move(error);
  return history;
}

}  // namespace

HistorySwings FindSwings(int fd, Extended percent, bool lastOnly, BarColumns* columns,
                         const std::function<bool()>& stopRequested) {
  HistorySwings history;
  LineReader reader(fd, MaxHistoryLine);
  PriceTable table;
  ZigZag zigzag(percent);
  std::string_view line;
  Bar bar;
  long number = 0;
  while (true) {
    const LineReader::Result next = reader.Next(line);
    if (next == LineReader::Result::Interrupted) {
      if (stopRequested && stopRequested()) return Failed(HistorySwings::Outcome::Stopped, "");
      continue;
    }
    if (next == LineReader::Result::End) break;
    if (next == LineReader::Result::Failed) {
      return Failed(HistorySwings::Outcome::ReadError, strerror(reader.Error()));
    }
    ++number;
    if (next == LineReader::Result::TooLong) {
      return Failed(HistorySwings::Outcome::DataError,
                    "line " + std::to_string(number) + ": longer than " +
                        std::to_string(MaxHistoryLine) + " bytes");
    }
    switch (table.Read(line, number, bar)) {
      case PriceTable::Row::Bar:
        if (columns != nullptr) columns->Add(bar);
        if (const std::optional<Swing> swing = zigzag.Add(bar)) Keep(history, *swing, lastOnly);
        break;
      case PriceTable::Row::Skipped:
        break;
      case PriceTable::Row::Error:
        return Failed(HistorySwings::Outcome::DataError, table.Error());
    }
  }
  if (const std::optional<Swing> swing = zigzag.Finish()) Keep(history, *swing, lastOnly);
  history.RowsWithoutPrices = table.RowsWithoutPrices();
  return history;
}

}  // namespace zentarix
