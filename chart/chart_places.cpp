#include "chart/chart_places.h"

#include <algorithm>
#include <cstdlib>

namespace zentarix {

std::optional<PlaceAxis> PlaceAxisOf(const PriceChart& chart, std::span<const CanvasOp> ops) {
  // The frame is drawn last, one pixel outside the plot: MoveTo(left - 1, top - 1), then
  // LineTo(right, top - 1) and round.
  if (ops.size() < 5) return std::nullopt;
  const CanvasOp& start = ops[ops.size() - 5];
  const CanvasOp& topRight = ops[ops.size() - 4];
  if (start.Kind != CanvasOpKind::MoveTo || topRight.Kind != CanvasOpKind::LineTo) {
    return std::nullopt;
  }
  const int left = start.X + 1;
  const int right = topRight.X;
  if (right <= left) return std::nullopt;
  PlaceAxis axis;
  axis.Left = left;
  axis.Right = chart.Selected ? left + (right - left) * 4 / 5 : right;
  axis.FirstPlace = chart.FirstPlace;
  axis.PlaceCount = std::max<long>(chart.PlaceCount, 1);
  return axis;
}

int PlaceX(const PlaceAxis& axis, long place) {
  const long long count = std::max<long>(axis.PlaceCount, 1);
  const long long width = std::max(axis.Right - axis.Left, 1);
  const long long offset = place - axis.FirstPlace;
  return axis.Left + static_cast<int>((2 * offset + 1) * width / (2 * count));
}

// The share of x, or the neighbour whose bar stands nearer: a share narrower than two pixels
// may draw its bar in the next one's first pixel.
std::optional<long> PlaceAt(const PlaceAxis& axis, int x) {
  if (x < axis.Left || x >= axis.Right) return std::nullopt;
  const long long count = std::max<long>(axis.PlaceCount, 1);
  const long long width = std::max(axis.Right - axis.Left, 1);
  const long share = static_cast<long>(static_cast<long long>(x - axis.Left) * count / width);
  long best = share;
  for (const long offset : {share - 1, share + 1}) {
    if (offset < 0 || offset >= count) continue;
    if (std::abs(PlaceX(axis, axis.FirstPlace + offset) - x) <
        std::abs(PlaceX(axis, axis.FirstPlace + best) - x)) {
      best = offset;
    }
  }
  return axis.FirstPlace + best;
}

}  // namespace zentarix
