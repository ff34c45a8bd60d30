#include "chart/chart_gathering.h"

#include <algorithm>
#include <cassert>

namespace zentarix {

void ChartGathering::NoteSwing(const Swing& swing) {
  ++FSwings;
  FBeforeLast = std::move(FLast);
  FLast = swing;
}

void ChartGathering::StartView(const ChartView& view, long bars) {
  assert(view.Width >= 1);
  FView = view;
  FFirstPlace =
      ViewStart(view, bars, FBeforeLast ? &*FBeforeLast : nullptr, FLast ? &*FLast : nullptr);
  FPlaceCount = bars - FFirstPlace;
  FColumns.emplace(static_cast<std::size_t>(view.Width));
}

void ChartGathering::AddBar(const Bar& bar) {
  if (bar.Place >= FFirstPlace) FColumns->Add(bar);
}

void ChartGathering::AddSwing(const Swing& swing) {
  if (!FStarted) AddPoint({swing.Start.Place, swing.A()});
  FStarted = true;
  AddPoint({swing.End.Place, swing.B()});
}

// Twice the chart's width of stretches over the view, as the columns.
void ChartGathering::AddPoint(const ZigZagPoint& point) {
  if (point.Place < FFirstPlace) {
    FBefore = point;
    return;
  }
  const long long stretches = 2LL * FView.Width;
  const long index = static_cast<long>((point.Place - FFirstPlace) * stretches /
                                       std::max<long long>(FPlaceCount, 1));
  if (index != FStretch.Index) {
    CloseStretch();
    FStretch = {index, point, point, point, point};
    return;
  }
  if (point.Price < FStretch.Lowest.Price) FStretch.Lowest = point;
  if (point.Price > FStretch.Highest.Price) FStretch.Highest = point;
  FStretch.Last = point;
}

void ChartGathering::CloseStretch() {
  if (FStretch.Index < 0) return;
  ZigZagPoint middle[] = {FStretch.Lowest, FStretch.Highest};
  if (middle[1].Place < middle[0].Place) std::swap(middle[0], middle[1]);
  for (const ZigZagPoint& point : {FStretch.First, middle[0], middle[1], FStretch.Last}) {
    if (FPoints.empty() || FPoints.back().Place != point.Place) FPoints.push_back(point);
  }
  FStretch.Index = -1;
}

PriceChart ChartGathering::Chart() {
  CloseStretch();
  if (FBefore) {
    FPoints.insert(FPoints.begin(), *FBefore);
    FBefore.reset();
  }
  PriceChart chart;
  chart.View = FView;
  chart.FirstPlace = FFirstPlace;
  chart.PlaceCount = FPlaceCount;
  if (FColumns) {
    chart.Columns = FColumns->Columns();
    chart.ClosesOnly = FColumns->ClosesOnly();
  }
  chart.ZigZag = FPoints;
  chart.Selected = FLast;
  chart.LastLegConfirmed = !FLast || FLast->Confirmed;
  return chart;
}

}  // namespace zentarix
