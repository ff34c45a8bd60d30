#include "chart/bar_columns.h"

#include <algorithm>
#include <cassert>

namespace zentarix {

namespace {

// The column's open stays its first bar's; its close becomes the later bar's.
void Widen(Bar& column, const Bar& bar) {
  column.High = std::max(column.High, bar.High);
  column.Low = std::min(column.Low, bar.Low);
  column.Close = bar.Close;
}

}  // namespace

BarColumns::BarColumns(std::size_t width) : FLimit(2 * width) {
  assert(width >= 1);
  FColumns.reserve(FLimit + 1);
}

void BarColumns::Add(const Bar& bar) {
  FClosesOnly = FClosesOnly && bar.High == bar.Low;
  if (!FColumns.empty() && FInLast < FPerColumn) {
    Widen(FColumns.back(), bar);
    ++FInLast;
    return;
  }
  if (FColumns.size() == FLimit) {
    MergePairs();
    return Add(bar);
  }
  FColumns.push_back(bar);
  FInLast = 1;
}

void BarColumns::MergePairs() {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < FColumns.size(); i += 2) {
    Bar merged = FColumns[i];
    if (i + 1 < FColumns.size()) Widen(merged, FColumns[i + 1]);
    FColumns[kept++] = merged;
  }
  FColumns.resize(kept);
  // Merged only when full and even in number: every column, the last too, now covers whole
  // pairs.
  FPerColumn *= 2;
  FInLast = FPerColumn;
}

}  // namespace zentarix
