// The columns of a chart: the bars it keeps of a history of any length, at most twice the
// chart's width of them, each the range of the bars it covers (the highest high and the
// lowest low, at the line and place of its first bar). When the columns fill up, neighbours are
// merged in pairs and each later column covers twice as many bars, so memory stays bounded however
// long the file is.
#pragma once

#include <cstddef>
#include <vector>

#include "history/price_rows.h"

namespace zentarix {

class BarColumns {
 public:
  // width: the chart's width in pixels, at least 1.
  explicit BarColumns(std::size_t width);

  void Add(const Bar& bar);
  const std::vector<Bar>& Columns() const { return FColumns; }
  // Whether every bar had one price (High equal to Low): a history of closes.
  bool ClosesOnly() const { return FClosesOnly; }

 private:
  void MergePairs();

  std::size_t FLimit;
  std::size_t FPerColumn = 1;
  std::size_t FInLast = 0;
  bool FClosesOnly = true;
  std::vector<Bar> FColumns;
};

}  // namespace zentarix
