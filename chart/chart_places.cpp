#include "chart/chart_places.h"

#include <algorithm>
#include <cstdlib>

namespace zentarix {

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
