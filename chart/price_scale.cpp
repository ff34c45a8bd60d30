#include "chart/price_scale.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace zentarix {

PriceScale::PriceScale(int topRow, int bottomRow, Extended low, Extended high)
    : FTop(topRow), FBottom(bottomRow), FLow(low), FHigh(high) {
  if (!(FHigh > FLow)) {
    const Extended half = FLow != 0 ? std::fabs(FLow) / 100 : 1;
    FLow -= half;
    FHigh += half;
  }
}

int PriceScale::Row(Extended price) const {
  const Extended place = FTop + (FHigh - price) / (FHigh - FLow) * (FBottom - FTop);
  // Far outside the picture a row only has to stay far outside it.
  return static_cast<int>(std::llround(std::clamp<Extended>(place, -1e6L, 1e6L)));
}

namespace {

// multiple x 10^exponent, rounded once: for a negative exponent a division by the exact power,
// so that a tick of 0.3 is the extended number nearest 0.3, not 3 times an inexact 0.1.
Extended Scaled(Extended multiple, int exponent) {
  const Extended power = std::pow(10.0L, std::abs(exponent));
  return exponent < 0 ? multiple / power : multiple * power;
}

}  // namespace

PriceTicks RoundTicks(Extended low, Extended high, int most) {
  assert(most >= 1);
  PriceTicks ticks;
  const Extended span = high - low;
  if (!(span > 0) || !std::isfinite(span)) return ticks;
  // Steps of 1, 2 and 5 from the power of ten below span / most upwards: the first whose
  // multiples in [low, high] number at most `most`.
  const int lowest = static_cast<int>(std::floor(std::log10(span / most)));
  for (int exponent = lowest; exponent < lowest + 12; ++exponent) {
    for (const int multiple : {1, 2, 5}) {
      const Extended step = Scaled(multiple, exponent);
      const Extended first = std::ceil(low / step);
      const Extended last = std::floor(high / step);
      if (last - first + 1 > most) continue;
      ticks.Step = step;
      ticks.Decimals = std::clamp(-exponent, 0, 18);
      for (Extended k = first; k <= last; ++k)
        ticks.Prices.push_back(Scaled(k * multiple, exponent));
      return ticks;
    }
  }
  return ticks;
}

}  // namespace zentarix
