#include "text/listing.h"

#include <algorithm>

#include "calc/number_render.h"
#include "text/replace_every.h"

namespace zentarix {

namespace {

// The heading line that opens a block of the listing; the first block has none.
const std::string& HeadingOf(ListingBlock block, const ListingTexts& texts) {
  static const std::string Rule = "------------";
  switch (block) {
    case ListingBlock::CorridorF3:
      return texts.CorridorF3;
    case ListingBlock::CorridorF5:
      return texts.CorridorF5;
    case ListingBlock::Targets:
      return texts.Targets;
    default:
      return Rule;
  }
}

// The level lines in the table's order, each block after its heading. The labels' leading
// spaces line up the equals signs in the fixed-pitch text box: lines 4 to 6, lines 8 to 12,
// and lines 14 to 19 form three columns.
void AppendLevels(const TCalcItem& item, TextSink& memo, const ListingTexts& texts) {
  std::array<double, 6> targets{};
  ListingBlock block = ListingBlock::Move;
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    if (level.Block == ListingBlock::NotListed) continue;
    if (level.Block != block) {
      block = level.Block;
      // Computed only after lines 1 to 12 stand: an overflow here leaves them in place.
      if (block == ListingBlock::Targets) targets = TargetPoints(item);
      memo.AppendLine(HeadingOf(block, texts));
    }
    memo.AppendLine(ListingLine(level, LevelValue(level, item, targets)));
  }
}

}  // namespace

// The stored double widens to extended exactly.
std::string ListingLine(const SpecifiedLevel& level, double value) {
  return std::string(level.Label) + FormatNumber("%.4n", static_cast<Extended>(value));
}

std::string SpokenValue(double value) { return TrimmedNumber(static_cast<Extended>(value)); }

// The value with four decimals, or with fewer when the last ones are zeros. Rounded to fewer
// decimals, a value whose four-decimal form ends in zeros gives that form without them. The
// scientific form keeps its digits: its last zeros belong to the exponent.
std::string TrimmedNumber(Extended extended) {
  const std::string full = RenderNumber(extended, 4);
  if (full.find('E') != std::string::npos) return full;
  int decimals = 4;
  while (decimals > 0 && full[full.size() - static_cast<std::size_t>(5 - decimals)] == '0') {
    --decimals;
  }
  return decimals == 4 ? full : RenderNumber(extended, decimals);
}

std::string SpokenResult(const TCalcItem& item, bool passed, const ListingTexts& texts) {
  if (!passed) return texts.ErrorLine;
  std::string spoken;
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    if (!level.Spoken) continue;
    if (!spoken.empty()) spoken += ", ";
    spoken.append(level.Name).append(" ").append(SpokenValue(item.*level.Field));
  }
  return spoken;
}

std::string SpokenNoiseResult(const TCalcItem& item, bool passed, const ListingTexts& texts) {
  if (!passed) return texts.ErrorLine;
  // A falling move's corridors have their plus bound below their minus bound.
  const auto low = [](double one, double other) { return SpokenValue(std::min(one, other)); };
  const auto high = [](double one, double other) { return SpokenValue(std::max(one, other)); };
  std::string spoken = ReplaceEvery(texts.SpokenNoise, "%1", SpokenValue(item.Noise * 100));
  spoken = ReplaceEvery(spoken, "%2", low(item.F3Minus, item.F3Plus));
  spoken = ReplaceEvery(spoken, "%3", high(item.F3Minus, item.F3Plus));
  spoken = ReplaceEvery(spoken, "%4", low(item.F5Minus, item.F5Plus));
  return ReplaceEvery(spoken, "%5", high(item.F5Minus, item.F5Plus));
}

void WriteListing(const TCalcItem& item, bool passed, TextSink& memo) {
  WriteListing(item, passed, memo, ListingTexts());
}

void WriteListing(const TCalcItem& item, bool passed, TextSink& memo, const ListingTexts& texts) {
  if (!passed) {
    memo.SetText(texts.ErrorLine);
    return;
  }
  memo.SetText(std::string());
  AppendLevels(item, memo, texts);
}

}  // namespace zentarix
