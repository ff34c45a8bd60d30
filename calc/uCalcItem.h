// The calculation record: the three inputs of one calculation and the seven levels derived
// from them, plus the six target points projected from it on demand.
#pragma once

#include <array>
#include <string>

#include "calc/extended.h"

namespace zentarix {

class TCalcItem {
 public:
  // Declared order is part of the record's definition; all start at +0.0.
  double F3Plus = 0.0;
  double F3Minus = 0.0;
  double Noise = 0.0;
  double F5 = 0.0;
  double ValueB = 0.0;
  double ValueA = 0.0;
  double F3 = 0.0;
  double F5Plus = 0.0;
  double F5Minus = 0.0;
  double Level50 = 0.0;

  void SetValueA(double value) { ValueA = value; }
  void SetValueB(double value) { ValueB = value; }
  void SetNoise(double value) { Noise = value; }
  void SetF3(double value) { F3 = value; }
  void SetF5(double value) { F5 = value; }
  void SetF3Minus(double value) { F3Minus = value; }
  void SetF3Plus(double value) { F3Plus = value; }
  void SetF5Minus(double value) { F5Minus = value; }
  void SetF5Plus(double value) { F5Plus = value; }
};

// The level factors: each the extended value nearest to its decimal (not exact).
inline constexpr Extended Factor0001 = 0.001L;
inline constexpr Extended Factor0382 = 0.382L;
inline constexpr Extended Factor0618 = 0.618L;
// The 50% level's factor, exact in every format.
inline constexpr Extended Factor0500 = 0.5L;
inline constexpr Extended Factor1618 = 1.618L;

// Stores a, b and tenths x 0.001 as doubles, tests them for >= 0 and, when they pass,
// derives the levels. Throws EOverflow at the store that overflows the double range; the
// stores before it keep their effect.
bool CalculateLevels(TCalcItem& item, Extended a, Extended b, Extended tenths);

// COP(F3), COP(F5), OP(F3), OP(F5), XOP(F3), XOP(F5), each clamped to +0.0 from below.
std::array<double, 6> TargetPoints(const TCalcItem& item);

// "50% = " and the level with four decimals, as the listing and the diagram both show it.
std::string Level50Text(double level50);

}  // namespace zentarix
