#include "calc/uCalcItem.h"

#include <cstddef>

#include "calc/number_render.h"
#include "calc/uFloatEnv.h"

namespace zentarix {

// Every formula is evaluated in extended precision, each operation rounded on its own, in
// the order written; only its result is rounded to double, by a checked store that raises
// EOverflow beyond the double range. Operands from the record are the stored doubles.

bool CalculateLevels(TCalcItem& item, Extended a, Extended b, Extended tenths) {
  item.SetValueA(StoreDouble(a));
  item.SetValueB(StoreDouble(b));
  item.SetNoise(StoreDouble(tenths * Factor0001));
  // Negative zero compares equal to zero and passes.
  if (!(item.ValueA >= 0.0) || !(item.ValueB >= 0.0) || !(item.Noise >= 0.0)) return false;

  const Extended A = item.ValueA;
  const Extended B = item.ValueB;
  const Extended noise = item.Noise;
  item.SetF3(StoreDouble(B - (B - A) * Factor0382));
  item.SetF5(StoreDouble(B - (B - A) * Factor0618));
  // The corridors read F3 and F5 back as the doubles just stored.
  const Extended F3 = item.F3;
  const Extended F5 = item.F5;
  item.SetF3Minus(StoreDouble(F3 - (B - A) * noise));
  item.SetF3Plus(StoreDouble((B - A) * noise + F3));
  item.SetF5Minus(StoreDouble(F5 - (B - A) * noise));
  item.SetF5Plus(StoreDouble((B - A) * noise + F5));
  item.Level50 = StoreDouble(B - (B - A) * Factor0500);
  return true;
}

std::array<double, 6> TargetPoints(const TCalcItem& item) {
  const Extended A = item.ValueA;
  const Extended B = item.ValueB;
  const Extended F3 = item.F3;
  const Extended F5 = item.F5;
  const Extended formulas[6] = {
      (B - A) * Factor0618 + F3, (B - A) * Factor0618 + F5, (B - A) + F3, (B - A) + F5,
      (B - A) * Factor1618 + F3, (B - A) * Factor1618 + F5,
  };
  std::array<double, 6> targets{};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const double stored = StoreDouble(formulas[i]);
    // Only the targets are clamped; a value not >= 0 becomes +0.0.
    targets[i] = stored >= 0.0 ? stored : +0.0;
  }
  return targets;
}

// The "%" of "50%" must never reach the formatter, where it would start a conversion: the
// prefix is joined to the rendered number instead. The stored double widens exactly.
std::string Level50Text(double level50) {
  std::string text("50% = ");
  text.append(FormatNumber("%.4n", static_cast<Extended>(level50)));
  return text;
}

}  // namespace zentarix
