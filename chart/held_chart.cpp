#include "chart/held_chart.h"

#include <algorithm>
#include <cassert>

namespace zentarix {

HeldChart::HeldChart(long swings) : FSkipped(std::max(0L, swings - MaxSwings)) {}

void HeldChart::AddBar(const Bar& bar) {
  FColumns.Add(bar);
  ++FBars;
}

void HeldChart::AddSwing(const Swing& swing) {
  if (++FSeen <= FSkipped) return;
  const auto hold = [this](const Bar& bar, Extended price) {
    FPoints.push_back({bar.Place, price});
    FLines.push_back(bar.Line);
    FTimes += bar.Time;
    FTimeEnds.push_back(FTimes.size());
  };
  // A swing starts where the one before it ended.
  if (FPoints.empty()) {
    FFirstRising = swing.Rising;
    hold(swing.Start, swing.A());
  }
  hold(swing.End, swing.B());
  FLastConfirmed = swing.Confirmed;
}

Swing HeldChart::SwingAt(long index) const {
  assert(index >= 0 && index < Swings());
  const auto bar = [this](std::size_t at) {
    Bar point;
    point.High = point.Low = FPoints[at].Price;
    point.Place = FPoints[at].Place;
    point.Line = FLines[at];
    const std::size_t begin = at == 0 ? 0 : FTimeEnds[at - 1];
    point.Time = FTimes.substr(begin, FTimeEnds[at] - begin);
    return point;
  };
  const auto at = static_cast<std::size_t>(index);
  Swing swing;
  // Swings alternate.
  swing.Rising = FFirstRising == (index % 2 == 0);
  swing.Confirmed = index + 1 < Swings() || FLastConfirmed;
  swing.Start = bar(at);
  swing.End = bar(at + 1);
  return swing;
}

std::optional<long> HeldChart::SwingOf(long place) const {
  if (Swings() == 0 || place < FPoints.front().Place || place > FPoints.back().Place) {
    return std::nullopt;
  }
  const auto after = std::upper_bound(FPoints.begin(), FPoints.end(), place,
                                      [](long at, const ZigZagPoint& p) { return at < p.Place; });
  return std::min(static_cast<long>(after - FPoints.begin()) - 1, Swings() - 1);
}

long HeldChart::MinViewPlaces() const {
  const std::vector<Bar>& columns = FColumns.Columns();
  const long perColumn = columns.size() > 1 ? columns[1].Place - columns[0].Place : 1;
  return std::min(FBars, MinViewColumns * perColumn);
}

long HeldChart::DefaultViewStart() const {
  const long swings = Swings();
  std::optional<Swing> last, beforeLast;
  if (swings > 0) last = SwingAt(swings - 1);
  if (swings > 1) beforeLast = SwingAt(swings - 2);
  return ViewStart(ChartView{}, FBars, beforeLast ? &*beforeLast : nullptr,
                   last ? &*last : nullptr);
}

PriceChart HeldChart::View(const ChartView& view, long first, long count,
                           std::optional<long> selected) {
  count = std::clamp(count, std::min(1L, FBars), FBars);
  first = std::clamp(first, 0L, FBars - count);
  const long end = first + count;
  const auto byPlace = [](const auto& item, long place) { return item.Place < place; };

  const std::vector<Bar>& fine = FColumns.Columns();
  BarColumns columns(static_cast<std::size_t>(std::max(view.Width, 1)));
  for (auto column = std::lower_bound(fine.begin(), fine.end(), first, byPlace);
       column != fine.end() && column->Place < end; ++column) {
    columns.Add(*column);
  }
  FViewColumns = columns.Columns();

  // The points in view, the last one before it, and where the leg that leaves the view crosses
  // its last place: a leg is never drawn past the bars.
  const auto from = std::lower_bound(FPoints.begin(), FPoints.end(), first, byPlace);
  const auto to = std::lower_bound(from, FPoints.end(), end, byPlace);
  FViewPoints.assign(from == FPoints.begin() ? from : from - 1, to);
  if (!FViewPoints.empty() && to != FPoints.end()) {
    const ZigZagPoint& before = FViewPoints.back();
    const ZigZagPoint& after = *to;
    const long place = end - 1;
    if (before.Place < place) {
      FViewPoints.push_back(
          {place, before.Price + (after.Price - before.Price) * (place - before.Place) /
                                     (after.Place - before.Place)});
    }
  }

  PriceChart chart;
  chart.View = view;
  chart.FirstPlace = first;
  chart.PlaceCount = count;
  chart.Columns = FViewColumns;
  chart.ClosesOnly = FColumns.ClosesOnly();
  chart.ZigZag = FViewPoints;
  // Only the history's last leg may be unconfirmed: dashed while the line ends on it.
  chart.LastLegConfirmed = FLastConfirmed || FPoints.end() - to > 1;
  if (selected && *selected >= 0 && *selected < Swings()) {
    const std::size_t at = static_cast<std::size_t>(*selected);
    if (FPoints[at].Place >= first && FPoints[at + 1].Place < end) {
      chart.Selected = SwingAt(*selected);
    }
  }
  return chart;
}

}  // namespace zentarix
