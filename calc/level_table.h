// The one description of the calculation's levels: each member of the record and each target
// point, with its name in JSON, its line in the listing, and what the chart and the spoken
// summary make of it. Every writer of levels walks this table instead of naming the levels
// itself, so that a new level is one row here (and its formula in uCalcItem.cpp).
//
//   key        listing line          block          chart
//   "a"        "A = 100,0000"        Move
//   "noise"    (not listed)
//   "f3"       " F3 = 106,1800"      Retracements   a line with its corridor, spoken
//   "level50"  "50% = 105,0000"      Retracements   a red line, spoken
//   "f3_1"     "  F3(1) = 105,8800"  CorridorF3
//   "cop_f3"   "  COP(F3) = 112,3600" Targets
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "calc/uCalcItem.h"

namespace zentarix {

// The listing's blocks, in order; each but the first opens with a heading line.
enum class ListingBlock { Move, Retracements, CorridorF3, CorridorF5, Targets, NotListed };

// What the price chart draws for a level.
enum class ChartLine { None, WithCorridor, Plain };

struct SpecifiedLevel {
  std::string_view Key;    // the JSON member
  std::string_view Name;   // as the chart and the spoken summary name it
  std::string_view Label;  // the listing line's text before the value, spaces included
  ListingBlock Block;
  // The share of the move back from B the level stands at (F3, 50% and F5); null for the others.
  const Extended* Factor;
  // Where the value is: a member of the record, or (null) the target point TargetIndex.
  double TCalcItem::*Field;
  std::size_t TargetIndex;
  ChartLine Chart;
  // The corridor's two bounds, for a level the chart draws WithCorridor.
  double TCalcItem::*LowerBound;
  double TCalcItem::*UpperBound;
  bool Spoken;  // part of the listing's spoken summary
};

inline constexpr std::size_t SpecifiedLevelCount = 16;

// In the order of the JSON object, which is the listing's order with the noise added.
extern const std::array<SpecifiedLevel, SpecifiedLevelCount> SpecifiedLevels;

// The level's value: its member of item, or its entry of targets.
inline double LevelValue(const SpecifiedLevel& level, const TCalcItem& item,
                         const std::array<double, 6>& targets) {
  return level.Field != nullptr ? item.*level.Field : targets[level.TargetIndex];
}

}  // namespace zentarix
